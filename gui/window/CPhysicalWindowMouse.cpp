// CPhysicalWindow: the mouse buttons and moves, as toolkit events, and the
// moves the user makes with them.
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowGeometry.h"
#include "gui/window/OwnWindowOrder.h"

namespace {
const int kTearOffDistance = 50; // px a docked window is dragged before it comes off its edge
const int kLeftButton = 1;       // GetMouseButtons
const int kRightButton = 2;      //

// The screen point of the input being handled, as the input carried it: the
// pointer may have gone on since the system queued it.
POINT InputPoint()
{
    return EventPoint(static_cast<int>(GetMessagePos()));
}
} // namespace

void CPhysicalWindow::OnMouseMove(HWND hwnd, LPARAM lParam, LRESULT& result)
{
    SetCursor(m_cursor.shape);
    m_cursor.lastActivity = Now();
    if (m_params.trackMouse && !m_mouse.tracking)
        StartMouseTracking();
    FollowDrag(InputPoint(), DragInput::Move);
    SendEvent(WindowEvent::MouseMove, static_cast<int>(lParam), 0, &result);
}

bool CPhysicalWindow::OnLeftButtonDown(LPARAM lParam, LRESULT& result, LifeGuard& guard)
{
    m_cursor.lastActivity = Now();
    CancelLifetimes();
    if (IsSwallowedMenuClick(MouseSwallow::Left))
        return true;
    if (!m_params.disabled && SendEvent(WindowEvent::LeftButtonDown, static_cast<int>(lParam), 0, &result))
        return false; // the listener took the press: no drag
    const POINT at = InputPoint();
    if (guard.alive && (InDragRect(at) || m_params.dragAnywhere) && m_params.movable)
        m_dragger.BeginDrag(at);
    return false;
}

bool CPhysicalWindow::OnLeftButtonUp(LPARAM lParam, LRESULT& result, LifeGuard& guard)
{
    m_cursor.lastActivity = Now();
    CancelLifetimes();
    if (TakeMouseUpSwallow(MouseSwallow::Left))
        return true;
    if (m_dragger.IsDragging())
        FollowDrag(InputPoint()); // a quick drag's last move may not have been heard
    FinishDrag();
    if (!guard.alive)
        return false;
    if (!m_params.disabled)
        SendEvent(WindowEvent::LeftButtonUp, static_cast<int>(lParam), 0, &result);
    return false;
}

void CPhysicalWindow::FollowDrag(POINT to, DragInput input)
{
    const bool follows = !m_place.maximized && !IsDocked() && !m_params.child;
    if (follows && (input == DragInput::Move ? m_dragger.TrackMove(to) : m_dragger.Track(to)))
        ::GetWindowRect(m_life.hwnd, &m_place.restoreRect);
    else if (IsDocked() && m_dragger.DistanceMoved(to) > kTearOffDistance)
        TearOff(to);
}

// Here (Wine) a captured window hears the pointer only while the pointer is
// over one of the program's windows or a button pressed on the window holds
// it: the Move command holds none, and hiding the window on a tear-off lets
// go of the held one. So a drag also follows the cursor from the tick and
// ends on a release that went to another window.
void CPhysicalWindow::TickDrag()
{
    if (!m_dragger.IsDragging())
        return;
    // The button state is the physical buttons': the drag holds the primary one.
    const int held = GetSystemMetrics(SM_SWAPBUTTON) ? kRightButton : kLeftButton;
    // The state reads up as soon as the release is sent: one still queued for
    // this thread ends the drag itself, at its own point.
    const DWORD queued = HIWORD(GetQueueStatus(QS_MOUSE));
    if (!m_place.moving && !(GetMouseButtons() & held) && !(queued & QS_MOUSEBUTTON)) {
        FollowDrag(CursorPoint()); // where the release went: the pointer stops there
        FinishDrag();
    } else if (!queued && m_dragger.CursorMoved())
        FollowDrag(CursorPoint()); // input still queued carries its own points
}

POINT CPhysicalWindow::CursorPoint()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

void CPhysicalWindow::FinishDrag()
{
    LifeGuard guard(this);
    m_dragger.EndDrag();
    if (!guard.alive || !m_place.moving)
        return;
    m_place.moving = false;
    CMoveInputHook::Stop(m_life.hwnd);
    // The Move command raised the window above all for the move only.
    if (m_params.topmostLevel != 0)
        return;
    SetWindowPos(m_life.hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_policy.mainWindow)
        RaiseOwnWindowsAbove(m_life.hwnd);
}

void CPhysicalWindow::EndMove(MoveEnd how, const POINT* at)
{
    if (!m_place.moving)
        return;
    FollowDrag(at ? *at : CursorPoint()); // where the click was, not where the pointer went since
    const RECT from = m_place.moveFrom;
    LifeGuard guard(this);
    FinishDrag();
    if (!guard.alive || how != MoveEnd::Cancel)
        return;
    SetWindowPos(m_life.hwnd, nullptr, from.left, from.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_place.restoreRect = from;
}

void CPhysicalWindow::EndDragBeforeLongWork()
{
    if (m_place.moving)
        EndMove(MoveEnd::Place, nullptr);
    else if (m_dragger.IsDragging())
        FinishDrag();
}

bool CPhysicalWindow::OnDoubleClick(HWND hwnd, MouseSwallow button, LPARAM lParam, LRESULT& result)
{
    if (button == MouseSwallow::Left)
        m_cursor.lastActivity = Now();
    if (IsSwallowedMenuClick(button))
        return true;
    if (button == MouseSwallow::Left && InDragRect(InputPoint())) {
        PostMessageA(hwnd, WM_SYSCOMMAND, m_place.maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
        return true;
    }
    if (!m_params.disabled)
        SendEvent(button == MouseSwallow::Left ? WindowEvent::LeftDoubleClick : WindowEvent::RightDoubleClick,
                  static_cast<int>(lParam), 0, &result);
    return false;
}

bool CPhysicalWindow::OnRightButton(UINT message, LPARAM lParam, LRESULT& result, LifeGuard& guard)
{
    m_cursor.lastActivity = Now();
    CancelLifetimes();
    const bool down = message == WM_RBUTTONDOWN || message == ToolkitMessage::RButtonDown;
    if (down ? IsSwallowedMenuClick(MouseSwallow::Right) : TakeMouseUpSwallow(MouseSwallow::Right))
        return true;
    if (down && m_dragger.IsDragging() && !m_place.moving) {
        FinishDrag(); // a menu this press opens would stand over a window still moving
        if (!guard.alive)
            return false;
    }
    if (!m_params.disabled)
        SendEvent(down ? WindowEvent::RightButtonDown : WindowEvent::RightButtonUp, static_cast<int>(lParam), 0,
                  &result);
    return false;
}

bool CPhysicalWindow::InDragRect(POINT screen) const
{
    const POINT at = ClientPosOf(screen);
    return at.x >= m_place.dragRect.left && at.x <= m_place.dragRect.right && at.y >= m_place.dragRect.top &&
           at.y <= m_place.dragRect.bottom;
}

void CPhysicalWindow::KeepCaptionWhileMoving(WINDOWPOS& pos) const
{
    const bool movesOnly = (pos.flags & SWP_NOSIZE) && !(pos.flags & SWP_NOMOVE);
    if (!movesOnly || !(m_dragger.IsDragging() || m_place.moving) || IsDocked() || m_place.maximized)
        return;
    RECT now = {};
    ::GetWindowRect(m_life.hwnd, &now); // a move keeps the size
    const int width = now.right - now.left, height = now.bottom - now.top;
    KeepCaptionOnMonitors(pos.x, pos.y, width, height);
}
