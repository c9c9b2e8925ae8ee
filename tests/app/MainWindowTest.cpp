#include "TrayShell.h"
#include "app/CMainWindow.h"
#include <gtest/gtest.h>

namespace {
const UINT kTrayMessage = 0x2F06;
} // namespace

// What only the program's own process sees: its icons and its tray icon.
TEST(MainWindow, CreationAddsTheTrayIconAndIconsAndDestroyTakesThemAway)
{
    CMainWindow window;
    window.SetInstance(GetModuleHandleA(nullptr));
    ASSERT_NE(window.Create(200, 200, 800, 400), 0);
    HWND hwnd = window.GetWindow().GetHwnd();
    EXPECT_TRUE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_TRUE(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(TrayIconShown(hwnd));
    EXPECT_STREQ(window.GetTrayIcon().GetTip(), "Quillmere RTA");
    EXPECT_EQ(window.GetItuRefLevel(), -24.0);
    // A click on the tray icon brings the window to the front.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, 0, 0);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);
    SendMessageA(hwnd, kTrayMessage, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    DestroyWindow(other);
    window.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(TrayIconShown(hwnd));
}
