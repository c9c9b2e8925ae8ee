#include "ProgramCopy.h"
#include "TrayShell.h"
#include "app/AnalyserSettings.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kDefaultLines = {
    "cp.rta_resolution=0", "cp.rta_averages=25",    "cp.rta_channel=0",     "cp.itu_position=0",
    "cp.itu_only=0",       "cp.main_preference=0",  "cp.iDCBlock=0",        "cp.iInputGain=0",
    "cp.iItuRefLevel=-24", "cp.iItuTimeConstant=0", "cp.iItuChannelMode=1", "cp.iRtaTargetLevel=-42",
    "cp.fScopeLines_dB=0"};

} // namespace

TEST(ProgramRun, OpensAtItsFirstPlaceAndTheCloseCommandSavesAndEnds)
{
    ProgramCopy program("quill-first");
    HWND window = program.Start();
    ASSERT_TRUE(window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right, 1000);
    EXPECT_EQ(rect.bottom, 600);
    EXPECT_TRUE(TrayIconShown(window));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_FALSE(TrayIconShown(window));
    EXPECT_EQ(program.SettingsLines(), kDefaultLines);
}

// A close from outside and the end of the session keep the settings too.
TEST(ProgramRun, OutsideCloseAndSessionEndSaveTheSettings)
{
    for (UINT message : {UINT(WM_CLOSE), UINT(WM_ENDSESSION)}) {
        SCOPED_TRACE(message);
        ProgramCopy program("quill-outside");
        HWND window = program.Start();
        ASSERT_TRUE(window);
        if (message == WM_CLOSE) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            EXPECT_EQ(program.WaitForExit(), 0);
        } else {
            SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        }
        EXPECT_EQ(program.SettingsLines(), kDefaultLines);
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
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 250);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 360);
}
