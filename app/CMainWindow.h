#pragma once
#include "analysis/CLoudnessMeter.h"
#include "analysis/CScopeSignalPath.h"
#include "app/AnalyserInput.h"
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "app/CAudioSession.h"
#include "app/CInputWatch.h"
#include "app/CPipelineHandle.h"
#include "app/CSettingsApplier.h"
#include "app/ContextMenus.h"
#include "app/NotifyRoute.h"
#include "app/dialogs/CAboutWindow.h"
#include "app/dialogs/CIoSettingsWindow.h"
#include "app/PaneLayout.h"
#include "app/views/CMeterPanel.h"
#include "app/views/CRtaPanel.h"
#include "app/views/CScopeDisplay.h"
#include "audio/CAudioClient.h"
#include "gui/controls/CImageControl.h"
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
// Destroy, which saves the placement and gives a docked window's screen strip
// back. WM_CLOSE from another program becomes that close command. A window
// destroyed any other way (the deferred close) runs the close sequence once on
// its way out, so the settings are kept and the process ends; the end of the
// session saves settings and placement, since the process is ended without a close.
//
// Panes: Layout places the meter and the RTA and scope panes in their slots
// from the window size and the display settings; OnSize (the toolkit's
// LayoutControls) then moves, shows and hides the controls. The panes shown
// decide which analyses the input path feeds.
//
// Views: the creation event builds the meter control and the three panes,
// starts the analysers and the 20 ms tick that redraws them; each pane asks
// this window (OnNotify) to draw into its back buffer before it shows it.
// Menus: a right click on a pane opens its menu with the window menu below;
// a chosen item comes back as its command id, setting commands first
// (OnContextCommand), then the window's own.
//
// Threads: everything here runs on the GUI thread; the streaming interface
// calls OnInputPlanar on its capture thread, which hands the block to the
// input path (AnalyserInput) and reads nothing else of the window.
class CMainWindow : public CTopLevelWindow, public CMessageHook, public CAppController, public CAudioClient {
public:
    CMainWindow();
    ~CMainWindow() override;

    void SetInstance(HINSTANCE instance) { m_instance = instance; }
    // Non-zero when the window was created.
    int Create(int x, int y, int width, int height);
    void Destroy() override;
    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    // Always 0; the panes', the meter control's and the popup menu's records.
    int OnNotify(void* record) override;
    // Sees the tray icon's callback message and the session's end; keeps
    // WM_CLOSE (1), turned into the close command; lets the toolkit handle the rest (0).
    int OnMessage(CPhysicalWindow* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result) override;

    void LoadDefaults();
    void ExchangeSettings(SettingsExchange direction);

    // Closes the running capture first; the status text tells how it went.
    bool OpenAudioInterface() override;
    bool IsAudioJobRunning() override;
    void GetStatusText(std::string& out) override;
    void SetDefaultStatusText() override;
    void SetStatusText(const char* text) override;
    void OpenWebSite() override;
    double GetItuRefLevel() override;
    CAudioInterface* GetDeviceListInterface() override;
    AnalyserSettings* GetSettings() override;
    void ApplySettings() override;

    // Runs Layout for (width, height), or the client size when both are below 1.
    void LayoutControls(int width, int height, bool first) override;
    void OnInputPlanar(CAudioInterface* sender, int32_t** channels, int frames) override;
    void Layout(int width, int height);
    void ToggleTitleBar();

    const CTrayIcon& GetTrayIcon() const { return m_trayIcon; }
    const PaneSlots& GetPaneSlots() const { return m_slots; }
    // More than 9 times as wide as high: the meters menu offers "ITU meter Only".
    bool IsWideStrip() const { return m_paneFlags.wideStrip; }
    const AnalyserInput& GetAnalyserInput() const { return m_input; }
    CInputWatch& GetInputWatch() { return m_inputWatch; }
    CAudioSession& GetAudioSession() { return m_audio; }
    // The I/O settings window, handed this window's controller part; with
    // applyPending (audio failed to open) OK reopens even with nothing changed;
    // so it does, and the status says why, whenever nothing captures.
    void OpenSettingsWindow(bool applyPending);
    void ShowAboutWindow();

