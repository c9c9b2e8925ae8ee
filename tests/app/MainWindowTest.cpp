#include "TrayShell.h"
#include "app/CMainWindow.h"
#include "common/IniFile.h"
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

// The panes follow the window and its title bar; the status and the input
// operations reach the audio session and the input path.
TEST(MainWindow, PanesTitleBarStatusAndInput)
{
    char ini[MAX_PATH];
    GetIniPath(ini);
    DeleteFileA(ini); // the placement and settings a closing window saved
    CMainWindow window;
    window.SetInstance(GetModuleHandleA(nullptr));
    ASSERT_NE(window.Create(200, 200, 800, 400), 0);
    window.LayoutControls(0, 0, true); // the client size
    auto slot = [&](int i) {
        const PaneSlot& s = window.GetPaneSlots()[i];
        return std::to_string(s.x) + "," + std::to_string(s.y) + "," + std::to_string(s.width) + "," +
               std::to_string(s.height) + (s.visible ? "" : "-");
    };
    EXPECT_EQ(slot(MeterSlot) + " " + slot(RtaPaneSlot), "8,32,784,60 8,96,784,296");
    EXPECT_TRUE(window.GetAnalyserInput().IsRtaActive());
    window.ToggleTitleBar(); // no caption band: the panes move up
    EXPECT_FALSE(window.IsTitleBarShown());
    EXPECT_EQ(slot(MeterSlot) + " " + slot(RtaPaneSlot), "8,8,784,60 8,72,784,320");
    window.GetSettings()->main_preference = 2;
    window.LayoutControls(800, 400, false);
    EXPECT_EQ(slot(ScopePane1Slot) + " " + slot(RtaPaneSlot), "8,72,784,320 8,720,784,320-");
    EXPECT_FALSE(window.IsWideStrip());

    std::string status;
    window.SetDefaultStatusText();
    window.GetStatusText(status);
    EXPECT_EQ(status, "Select the desired audio device, and press OK to apply.");
    EXPECT_NE(window.GetDeviceListInterface(), nullptr);
    window.GetSettings()->iInputGain = 6;
    window.ApplySettings();
    int32_t left[] = {1000, -1000}, right[] = {0, 32767};
    int32_t* channels[] = {left, right};
    window.OnInputPlanar(nullptr, channels, 2);
    EXPECT_EQ(left[0], 1992);
    EXPECT_EQ(right[1], 65278);
    window.Destroy();
    DeleteFileA(ini);
}
