#pragma once
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "app/CPipelineHandle.h"
#include "app/CSettingsApplier.h"
#include "app/dialogs/CAboutWindow.h"
#include "app/dialogs/CIoSettingsWindow.h"
#include "app/views/CRtaPanel.h"
#include "audio/CAudioClient.h"
#include "audio/CAudioInterface.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/window/CMessageHook.h"
#include "gui/window/CTopLevelWindow.h"
#include "gui/window/CTrayIcon.h"
#include <windows.h>
#include <string>

// The program's one top-level window, made once by the application object.
// It owns, for its whole life, the streaming audio interface and the one
// that only lists devices, the analyser settings, the tray icon and the
// routing driver's handle.
//
// Lifecycle: constructed (settings path known, routing driver opened) ->
// Create (the toolkit window; its creation event adds the tray icon, hooks
// the raw messages, makes it the main window and loads the settings) ->
// closed (settings saved, audio closed, quit posted) -> destroyed (tray icon
// removed, icons freed). The object lives on to the process's end.
//
// Closing: the close command runs the close sequence, then the toolkit's
// Destroy. A window destroyed any other way (WM_CLOSE from outside, the
// deferred close) runs the same sequence once on its way out, so the
// settings are kept and the process ends; the end of the session saves the
// settings, since the process is ended without a close.
//
// Threads: everything here runs on the GUI thread; the streaming interface
// calls OnInputPlanar on its capture thread.
class CMainWindow : public CTopLevelWindow, public CMessageHook, public CAppController, public CAudioClient {
public:
    CMainWindow();
    ~CMainWindow() override;

    void SetInstance(HINSTANCE instance) { m_instance = instance; }
    // Non-zero when the window was created.
    int Create(int x, int y, int width, int height);
    void Destroy() override;
    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    // Sees the tray icon's callback message; lets the toolkit handle everything (0).
    int OnMessage(CPhysicalWindow* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result) override;

    void LoadDefaults();
    void ExchangeSettings(SettingsExchange direction);

    bool OpenAudioInterface() override;
    void GetStatusText(std::string& out) override;
    void SetDefaultStatusText() override;
    void SetStatusText(const char* text) override;
    void OpenWebSite() override;
    double GetItuRefLevel() override;
    CAudioInterface* GetDeviceListInterface() override;
    AnalyserSettings* GetSettings() override;
    void ApplySettings() override;

    // The I/O settings window, handed this window's controller part; with
    // applyPending (audio failed to open) OK reopens even with nothing changed.
    void OpenSettingsWindow(bool applyPending);
    void ShowAboutWindow();

    const CTrayIcon& GetTrayIcon() const { return m_trayIcon; }
    CIoSettingsWindow& GetSettingsWindow() { return m_settingsWindow; }
    CAboutWindow& GetAboutWindow() { return m_aboutWindow; }

private:
    void OnCreated();
    // Saves, stops the audio and ends the loop; once only.
    void CloseOnce();

    HINSTANCE m_instance;
    std::string m_statusText;
    CAudioInterface m_streaming;
    CAudioInterface m_deviceList;
    char m_iniPath[MAX_PATH];
    CRtaPanel m_rtaPanel;
    AnalyserSettings m_settings;
    CSettingsApplier m_applied;
    CPipelineHandle m_pipeline;
    CTrayIcon m_trayIcon;
    HICON m_smallIcon;
    HICON m_largeIcon;
    CBitmapDC m_captionImage;
    CIoSettingsWindow m_settingsWindow;
    CAboutWindow m_aboutWindow;
    bool m_closed;
};
