#include "app/CMainWindow.h"
#include "app/WebSiteOpener.h"

// The main window's secondary windows: the I/O settings window and the
// about window, each reaching back only through the controller part.

void CMainWindow::OpenSettingsWindow(bool applyPending)
{
    m_settingsWindow.SetController(this);
    m_settingsWindow.Open(applyPending || m_audio.IsCaptureDown());
}

void CMainWindow::ShowAboutWindow()
{
    m_aboutWindow.Show(this);
}

void CMainWindow::OpenWebSite()
{
    OpenWebSiteAddress();
}
