#include "TrayShell.h"
#include "app/CMainWindow.h"
#include <gtest/gtest.h>

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
    window.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(TrayIconShown(hwnd));
}
