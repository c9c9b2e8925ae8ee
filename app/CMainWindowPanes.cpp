#include "app/CMainWindow.h"
#include "app/TitleBarToggle.h"

void CMainWindow::Layout(int width, int height)
{
    const PaneLayoutRequest request = {width,
                                       height,
                                       m_container.GetCaptionHeight(),
                                       m_settings.main_preference,
                                       m_settings.itu_position,
                                       m_settings.itu_only,
                                       &m_scopePane1,
                                       &m_scopePane2,
                                       &m_meterPanel.GetMeterControl(),
                                       &m_rtaPane};
    m_paneFlags = LayoutPanes(request, m_slots);
    m_input.SetActivePanes(m_paneFlags);
}

void CMainWindow::LayoutControls(int width, int height, bool first)
{
    if (width < 1 && height < 1) {
        RECT client = {};
        GetClientRect(m_window.GetHwnd(), &client);
        width = client.right;
        height = client.bottom;
    }
    Layout(width, height);
    PlacePaneControls(m_slots, height, first ? LayoutPass::First : LayoutPass::Again, this);
}

void CMainWindow::ToggleTitleBar()
{
    ::ToggleTitleBar(*this);
}
