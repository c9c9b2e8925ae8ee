#include "DialogTestSupport.h"
#include "app/dialogs/CAboutWindow.h"
#include <gtest/gtest.h>
#include <iterator>

// The texts, buttons and logo inside the window without overlap, top to
// bottom, the two buttons alike and side by side; the buttons' fonts capped,
// the focus on OK; a second Show only activates. "Go to Web Site" asks once
// and the window stays; OK closes it on a later turn; the next Show builds it anew.
TEST(AboutWindow, LayoutFocusButtonsAndShowAgain)
{
    FakeController controller;
    CAboutWindow about;
    ASSERT_EQ(about.Show(&controller), 1);
    PumpMessages();
    const TopLevelWindowParams& p = about.GetParams();
    EXPECT_EQ(p.native.resizable + p.native.minimizable + p.native.maximizable, 0);
    RECT client = {};
    GetClientRect(about.GetWindow().GetHwnd(), &client);
    const RECT version = ClientRectOf(about.GetVersionText().GetWindow()->GetHwnd());
    const RECT notice = ClientRectOf(about.GetNoticeText().GetWindow()->GetHwnd());
    const RECT webSite = ClientRectOf(about.GetWebSiteButton().GetWindow()->GetHwnd());
    const RECT ok = ClientRectOf(about.GetOkButton().GetWindow()->GetHwnd());
    const RECT logo = about.GetLogoRect();
    const RECT parts[] = {version, notice, webSite, ok, logo};
    const int count = int(std::size(parts));
    for (int i = 0; i < count; ++i) {
        RECT inside = {};
        EXPECT_FALSE(IsRectEmpty(&parts[i])) << i;
        EXPECT_TRUE(IntersectRect(&inside, &parts[i], &client) && EqualRect(&inside, &parts[i])) << i;
        for (int j = i + 1; j < count; ++j) {
            RECT overlap = {};
            EXPECT_FALSE(IntersectRect(&overlap, &parts[i], &parts[j])) << i << " and " << j;
        }
    }
    EXPECT_LE(version.bottom, notice.top);
    EXPECT_LE(notice.bottom, webSite.top);
    EXPECT_LE(ok.bottom, logo.top);
    EXPECT_EQ(webSite.top, ok.top);
    EXPECT_EQ(webSite.right - webSite.left, ok.right - ok.left);
    EXPECT_EQ(webSite.bottom - webSite.top, ok.bottom - ok.top);
    EXPECT_LT(webSite.right, ok.left) << "web site left of OK";
    const CTextBuffer& versionText = *about.GetVersionText().GetTextBuffer();
    EXPECT_EQ(versionText.text.rfind("Quillmere RTA v0.62 beta\n\n", 0), 0u);
    EXPECT_EQ(versionText.multiLine + about.GetNoticeText().GetTextBuffer()->multiLine, 2);
    EXPECT_EQ(about.GetSkin().GetFont(1, 40), about.GetSkin().GetFont(1, 20)) << "font cap 20";
    EXPECT_EQ(GetFocus(), about.GetOkButton().GetWindow()->GetHwnd());
    HWND first = about.GetWindow().GetHwnd();
    EXPECT_EQ(about.Show(&controller), 0);
    EXPECT_EQ(about.GetWindow().GetHwnd(), first);
    EXPECT_EQ(CountWindows("About Quillmere RTA"), 1);

    Click(about.GetWebSiteButton());
    PumpMessages();
    EXPECT_EQ(controller.webSiteOpens, 1);
    EXPECT_TRUE(about.GetWindow().IsCreated());
    Click(about.GetOkButton());
    EXPECT_TRUE(about.GetWindow().IsCreated()) << "closed on a later message turn";
    PumpMessages();
    EXPECT_EQ(CountWindows("About Quillmere RTA"), 0);
    ASSERT_EQ(about.Show(&controller), 1);
    PumpMessages();
    EXPECT_EQ(CountWindows("About Quillmere RTA"), 1);
    EXPECT_EQ(controller.webSiteOpens, 1);
}
