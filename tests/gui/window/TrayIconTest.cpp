#include "gui/window/CTrayIcon.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const UINT kIconId = 5;
const UINT kCallback = 0x2F06;
const int kNoSuchIcon = 107;  // the test program carries no icon resources
const int kStockIcon = 32512; // the system's application icon

// A hidden window that owns the icons, and the shell's own view of them: an
// icon is there exactly when the shell lets a tip change through.
struct TrayFixture {
    TrayFixture() { window = CreateWindowExA(0, "STATIC", "tray", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0); }
    ~TrayFixture()
    {
        ShellCall(NIM_DELETE);
        DestroyWindow(window);
    }
    BOOL ShellCall(DWORD message)
    {
        NOTIFYICONDATAA data = {};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = window;
        data.uID = kIconId;
        data.uFlags = NIF_TIP;
        return Shell_NotifyIconA(message, &data);
    }
    bool IconShown() { return ShellCall(NIM_MODIFY) != FALSE; }
    void SetUp(CTrayIcon& icon) { icon.Setup(nullptr, window, kNoSuchIcon, kIconId, kCallback); }
    HWND window;
};

TEST(TrayIcon, SetupLoadsTheSmallIconOrNone)
{
    TrayFixture tray;
    CTrayIcon icon;
    EXPECT_EQ(icon.Setup(nullptr, tray.window, kNoSuchIcon, kIconId, kCallback), nullptr);
    HICON stock = icon.Setup(nullptr, tray.window, kStockIcon, kIconId, kCallback);
    ASSERT_NE(stock, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(stock, &info));
    BITMAP bitmap;
    GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_FALSE(tray.IconShown()) << "nothing shows before a tip";
    EXPECT_FALSE(icon.IsAdded());
}

TEST(TrayIcon, AddModifyAndRemoveThroughTheShell)
{
    TrayFixture tray;
    {
        CTrayIcon icon;
        tray.SetUp(icon);
        EXPECT_TRUE(icon.SetTip("Quillmere RTA", CTrayIcon::TipAction::Add));
        EXPECT_TRUE(tray.IconShown());
        EXPECT_TRUE(icon.SetTip("changed", CTrayIcon::TipAction::Modify));
        EXPECT_STREQ(icon.GetTip(), "changed");
        icon.Remove();
        EXPECT_FALSE(tray.IconShown());
        EXPECT_TRUE(icon.SetTip("again", CTrayIcon::TipAction::Add));
    }
    EXPECT_FALSE(tray.IconShown()) << "the destructor deletes an added icon";
}

TEST(TrayIcon, RemoveWithoutTipAsksNothingAndModifyCountsAsAdded)
{
    TrayFixture tray;
    {
        // An icon of the same window and id put there by someone else stays:
        // a Remove that asked the shell would delete it.
        CTrayIcon icon;
        tray.SetUp(icon);
        ASSERT_TRUE(tray.ShellCall(NIM_ADD));
        icon.Remove();
        EXPECT_TRUE(tray.IconShown());
        ASSERT_TRUE(tray.ShellCall(NIM_DELETE));
    }
    EXPECT_FALSE(tray.IconShown());
    {
        // The shell refuses to modify an icon it does not have (an add would
        // have shown it); the object still deletes one on destruction.
        CTrayIcon icon;
        tray.SetUp(icon);
        EXPECT_FALSE(icon.SetTip("tip", CTrayIcon::TipAction::Modify));
        EXPECT_TRUE(icon.IsAdded());
        EXPECT_FALSE(tray.IconShown());
        ASSERT_TRUE(tray.ShellCall(NIM_ADD));
    }
    EXPECT_FALSE(tray.IconShown());
}

TEST(TrayIcon, TipsAreCutToTheRecord)
{
    TrayFixture tray;
    CTrayIcon icon;
    tray.SetUp(icon);
    struct Case {
        std::string text;
        std::string kept;
    };
    const std::string longest(63, 'a');
    const Case cases[] = {
        {"", ""}, {longest, longest}, {longest + "b", longest}, {std::string(300, 'c'), std::string(63, 'c')}};
    for (const Case& c : cases) {
        icon.SetTip(c.text.c_str(), CTrayIcon::TipAction::Add);
        EXPECT_EQ(icon.GetTip(), c.kept) << c.text.size();
        icon.Remove();
    }
    icon.SetTip(nullptr, CTrayIcon::TipAction::Add);
    EXPECT_STREQ(icon.GetTip(), "");
}

} // namespace
