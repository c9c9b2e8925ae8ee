// CPhysicalWindow: normal, minimized and maximized states, sizing and snapping,
// resize zones, the monitor clamp and the window commands; whether it is
// active, shown or minimized.
#include "common/DebugTrace.h"
#include "gui/controls/ControlNotification.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/WindowEvent.h"
#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowGeometry.h"

namespace {
const UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;

bool IsMinimizedState(UINT showCmd)
{
    return showCmd == SW_MINIMIZE || showCmd == SW_SHOWMINIMIZED || showCmd == SW_SHOWMINNOACTIVE ||
           showCmd == SW_FORCEMINIMIZE;
}

bool IsShownState(HWND hwnd)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    return IsWindowVisible(hwnd) && GetWindowPlacement(hwnd, &placement) && placement.showCmd != SW_HIDE &&
           !IsMinimizedState(placement.showCmd);
}

} // namespace

bool CPhysicalWindow::CanMove() const
{
    return !m_place.maximized && !IsMinimized() && !IsDocked() && m_params.movable;
}

bool CPhysicalWindow::CanMaximize() const
{
    return !m_place.maximized && !IsMinimized() && !IsDocked();
}

bool CPhysicalWindow::CanRestore() const
{
    return IsMinimized() || m_place.maximized || IsDocked();
}

bool CPhysicalWindow::CanMinimize() const
{
    return !IsMinimized() && !IsDocked() && m_policy.taskbarButtonWanted;
}

bool CPhysicalWindow::HasMinMax() const
{
    return m_params.minimizable || m_params.maximizable;
}

void CPhysicalWindow::Minimize()
{
    if (!m_life.hwnd || !m_params.minimizable || IsDocked())
        return;
    m_dock.forcedMoves = 0;
    // A minimized window's own rectangle is its icon's.
    if (!m_place.maximized && !IsMinimized())
        ::GetWindowRect(m_life.hwnd, &m_place.restoreRect);
    ShowWindow(m_life.hwnd, SW_MINIMIZE);
}

void CPhysicalWindow::Maximize(const RECT* normalRect)
{
    if (!m_life.hwnd || !m_params.maximizable || IsDocked())
        return;
    RECT normal = m_place.restoreRect;
    if (!IsMinimized() && !m_place.maximized) {
        if (normalRect)
            normal = *normalRect;
        else
            ::GetWindowRect(m_life.hwnd, &normal);
    }
    RECT monitor, work;
    if (!GetMonitorRects(normal, &monitor, &work))
        return;
    m_dock.forcedMoves = 0;
    m_place.restoreRect = normal;
    m_place.maximized = true;
    m_place.wasMaximized = true;
    m_dock.edgeTouch = TouchingSides(work, monitor);
    SendStateChanged();
    if (EqualRect(&m_place.restoreRect, &work)) {
        LRESULT scratch = 0;
        SendRectEvent(WindowEvent::Resized, scratch); // no WM_SIZE will come
    }
    ShowWindow(m_life.hwnd, SW_SHOWNORMAL);
    SetWindowPos(m_life.hwnd, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 m_policy.zOrderFlags);
}

void CPhysicalWindow::RefitMaximized()
{
    RECT monitor, work;
    if (!m_place.maximized || IsMinimized() || !GetMonitorRects(m_place.restoreRect, &monitor, &work))
        return;
    m_dock.edgeTouch = TouchingSides(work, monitor);
    SetWindowPos(m_life.hwnd, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 m_policy.zOrderFlags);
}

void CPhysicalWindow::Restore()
{
    if (!m_life.hwnd)
        return;
    m_dock.forcedMoves = 0;
    const RECT target = m_place.restoreRect;
    if (IsDocked()) {
        Undock();
        return;
    }
    if (IsMinimized()) {
        if (m_place.wasMaximized || m_place.maximized) {
            m_place.wasMaximized = false;
            Maximize(nullptr);
            return;
        }
        ShowWindow(m_life.hwnd, SW_RESTORE);
    } else {
        m_place.wasMaximized = false;
    }
    RECT old = {};
    ::GetWindowRect(m_life.hwnd, &old);
    m_place.maximized = false;
    ShowWindow(m_life.hwnd, SW_RESTORE);
    SetWindowPos(m_life.hwnd, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 m_policy.zOrderFlags);
    if (EqualRect(&old, &target)) {
        LRESULT scratch = 0;
        SendRectEvent(WindowEvent::Resized, scratch);
    }
    SendStateChanged();
}