    CIoSettingsWindow& GetSettingsWindow() { return m_settingsWindow; }
    CAboutWindow& GetAboutWindow() { return m_aboutWindow; }

    // Commands 512-534; every other id is left alone.
    void OnContextCommand(int id);
    void ShowWindowMenu();
    void ShowTrayMenu();
    void ShowMetersMenu();
    void ShowRtaMenu();
    // pane 0 or 1: both show the same menu.
    void ShowScopeMenu(int pane);

    enum class TickSleep { After, None };
    // A failed device closed and shown, the views told whether input still
    // arrives; then the meter, the scope panes and the RTA pane redrawn. The
    // timer's tick sleeps after, to leave the other threads room.
    void Tick(TickSleep sleep);
    int GetTicks() const { return m_ticks; }

    CContextMenus& GetMenus() { return m_menus; }
    CImageControl& GetRtaPane() { return m_rtaPane; }
    CImageControl& GetScopePane(int pane) { return pane ? m_scopePane2 : m_scopePane1; }
    const CScopeDisplay& GetScopeDisplay(int pane) const { return pane ? m_scopeDisplay2 : m_scopeDisplay1; }
    CMeterPanel& GetMeterPanel() { return m_meterPanel; }
    CRtaPanel& GetRtaPanel() { return m_rtaPanel; }

protected:
    // The creation event's steps, in their order.
    enum class CreationStep {
        TrayIcon = 1,
        MessageHook,
        MainWindowMark,
        Settings,
        Layout,
        MeterControl,
        ScopePanes,
        RtaPanel,
        RtaPane,
        PlaceControls,
        LoudnessMeter,
        ScopePaths,
        DcBlockers,
        ApplySettings,
        OpenAudio,
        Timer
    };
    // Told after each step is done; a test's window records them.
    virtual void Step(CreationStep step) {}

private:
    void OnCreated();
    void CreateViews();
    void CreatePane(CImageControl& pane, const PaneSlot& slot);
    void StartAnalysers();
    void OnViewEvent(int source, int code, int p1, int p2);
    void ClampSizing(int handle, RECT* rect);
    enum class PaneOrder { MeterFirst, MeterLast };
    void Redraw(PaneOrder order);
    void WatchInput();
    bool MustShowFailure(AudioOpenEvent opening);
    void FollowBlockSize();
    enum class WindowSight { Seen, Unseen };
    void FeedScopes(WindowSight sight);
    // Into the pane's interior, marking the rows lit or faded.
    void RenderScope(CScopeDisplay& display, CImageControl& pane);
    void DrawRta();
    void ResizeRta();
    NotifySenders Senders();
    void RunWindowCommand(int id);
    void RelayoutPanes();
    // Saves, stops the audio and ends the loop; once only.
    void CloseOnce();
    // Settings and placement into the .ini file.
    void SaveState();

    HINSTANCE m_instance;
    PaneSlots m_slots;
    CAudioSession m_audio; // status text, streaming and listing interfaces
    char m_iniPath[MAX_PATH];
    CImageControl m_scopePane1;
    CImageControl m_scopePane2;
    CMeterPanel m_meterPanel;
    CImageControl m_rtaPane;
    CScopeDisplay m_scopeDisplay1;
    CScopeDisplay m_scopeDisplay2;
    CScopeSignalPath m_scopePath1; // left
    CScopeSignalPath m_scopePath2; // right
    CRtaPanel m_rtaPanel;
    AnalyserSettings m_settings;
    CSettingsApplier m_applied;
    CLoudnessMeter m_loudness;
    AnalyserInput m_input; // after everything it feeds and reads
    CInputWatch m_inputWatch;
    InputState m_inputState; // as the last tick found it
    CPipelineHandle m_pipeline;
    PaneFlags m_paneFlags;
    CTrayIcon m_trayIcon;
    HICON m_smallIcon;
    HICON m_largeIcon;
    CBitmapDC m_captionImage;
    CIoSettingsWindow m_settingsWindow;
    CAboutWindow m_aboutWindow;
    CContextMenus m_menus; // the one popup of every context menu
    int m_ticks;
    bool m_closed;
};
