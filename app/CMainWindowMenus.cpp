#include "app/AppCommands.h"
#include "app/CMainWindow.h"
#include "app/NotifyRoute.h"
#include "app/views/ScopeFeed.h"

namespace {
const int kScopeMargin = 0; // the trace fills its pane inside the frame
} // namespace

int CMainWindow::OnNotify(void* record)
{
    ControlNotification* r = static_cast<ControlNotification*>(record);
    if (!r)
        return CTopLevelWindow::OnNotify(record);
    const NotifyRoute route = RouteNotification(*r, Senders());
    switch (route.action) {
    case NotifyAction::DrawRta: DrawRta(); break;
    case NotifyAction::DrawScope1: RenderScope(m_scopeDisplay1, m_scopePane1); break;
    case NotifyAction::DrawScope2: RenderScope(m_scopeDisplay2, m_scopePane2); break;
    case NotifyAction::FitRta: ResizeRta(); break;
    case NotifyAction::FitScope1: FitScopeDisplay(m_scopeDisplay1, m_scopePane1, kScopeMargin); break;
    case NotifyAction::FitScope2: FitScopeDisplay(m_scopeDisplay2, m_scopePane2, kScopeMargin); break;
    case NotifyAction::MetersMenu: ShowMetersMenu(); break;
    case NotifyAction::RtaMenu: ShowRtaMenu(); break;
    case NotifyAction::ScopeMenu1: ShowScopeMenu(0); break;
    case NotifyAction::ScopeMenu2: ShowScopeMenu(1); break;
    case NotifyAction::WindowMenu: ShowWindowMenu(); break;
    case NotifyAction::Command:
        OnContextCommand(r->controlId);
        RunWindowCommand(r->controlId);
        break;
    case NotifyAction::None: break;
    }
    return route.base == BaseCall::After ? CTopLevelWindow::OnNotify(record) : 0;
}

NotifySenders CMainWindow::Senders()
{
    NotifySenders senders;
    senders.rtaPane = &m_rtaPane;
    senders.scopePane1 = &m_scopePane1;
    senders.scopePane2 = &m_scopePane2;
    senders.meterControl = &m_meterPanel.GetMeterControl();
    senders.popupMenu = &m_menus.GetPopup();
    return senders;
}

void CMainWindow::OnContextCommand(int id)
{
    switch (ApplySettingCommand(m_settings, id)) {
    case CommandEffect::Resolution:
        m_rtaPanel.Configure(m_settings.rta_resolution, CSettingsApplier::kAnalysisRate);
        m_applied.NoteRtaSet(m_settings);
        break;
    case CommandEffect::Averages:
        m_rtaPanel.SetAverages(m_settings.rta_averages);
        m_applied.NoteRtaSet(m_settings);
        break;
    case CommandEffect::Relayout:
    case CommandEffect::Toggle: RelayoutPanes(); break;
    case CommandEffect::Stored:
    case CommandEffect::Ignored: break;
    }
}

void CMainWindow::RelayoutPanes()
{
    LayoutControls(0, 0, true);
}

void CMainWindow::RunWindowCommand(int id)
{
    switch (id) {
    case AppCommand::Dock:
        if (m_window.GetDockedEdge())
            m_window.Undock();
        else
            m_window.DockNearest();
        break;
    case AppCommand::DockedTopmost: m_window.SetTopmostWhenDocked(!m_window.GetTopmostWhenDocked()); break;
    case AppCommand::AlwaysOnTop: m_window.SetTopmostLevel(m_window.GetTopmostLevel() != 0 ? 0 : 1); break;
    case AppCommand::ShowTitleBar: ToggleTitleBar(); break;
    case AppCommand::IoSettings: OpenSettingsWindow(false); break;
    case AppCommand::About: ShowAboutWindow(); break;
    default: break; // the setting commands are done; others are no command of ours
    }
}

void CMainWindow::ShowWindowMenu()
{
    m_menus.ShowWindowMenu(MenuOrigin::Window);
}

void CMainWindow::ShowTrayMenu()
{
    m_menus.ShowWindowMenu(MenuOrigin::Tray);
}

void CMainWindow::ShowMetersMenu()
{
    m_menus.ShowPaneMenu(PaneMenu::Meters, m_settings, IsWideStrip() ? StripShape::Wide : StripShape::Other);
}

void CMainWindow::ShowRtaMenu()
{
    m_menus.ShowPaneMenu(PaneMenu::Rta, m_settings, StripShape::Other);
}

void CMainWindow::ShowScopeMenu(int pane)
{
    m_menus.ShowPaneMenu(PaneMenu::Scope, m_settings, StripShape::Other); // one menu for both panes
}
