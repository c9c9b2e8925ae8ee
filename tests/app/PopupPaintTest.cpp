// Every popup of the main window, opened by a click through the system as a
// user's arrives, shows a picture on the screen.
#include "FakeWaveDevice.h"
#include "GuiTestSupport.h"
#include "MainWindowPopups.h"
#include "app/CMainWindow.h"
#include <gtest/gtest.h>

namespace {

// A main window on the stand-in wave device, in a settings file of its own.
class PopupRig {
public:
    PopupRig()
    {
        GetModuleFileNameA(nullptr, m_ini, MAX_PATH);
        lstrcpyA(strrchr(m_ini, '.'), ".ini");
        DeleteFileA(m_ini);
        WritePrivateProfileStringA("Input", "Interface", "Wave", m_ini);
        WritePrivateProfileStringA("Input", "devicename_Wave", "Default Device", m_ini);
        window.SetInstance(GetModuleHandleA(nullptr));
        created = window.Create(200, 200, 800, 400) != 0;
        PumpMessages();
    }
    ~PopupRig()
    {
        CPhysicalWindow::DismissOpenMenu();
        window.GetSettingsWindow().Destroy();
        window.GetAboutWindow().Destroy();
        window.OnEvent(&window.GetWindow(), 0, WindowEvent::CloseCommand, 0, 0, nullptr);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        DeleteFileA(m_ini);
    }

    FakeWaveDevice device;
    CMainWindow window;
    bool created = false;

private:
    char m_ini[MAX_PATH];
};

} // namespace

TEST(PopupPaint, EveryPopupOpenedByAClickShowsAPicture)
{
    for (const MainWindowPopup& popup : MainWindowPopups()) {
        SCOPED_TRACE(popup.name);
        PopupRig rig;
        ASSERT_TRUE(rig.created);
        const HWND window = popup.open(rig.window);
        ASSERT_TRUE(window) << "it did not open";
        EXPECT_TRUE(PumpUntil([window] { return ShowsAPicture(window); }));
    }
}