void CPhysicalWindow::SendStateChanged()
{
    int scratch = 0;
    if (m_links.stateListener)
        m_links.stateListener->OnEvent(this, 0, WindowEvent::StateChanged, 0, 0, &scratch);
}

void CPhysicalWindow::StartMove()
{
    if (!m_life.hwnd)
        return;
    m_dock.forcedMoves = 0;
    SetForegroundWindow(m_life.hwnd);
    RECT rect = {};
    ::GetWindowRect(m_life.hwnd, &rect);
    int x = 0, y = 0;
    GetCursorScreenPos(x, y);
    m_place.moving = true; // from the first move on: the centred window keeps its title bar reachable
    m_place.moveFrom = rect;
    Move(x - (rect.right - rect.left) / 2, y - (rect.bottom - rect.top) / 2);
    SetWindowPos(m_life.hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
    SetWindowPos(m_life.hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize);
    if (m_params.movable)
        m_dragger.BeginDrag(CursorPoint()); // a command, no press: the pointer is the grip
    CMoveInputHook::Start(m_life.hwnd);
    StartTickTimer(); // the tick follows the cursor wherever the window cannot hear it
}

void CPhysicalWindow::Activate()
{
    DebugTrace("SetForegroundWindow\n");
    SetActiveWindow(m_life.hwnd);
    SetForegroundWindow(m_life.hwnd);
}

uint32_t CPhysicalWindow::GetEdgeTouch() const
{
    return (m_place.maximized || IsDocked()) ? m_dock.edgeTouch : 0;
}

int CPhysicalWindow::GetFrameMask() const
{
    return (m_place.maximized || IsDocked()) ? FrameMaskOf(m_dock.edgeTouch) : 0;
}

int CPhysicalWindow::HitTestBorder(int x, int y) const
{
    if (!m_params.resizable)
        return SizingHandle::None;
    return BorderHitTest(x, y, m_params.width, m_params.height, m_dock.edge);
}

LRESULT CPhysicalWindow::OnHitTest(LPARAM lParam)
{
    POINT at = EventPoint(int(lParam));
    ScreenToClient(m_life.hwnd, &at);
    const int handle = m_place.maximized ? SizingHandle::None : HitTestBorder(at.x, at.y);
    if (handle != SizingHandle::None)
        return HitCodeOfHandle(handle);
    if (!CCoverProbe::IsProbing())
        SetCursor(m_cursor.shape);
    return HTCLIENT;
}

void CPhysicalWindow::ClampToMonitor(int flags)
{
    if (!m_life.hwnd)
        return;
    RECT rect = {};
    ::GetWindowRect(m_life.hwnd, &rect);
    const int32_t* insets = m_params.insets; // left, top, right, bottom
    rect = {rect.left + insets[0], rect.top + insets[1], rect.right - insets[2], rect.bottom - insets[3]};
    RECT area;
    if (!GetClampArea(rect, flags, area))
        return;
    const POINT at = ClampIntoArea(rect, area, flags);
    // The insets are no part of what must fit: the window keeps them around it.
    SetWindowPos(m_life.hwnd, nullptr, at.x - insets[0], at.y - insets[1], 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {
// A click or a chosen item from a button, a list or a menu carries a command
// as its control id.
bool CarriesWindowCommand(const ControlNotification& notice)
{
    const bool kind = notice.kind == NotifyKind::Button || notice.kind == NotifyKind::DropList ||
                      notice.kind == NotifyKind::PopupMenu;
    return kind && (notice.code == NotifyCode::Click || notice.code == NotifyCode::Selected);
}
} // namespace

int CPhysicalWindow::OnNotify(void* record)
{
    if (!record)
        return 0;
    const ControlNotification& notice = *static_cast<const ControlNotification*>(record);
    if (!CarriesWindowCommand(notice))
        return 0;
    switch (notice.controlId) {
    case WindowCommand::Minimize: PostMessageA(m_life.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case WindowCommand::MaximizeOrRestore:
        PostMessageA(m_life.hwnd, WM_SYSCOMMAND, m_place.maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
        break;
    case WindowCommand::Restore: PostMessageA(m_life.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0); break;
    case WindowCommand::Close: PostMessageA(m_life.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case WindowCommand::Move: StartMove(); break;
    case WindowCommand::Dock: DockNearest(); break;
    default: break;
    }
    return 0;
}

bool CPhysicalWindow::RunStateCommand(WPARAM command)
{
    switch (command) {
    case SC_MINIMIZE:
        DebugTrace("SC_MINIMIZE\n");
        Minimize();
        return true;
    case SC_MAXIMIZE:
        DebugTrace("SC_MAXIMIZE\n");
        Maximize(nullptr);
        return true;
    case SC_RESTORE:
        DebugTrace("SC_RESTORE\n");
        Restore();
        return m_place.maximized;
    default: return false;
    }
}

bool CPhysicalWindow::DispatchStates(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); return false;
    case WM_SIZING:
        OnSizing(wParam, reinterpret_cast<RECT*>(lParam));
        result = 0;
        return true;
    case WM_SETTINGCHANGE:
        // A docked bar hears of other bars from the shell (ABN_POSCHANGED).
        if (wParam == SPI_SETWORKAREA)
            RefitMaximized();
        return false;
    case WM_DISPLAYCHANGE:
        if (IsDocked())
            DockNearest();
        RefitMaximized();
        return false;
    case ToolkitMessage::AppBar: OnAppBarNotify(wParam); return false;
    default: return false;
    }
}

void CPhysicalWindow::OnWindowPosChanging(WINDOWPOS* pos)
{
    if (!pos)
        return;
    if ((IsDocked() && !m_place.inSizeMove) || m_dock.forcedMoves > 0) {
        if (m_dock.forcedMoves > 0)
            --m_dock.forcedMoves;
        pos->x = m_dock.heldRect.left;
        pos->y = m_dock.heldRect.top;
        pos->cx = m_dock.heldRect.right - m_dock.heldRect.left;
        pos->cy = m_dock.heldRect.bottom - m_dock.heldRect.top;
    } else if (!m_params.child) {
        SnapOnMove(*pos);
        KeepCaptionWhileMoving(*pos);
    }
    MarkPlacementDirty();
}

void CPhysicalWindow::SnapOnMove(WINDOWPOS& pos)
{
    const bool movesOnly = (pos.flags & SWP_NOSIZE) && !(pos.flags & SWP_NOMOVE);
    if (!movesOnly || m_params.popupMenu || !m_params.snapEdges)
        return;
    RECT work;
    if (GetMonitorRects(m_place.restoreRect, nullptr, &work))
        SnapMove(pos.x, pos.y, m_params.width, m_params.height, work);
}

void CPhysicalWindow::OnSizing(WPARAM edge, RECT* rect)
{
    if (!rect)
        return;
    const int handle = HandleFromSizingEdge(edge);
    const bool across = m_dock.edge == DockEdge::Left || m_dock.edge == DockEdge::Right;
    if (!IsDocked()) {
        RECT work;
        if (m_params.snapEdges && GetMonitorRects(m_place.restoreRect, nullptr, &work))
            SnapSizingRect(*rect, handle, work);
    } else {
        const int width = rect->right - rect->left, height = rect->bottom - rect->top;
        SizeProposal proposal = {width, height, across ? SizeAxis::Horizontal : SizeAxis::Vertical, 0};
        int scratch = 0;
        SendEvent(WindowEvent::Sizing, 0, PointerParam(&proposal), &scratch);
        if (proposal.width != width || proposal.height != height)
            SizingRectClamp(*rect, handle, proposal.width, proposal.height, proposal.width, proposal.height);
    }
    int scratch = 0;
    SendEvent(WindowEvent::SizingClamped, handle, PointerParam(rect), &scratch);
    if (!IsDocked())
        return;
    if (across)
        m_params.dockedWidth = rect->right - rect->left;
    else
        m_params.dockedHeight = rect->bottom - rect->top;
}

bool CPhysicalWindow::IsActive() const
{
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    return m_life.hwnd && GetWindowInfo(m_life.hwnd, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
}

bool CPhysicalWindow::IsShownAndNotMinimized() const
{
    return m_life.hwnd && IsShownState(m_life.hwnd) && IsShownState(GetAncestor(m_life.hwnd, GA_ROOTOWNER));
}

bool CPhysicalWindow::IsOnScreen()
{
    RECT box;
    const HDC dc = IsShownAndNotMinimized() ? PresentDC() : nullptr;
    return dc && GetClipBox(dc, &box) > NULLREGION;
}

bool CPhysicalWindow::IsWhollyCovered()
{
    return m_life.hwnd && m_cover.IsWhollyCovered(m_life.hwnd, GetTickCount());
}

bool CPhysicalWindow::IsMinimized() const
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    return m_life.hwnd && GetWindowPlacement(m_life.hwnd, &placement) && IsMinimizedState(placement.showCmd);
}
