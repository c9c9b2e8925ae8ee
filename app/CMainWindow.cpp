#include "app/CMainWindow.h"
#include "app/AppCommands.h"
#include "app/AppResources.h"
#include "app/CaptionIconPicture.h"
#include "app/WindowLook.h"
#include "common/IniFile.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinImage.h"
#include "gui/window/OwnWindowOrder.h"

namespace {

const char kTitle[] = "Quillmere RTA";
const char kPlacementSection[] = "Master";
const char kPlacementKey[] = "MainWindowState";

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUILLMERE), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
}

} // namespace

CMainWindow::CMainWindow()
    : m_instance(nullptr), m_settings(),
      m_input({&m_rtaPanel, &m_loudness, &m_scopePath1, &m_scopePath2}, m_settings, m_applied),
      m_inputState(InputState::Stopped), m_smallIcon(nullptr), m_largeIcon(nullptr), m_menus(*this, *this), m_ticks(0),
      m_closed(false)
{
    GetIniPath(m_iniPath);
}

CMainWindow::~CMainWindow()
{
    m_audio.Close(); // no block may reach the analysers while they go
    m_pipeline.Close();
}

int CMainWindow::Create(int x, int y, int width, int height)
{
    CSkinImage picture;
    picture.DecodePngImage(kCaptionIconPicture.data, kCaptionIconPicture.size);
    m_captionImage.CreateCopy(picture.GetImage());
    m_smallIcon = LoadProgramIcon(m_instance, SM_CXSMICON, SM_CYSMICON);
    m_largeIcon = LoadProgramIcon(m_instance, SM_CXICON, SM_CYICON);

    TopLevelWindowParams params;
    WindowCreateParams& native = params.native;
    native.x = x;
    native.y = y;
    native.width = width;
    native.height = height;
    params.caption = kTitle;
    params.caption2 = "RTA";
    params.caption3 = " ";
    ApplyLook(params, kMainWindowLook);
    // Dockable to a screen edge, dragged by any point, placement kept in section "Master".
    native.dragAnywhere = 1;
    native.dockable = 1;
    native.topmostWhenDocked = 1;
    native.taskbarButtonAllowed = 1;
    native.icon = m_smallIcon;
    native.bigIcon = m_largeIcon;
    params.captionIcon = &m_captionImage;
    native.savePlacement = 1;
    native.iniPath = m_iniPath;
    native.section = kPlacementSection;
    native.key = kPlacementKey;
    if (!CTopLevelWindow::Create(params))
        return 0;
    // A failed audio open showed the settings window while this one was not
    // yet shown: it comes back in front of it.
    CPhysicalWindow& settings = m_settingsWindow.GetWindow();
    if (settings.IsCreated())
        settings.Activate();
    return 1;
}

void CMainWindow::Destroy()
{
    m_trayIcon.Remove();
    CTopLevelWindow::Destroy();
    for (HICON* icon : {&m_smallIcon, &m_largeIcon}) {
        if (*icon)
            DestroyIcon(*icon);
        *icon = nullptr;
    }
}

int CMainWindow::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (source == EventSource::Relayed && code == WindowEvent::Created) {
        OnCreated();
    } else if (source == EventSource::Window && code == WindowEvent::CloseCommand) {
        CloseOnce();
    } else if (source == EventSource::Window && code == WindowEvent::Destroyed && !m_closed) {
        CloseOnce();
        m_trayIcon.Remove();
    } else if (source == EventSource::Window && code == WindowEvent::SessionEnding) {
        SaveState();
    }
    OnViewEvent(source, code, p1, p2);
    return CTopLevelWindow::OnEvent(sender, source, code, p1, p2, data);
}

void CMainWindow::OnCreated()
{
    m_trayIcon.Setup(m_instance, m_window.GetHwnd(), IDI_QUILLMERE, MainWindowId::kTrayIconId,
                     MainWindowId::kTrayMessage);
    m_trayIcon.SetTip(kTitle, CTrayIcon::TipAction::Add);
    Step(CreationStep::TrayIcon);
    m_window.SetMessageHook(this);
    Step(CreationStep::MessageHook);
    m_window.SetIsMainWindow(true);
    Step(CreationStep::MainWindowMark);
    LoadDefaults();
    ExchangeSettings(SettingsExchange::Load);
    Step(CreationStep::Settings);
    CreateViews();
    StartAnalysers();
}

void CMainWindow::CloseOnce()
{
    if (m_closed)
        return;
    m_closed = true;
    ExchangeSettings(SettingsExchange::Save);
    m_audio.Close(JobWait::Leave); // a device that does not answer must not keep the program from ending
    CPhysicalWindow::QuitMessageLoop(0);
}

void CMainWindow::SaveState()
{
    ExchangeSettings(SettingsExchange::Save);
    m_window.SavePlacement(m_iniPath, kPlacementSection, kPlacementKey);
}

// Beside the tray icon's clicks, the closes from outside (another program,
// the session): the only messages this hook keeps from the toolkit.
int CMainWindow::OnMessage(CPhysicalWindow* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result)
{
    if (message == WM_CLOSE) {
        // The default would destroy the window unsaved, its screen strip kept:
        // it goes the Exit command's way instead.
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (result)
            *result = 0;
        return 1;
    }
    if (message == WM_QUERYENDSESSION)
        SaveState(); // the session may end the process without another word
    if (message != MainWindowId::kTrayMessage)
        return 0;
    if (lParam == WM_LBUTTONDOWN)
        m_window.Activate();
    else if (lParam == WM_RBUTTONUP) {
        // The focus activates the main window, which raises it: the menu opens
        // over the program's windows as they stand. Always on top, it stands first.
        const std::vector<HWND> order = OwnWindowsTopFirst(nullptr, OwnWindows::Minimizable);
        if (order.empty() || order.front() == hwnd)
            m_window.SetFocus();
        ShowTrayMenu();
    }
    return 0;
}

void CMainWindow::LoadDefaults()
{
    ::LoadDefaults(&m_settings);
}

void CMainWindow::ExchangeSettings(SettingsExchange direction)
{
    ::ExchangeSettings(&m_settings, direction, m_iniPath);
}

double CMainWindow::GetItuRefLevel()
{
    return ItuRefLevelOf(m_settings);
}

AnalyserSettings* CMainWindow::GetSettings()
{
    return &m_settings;
}

void CMainWindow::ApplySettings()
{
    m_applied.Apply(m_settings, m_rtaPanel);
}
