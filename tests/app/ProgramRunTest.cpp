#include "ProgramCopy.h"
#include "TrayShell.h"
#include "app/AnalyserSettings.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

// A first start opens at the first place with the tray icon; the close
// command, a close from outside and the end of the session keep the settings,
// and the closes end the program, tray icon gone.
TEST(ProgramRun, OpensAtItsFirstPlaceAndEveryCloseSavesTheSettings)
{
    const struct {
        UINT message;
        WPARAM command;
    } closes[] = {{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}, {WM_ENDSESSION, TRUE}};
    for (const auto& close : closes) {
        SCOPED_TRACE(close.message);
        ProgramCopy program("quill-first");
        HWND window = program.Start();
        ASSERT_TRUE(window);
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}),
                  std::vector<LONG>({200, 200, 1000, 600}));
        EXPECT_TRUE(TrayIconShown(window));
        if (close.message == WM_ENDSESSION) {
            SendMessageA(window, close.message, close.command, 0);
        } else {
            PostMessageA(window, close.message, close.command, 0);
            EXPECT_EQ(program.WaitForExit(), 0);
            EXPECT_FALSE(TrayIconShown(window));
        }
        EXPECT_EQ(program.SettingsLines(), kDefaultSettingsLines);
    }
}

// Every setting and the window's place come back after a restart.
TEST(ProgramRun, SettingsAndPlacementSurviveARestart)
{
    ProgramCopy program("quill-restart");
    AnalyserSettings chosen = {1, 500, 1, 1, 1, 1, -20, -18, 2, 0, -30, -6.0f, 2};
    ExchangeSettings(&chosen, SettingsExchange::Save, program.IniPath().c_str());
    const std::vector<std::string> written = program.SettingsLines();
    HWND window = program.Start();
    ASSERT_TRUE(window);
    SetWindowPos(window, nullptr, 300, 250, 640, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(program.SettingsLines(), written);
    EXPECT_EQ(written.back(), "cp.fScopeLines_dB=-1061158912");

    window = program.Start();
    ASSERT_TRUE(window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
              std::vector<LONG>({300, 250, 640, 360}));
}
