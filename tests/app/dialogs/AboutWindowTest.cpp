#include "AboutArtworkDrawing.h"
#include "DialogTestSupport.h"
#include "app/dialogs/AboutImages.h"
#include "app/dialogs/CAboutWindow.h"
#include "gui/skin/CSkinImage.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <iterator>

// Every picture is the committed drawing at its size; indexes outside the table give nothing.
TEST(AboutImages, CommittedPicturesAndTableBounds)
{
    for (int index : {-1, 7, int(0x80000000)}) {
        const AboutImageBlob blob = GetAboutImage(index);
        EXPECT_EQ(blob.data, nullptr);
        EXPECT_EQ(blob.size, 0u);
    }
    for (int i = 0; i < kAboutImageCount; ++i) {
        const AboutImageBlob blob = GetAboutImage(i);
        EXPECT_EQ(blob.data[25], kAboutPictureShapes[i].colorType) << "the header's colour type, picture " << i;
        CSkinImage decoded;
        ASSERT_EQ(decoded.DecodePngImage(blob.data, blob.size), 0) << i;
        const CBitmapDC& image = decoded.GetImage();
        ASSERT_EQ(image.GetWidth(), kAboutPictureShapes[i].width);
        ASSERT_EQ(image.GetHeight(), kAboutPictureShapes[i].height);
        const std::vector<uint32_t> drawn = DrawAboutPicturePixels(i);
        EXPECT_EQ(std::memcmp(image.GetBits(), drawn.data(), drawn.size() * 4), 0)
            << "picture " << i << ": regenerate with gen_about_artwork";
    }
}

// The logo spans the surface less 30 pixels, aspect kept, 10 pixels above
// its bottom; a picture that does not decode draws nothing.
TEST(AboutImages, LogoScaledToTheSurfaceOrLeftOut)
{
    const AboutImageBlob logo = GetAboutImage(kAboutLogoImage);
    struct Case {
        int width, height;
        AboutImageBlob picture;
        RECT placed;
    };
    const Case cases[] = {{400, 420, logo, {15, 309, 385, 410}},
                          {770, 500, logo, {15, 288, 755, 490}},
                          {215, 300, logo, {15, 240, 200, 290}},
                          {400, 420, {logo.data, logo.size / 2}, {}},
                          {400, 420, {nullptr, 0}, {}}};
    const uint32_t kGround = 0x00123456;
    for (const Case& c : cases) {
        CControlContainer container;
        ContainerParams params;
        params.width = c.width;
        params.height = c.height;
        container.Create(params);
        container.GetSurface()->Fill(kGround);
        const RECT placed = DrawAboutLogo(container, c.picture);
        EXPECT_TRUE(EqualRect(&placed, &c.placed)) << placed.left << "," << placed.top << "," << placed.right;
        const uint32_t* bits = container.GetSurface()->GetBits();
        const int drawn = int(std::count_if(bits, bits + c.width * c.height, [&](uint32_t p) { return p != kGround; }));
        EXPECT_EQ(drawn > 0, !IsRectEmpty(&c.placed));
    }
}

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
