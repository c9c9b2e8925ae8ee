// CPhysicalWindow: docking to a monitor edge as a desktop toolbar, undocking
// and tearing off, and the shell's notifications.
#include "common/DebugTrace.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/WindowEvent.h"
#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowGeometry.h"
#include "gui/window/WindowShellApi.h"

namespace {
const UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;
const int kEdgeByteMask = 0xFF; // the edge, without TooFar or anything above

APPBARDATA AppBarData(HWND hwnd)
{
    APPBARDATA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd;
    data.uCallbackMessage = ToolkitMessage::AppBar;
    return data;
}

// DockEdge 1..4 in the shell's order of edges.
UINT ShellEdge(int edge)
{
    static const UINT edges[] = {ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM};
    return edges[edge - DockEdge::Left];
}

UINT_PTR AskShell(DWORD message, APPBARDATA& data)
{
    return CurrentWindowShellApi().appBarMessage(message, &data);
}
} // namespace

int CPhysicalWindow::ChooseDockEdge(RECT* monitorOut, RECT* workOut, int left, int top, int right, int bottom) const
{
    if (!IsDockable() || m_place.maximized || IsMinimized())
        return DockEdge::None;
    const RECT rect = {left, top, right, bottom};
    RECT monitor, work;
    if (!GetMonitorRects(rect, &monitor, &work))
        return DockEdge::NoMonitor;
    if (monitorOut)
        *monitorOut = monitor;
    if (workOut)
        *workOut = work;
    return ChooseEdgeInWorkArea(rect, work);
}

int CPhysicalWindow::NearestDockEdge() const
{
    RECT rect;
    GetWindowRect(rect);
    return ChooseDockEdge(nullptr, nullptr, rect.left, rect.top, rect.right, rect.bottom);
}

void CPhysicalWindow::RegisterAppBar()
{
    if (!IsDockable() || IsDocked())
        return;
    APPBARDATA data = AppBarData(m_life.hwnd);
    if (!AskShell(ABM_NEW, data)) {
        DebugTrace("SHAppBarMessage(ABM_NEW) failed!\n");
        m_params.dockable = 0;
    }
}

void CPhysicalWindow::UnregisterAppBar()
{
    if (!IsDockable() || !IsDocked())
        return;
    APPBARDATA data = AppBarData(m_life.hwnd);
    AskShell(ABM_REMOVE, data);
    m_dock.edge = DockEdge::None;
}

int CPhysicalWindow::DockToEdge(int edge, const RECT* rect)
{
    // Everything that can refuse is asked before the shell hears of the window:
    // a registration left behind would make every later one fail.
    if (!m_life.hwnd || !IsDockable() || edge < DockEdge::Left || edge > DockEdge::Bottom)
        return DockEdge::None;
    RECT from;
    if (rect)
        from = *rect;
    else
        GetWindowRect(from);
    RECT work;
    if (!GetMonitorRects(from, nullptr, &work))
        return DockEdge::None;
    // A bar over the taskbar hides the tray and, where the taskbar is raised
    // above it, loses the presses on its outer margin.
    const RECT area = DockArea(edge, work, IsDocked() && m_dock.edge == edge ? &m_dock.heldRect : nullptr);
    if (!IsDocked()) {
        m_place.restoreRect = from;
        RegisterAppBar();
        if (!IsDockable())
            return DockEdge::None;
    }
    const bool across = edge == DockEdge::Left || edge == DockEdge::Right;
    SizeProposal proposal = {m_params.dockedWidth, area.bottom - area.top, SizeAxis::Horizontal, 0};
    if (!across)
        proposal = {area.right - area.left, m_params.dockedHeight, SizeAxis::Vertical, 0};
    int scratch = 0;
    SendEvent(WindowEvent::Sizing, 0, PointerParam(&proposal), &scratch);

    APPBARDATA data = AppBarData(m_life.hwnd);
    data.uEdge = ShellEdge(edge);
    const RECT proposed = DockedRectOnMonitor(edge, area, proposal.width, proposal.height);
    data.rc = proposed;
    AskShell(ABM_QUERYPOS, data);
    const RECT answer = KeepDockThickness(edge, proposed, data.rc);
    m_dock.edgeTouch = TouchingSides(answer, work); // the sides it meets of the area it was docked into
    m_dock.edge = edge;
    m_dock.heldRect = answer;
    if (m_policy.taskbarButtonShown)
        Show(false);
    data.rc = answer;
    AskShell(ABM_SETPOS, data);
    const int width = answer.right - answer.left, height = answer.bottom - answer.top;
    MoveWindow(m_life.hwnd, answer.left, answer.top, width, height, TRUE);
    if (m_params.topmostWhenDocked)
        SetWindowPos(m_life.hwnd, HWND_TOPMOST, answer.left, answer.top, width, height, m_policy.zOrderFlags);
    PostMessageA(m_life.hwnd, ToolkitMessage::Docked, 0, 0);
    return edge;
}

