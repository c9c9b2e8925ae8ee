#include "DialogTestSupport.h"
#include "app/CMainWindow.h"
#include "app/WebSiteOpener.h"
#include <gtest/gtest.h>

namespace {
int g_shellOpens = 0;
std::string g_opened;

HINSTANCE WINAPI RecordOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    ++g_shellOpens;
    g_opened = std::string(verb) + " " + file + (owner || parameters || directory || show != SW_SHOW ? " odd" : "");
    return reinterpret_cast<HINSTANCE>(42); // above 32: the shell's success
}
} // namespace

// Both windows work on the main window's own status, settings and web site;
// a second open only activates.
TEST(MainWindowDialogs, SecondaryWindowsReachTheMainWindow)
{
    SetShellOpenFunction(RecordOpen);
    CMainWindow main;
    main.OpenSettingsWindow(false);
    PumpMessages();
    CIoSettingsWindow& settings = main.GetSettingsWindow();
    ASSERT_TRUE(settings.GetWindow().IsCreated());
    SendMessageA(settings.GetWindow().GetHwnd(), WM_TIMER, CIoSettingsWindow::kStatusTimer, 0);
    EXPECT_EQ(settings.GetStatusText().GetTextBuffer()->text,
              "Select the desired audio device, and press OK to apply.");
    Click(settings.GetDcBlockButton());
    EXPECT_EQ(main.GetSettings()->iDCBlock, 1);
    main.OpenSettingsWindow(true);
    EXPECT_FALSE(settings.IsApplyPending());
    EXPECT_EQ(CountWindows("NewGuiSettings"), 1);

    main.ShowAboutWindow();
    PumpMessages();
    ASSERT_TRUE(main.GetAboutWindow().GetWindow().IsCreated());
    Click(main.GetAboutWindow().GetWebSiteButton());
    SetShellOpenFunction(nullptr);
    EXPECT_EQ(g_shellOpens, 1);
    EXPECT_EQ(g_opened, std::string("open ") + kWebSiteAddress);
}
