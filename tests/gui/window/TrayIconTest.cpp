#include "gui/window/CTrayIcon.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const UINT kIconId = 5;
const int kNoSuchIcon = 107;  // the test program carries no icon resources
const int kStockIcon = 32512; // the system's application icon

// A hidden window owning the icons. The shell itself tells whether an icon
// is there: it lets a tip change through only for an icon it has.
struct Tray {
    Tray() { window = CreateWindowExA(0, "STATIC", "tray", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0); }
    ~Tray()
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
    bool Shown() { return ShellCall(NIM_MODIFY) != FALSE; }
    HICON SetUp(CTrayIcon& icon, int resource = kNoSuchIcon)
    {
        return icon.Setup(nullptr, window, resource, kIconId, 0x2F06);
    }
    HWND window;
};

} // namespace

TEST(TrayIcon, AddModifyRemoveAndTipsCutTo63Characters)
{
    Tray tray;
    {
        CTrayIcon icon;
        EXPECT_EQ(tray.SetUp(icon), nullptr);
        EXPECT_NE(tray.SetUp(icon, kStockIcon), nullptr);
        EXPECT_FALSE(tray.Shown()) << "nothing shows before a tip";
        EXPECT_TRUE(icon.SetTip("Quillmere RTA", CTrayIcon::TipAction::Add));
        EXPECT_TRUE(tray.Shown());
        EXPECT_TRUE(icon.SetTip("changed", CTrayIcon::TipAction::Modify));
        icon.Remove();
        EXPECT_FALSE(tray.Shown());
        icon.SetTip("again", CTrayIcon::TipAction::Add);
    }
    EXPECT_FALSE(tray.Shown()) << "the destructor deletes an added icon";
    {
        // Another's icon of the same window and id stays: Remove asks nothing.
        CTrayIcon icon;
        tray.SetUp(icon);
        ASSERT_TRUE(tray.ShellCall(NIM_ADD));
        icon.Remove();
        EXPECT_TRUE(tray.Shown());
        tray.ShellCall(NIM_DELETE);
    }
    {
        // The shell refuses to modify an icon it lacks (an add would show it);
        // the object counts it added all the same and deletes it at the end.
        CTrayIcon icon;
        tray.SetUp(icon);
        EXPECT_FALSE(icon.SetTip("tip", CTrayIcon::TipAction::Modify));
        EXPECT_FALSE(tray.Shown());
        ASSERT_TRUE(tray.ShellCall(NIM_ADD));
    }
    EXPECT_FALSE(tray.Shown());

    {
        Tray tray;
        CTrayIcon icon;
        tray.SetUp(icon);
        const std::string longest(63, 'a');
        const std::string tooLong = longest + "b";
        const std::pair<const char*, std::string> cases[] = {
            {"", ""}, {longest.c_str(), longest}, {tooLong.c_str(), longest}, {nullptr, ""}};
        for (const auto& c : cases) {
            icon.SetTip(c.first, CTrayIcon::TipAction::Add);
            EXPECT_EQ(icon.GetTip(), c.second);
            icon.Remove();
        }
    }
}