int CPhysicalWindow::DockNearest()
{
    if (!IsDockable())
        return DockEdge::None;
    const int code = NearestDockEdge();
    const int edge = IsDocked() ? m_dock.edge : code;
    const RECT normal = m_place.restoreRect;
    DockToEdge(edge & kEdgeByteMask, &normal);
    return IsDocked() ? m_dock.edge : code;
}

void CPhysicalWindow::Undock()
{
    if (!IsDocked()) {
        m_dock.undockedByDrag = false;
        return;
    }
    // Off the shell's books first: hiding an active window deactivates it,
    // which ends a drag, and a drag that ends while docked docks again.
    UnregisterAppBar();
    m_dock.edge = DockEdge::None;
    Show(false);
    m_place.lastWidth = m_place.lastHeight = -1;
    m_dock.forcedMoves = kForcedMovesAfterUndock;
    SetWindowPos(m_life.hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize | m_policy.zOrderFlags);
    SetWindowPos(m_life.hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize | m_policy.zOrderFlags);
    if (m_dock.undockedByDrag) {
        m_dock.undockedByDrag = false;
        int cursorX = 0, cursorY = 0, offsetX = 0, offsetY = 0;
        GetCursorScreenPos(cursorX, cursorY);
        m_dragger.GetOffset(offsetX, offsetY);
        RECT& normal = m_place.restoreRect;
        int x = cursorX - offsetX, y = cursorY - offsetY;
        KeepCaptionOnMonitors(x, y, normal.right - normal.left, normal.bottom - normal.top);
        OffsetRect(&normal, x - normal.left, y - normal.top);
    }
    m_dock.heldRect = m_place.restoreRect;
    SetBounds(m_place.restoreRect.left, m_place.restoreRect.top, m_place.restoreRect.right, m_place.restoreRect.bottom);
    SendMessageA(m_life.hwnd, ToolkitMessage::Undocked, 0, 0);
}

void CPhysicalWindow::TearOff(POINT at)
{
    m_dock.undockedByDrag = true;
    const int halfWidth = (m_place.restoreRect.right - m_place.restoreRect.left) / 2;
    const int halfHeight = (m_place.restoreRect.bottom - m_place.restoreRect.top) / 2;
    m_dragger.SetOffset(halfWidth, halfHeight);
    Undock();
    m_dock.forcedMoves = 0; // the drag places the window from here, not the held rectangle
    // Hiding an active window deactivated it, which ended the drag.
    if (!m_dragger.IsDragging()) {
        m_dragger.BeginDrag(at);
        m_dragger.SetOffset(halfWidth, halfHeight);
    }
    ::SetCapture(m_life.hwnd); // hiding the window took it
    FollowDrag(at);            // the pull's own point, not the place the undock left
}

void CPhysicalWindow::OnDockChange()
{
    if (IsDocked())
        SetTaskbarButtonStyle(false);
    else if (m_policy.taskbarButtonWanted)
        SetTaskbarButtonStyle(true);
    Show(true);
}

void CPhysicalWindow::SetTopmostWhenDocked(bool topmost)
{
    m_params.topmostWhenDocked = topmost;
    if (IsDocked())
        SetWindowPos(m_life.hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     kKeepPlaceAndSize | m_policy.zOrderFlags);
}

void CPhysicalWindow::OnAppBarNotify(WPARAM code)
{
    switch (code) {
    case ABN_STATECHANGE: DebugTrace("ABN_STATECHANGE\n"); break;
    case ABN_POSCHANGED:
        // Only a docked window is the shell's; an undocked one stays where it is.
        if (IsDocked())
            DockNearest();
        DebugTrace("ABN_POSCHANGED\n");
        break;
    case ABN_FULLSCREENAPP: break;
    case ABN_WINDOWARRANGE: DebugTrace("ABN_WINDOWARRANGE\n"); break;
    default: DebugTrace("ABN_UNKNOWN! %x\n", static_cast<unsigned>(code)); break;
    }
}
