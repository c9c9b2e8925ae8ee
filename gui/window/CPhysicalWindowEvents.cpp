// CPhysicalWindow: from window messages to toolkit events.
#include "gui/window/CPhysicalWindow.h"
#include "common/DebugTrace.h"
#include "gui/window/CWindowMenu.h"
#include "gui/window/WindowEvent.h"

namespace {
const int kWheelStep = WHEEL_DELTA; // one notch
const int kWindowMenuWidth = 100;   // the menu opened from the taskbar button
const int kWindowMenuHeight = 100;  //
const int kWindowMenuRows = 10;     //
const int kKeyRepeatMask = 0xFFFF;  // lParam bits 0-15
const int kKeyScanShift = 16;       // lParam bits 16-23
const int kKeyScanMask = 0xFF;      //
const int kKeyExtendedShift = 24;   // lParam bit 24

bool IsButtonMessage(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return true;
    default: return false;
    }
}
} // namespace

int CPhysicalWindow::SendEvent(int code, int p1, int p2, void* data)
{
    if (m_links.eventHook) {
        const int answer = m_links.eventHook->OnEvent(this, 0, code, p1, p2, data);
        if (answer)
            return answer;
    }
    return m_links.listener ? m_links.listener->OnEvent(this, 0, code, p1, p2, data) : 0;
}

LRESULT CPhysicalWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LifeGuard guard(this);
    LRESULT result = 0;
    const bool hookLate = IsButtonMessage(message);
    if (message == WM_QUERYENDSESSION) {
        EndDragBeforeLongWork(); // the owner's saves for the session's end come next
        if (!guard.alive)
            return TRUE;
    }
    if (m_links.messageHook && !hookLate &&
        m_links.messageHook->OnMessage(this, hwnd, message, wParam, lParam, &result))
        return result;
    if (m_life.deviceChangeMessage && message == m_life.deviceChangeMessage) {
        SendEvent(WindowEvent::DeviceChange, 0, 0, &result);
        if (!guard.alive)
            return result;
    }
    YieldIfVerbose();
    bool handled = false;
    const LRESULT answer = Dispatch(hwnd, message, wParam, lParam, result, handled, guard);
    if (handled)
        return answer;
    if (!guard.alive)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (hookLate && m_links.messageHook && m_links.messageHook->OnMessage(this, hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CPhysicalWindow::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& handled,
                                  LifeGuard& guard)
{
    handled = true;
    switch (message) {
    case WM_DESTROY:
        m_life.destroying = true;
        SendEvent(WindowEvent::Destroyed, 0, 0, &result);
        if (guard.alive)
            Release();
        break;
    case WM_MOVE:
        m_params.x = EventPoint(int(lParam)).x;
        m_params.y = EventPoint(int(lParam)).y;
        if (m_params.verbose)
            DebugTrace("WM_MOVE: %i, %i\n", m_params.x, m_params.y);
        SendEvent(WindowEvent::Moved, 0, 0, &result);
        break;
    case WM_SIZE: OnSize(lParam); return 0;
    case WM_ACTIVATE: OnActivate(wParam, result); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SendEvent(WindowEvent::Focus, message == WM_SETFOCUS, 0, &result); break;
    case WM_SETTEXT: SendEvent(WindowEvent::TextSet, 0, static_cast<int>(lParam), &result); break;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENDSESSION:
        // A cancelled end of session comes out as a timer 0, as it always has.
        if (wParam)
            SendEvent(WindowEvent::SessionEnding, 0, 0, &result);
        else
            SendEvent(WindowEvent::Timer, 0, 0, &result);
        break;
    case WM_MOUSEACTIVATE:
        if (m_params.popupMenu || m_params.toolPopup)
            return MA_NOACTIVATE;
        break;
    case WM_WINDOWPOSCHANGED:
        if (IsMinimized())
            m_place.maximized = false;
        break;
    case WM_NCHITTEST: return OnHitTest(lParam);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) == hwnd)
            break;
        if (m_place.moving && m_dragger.IsDragging())
            EndMove(MoveEnd::Place, nullptr); // a menu or another program took the pointer
        if (guard.alive)
            SendEvent(WindowEvent::CaptureLost, 0, 0, &result);
        break;
    case WM_NCLBUTTONDOWN:
        CancelLifetimes();
        DismissOpenMenu();
        break;
    case WM_KEYDOWN: SendKeyEvent(WindowEvent::KeyDown, wParam, lParam, result); break;
    case WM_KEYUP: SendKeyEvent(WindowEvent::KeyUp, wParam, lParam, result); break;
    case WM_SYSCOMMAND:
        if (wParam != SC_CLOSE) {
            if (RunStateCommand(wParam))
                return 0;
            break;
        }
        DebugTrace("SC_CLOSE\n");
        EndDragBeforeLongWork();
        if (!guard.alive)
            return 0;
        SendEvent(WindowEvent::CloseCommand, 0, 0, &result);
        return 0;
    case WM_TIMER:
        if (wParam == WindowTimer::Tick) {
            PolicyTick();
            return 0;
        }
        if (wParam == WindowTimer::MouseTrack)
            TrackMouse();
        if (guard.alive)
            SendEvent(WindowEvent::Timer, static_cast<int>(wParam), 0, &result);
        break;
    case WM_ENTERSIZEMOVE:
        m_place.inSizeMove = true;
        SendEvent(WindowEvent::EnterSizeMove, 0, 0, &result);
        break;
    case WM_EXITSIZEMOVE:
        m_place.inSizeMove = false;
        SendEvent(WindowEvent::ExitSizeMove, 0, 0, &result);
        if (guard.alive && IsDocked())
            DockNearest();
        break;
    default:
        if (DispatchStates(message, wParam, lParam, result))
            return result;
        if (DispatchMouse(hwnd, message, wParam, lParam, result, guard))
            return 0;
        if (DispatchToolkit(hwnd, message, wParam, lParam, result, guard))
            return result;
        break;
    }
    handled = false;
    return 0;
}

// The mouse rows; true when the message returns 0 without the default step.
bool CPhysicalWindow::DispatchMouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                    LifeGuard& guard)
{
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(hwnd, lParam, result); return false;
    case WM_LBUTTONDOWN: return OnLeftButtonDown(lParam, result, guard);
    case WM_LBUTTONUP: return OnLeftButtonUp(lParam, result, guard);
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK: return OnDoubleClick(hwnd, MouseSwallow::Left, lParam, result);
    case WM_RBUTTONDBLCLK: return OnDoubleClick(hwnd, MouseSwallow::Right, lParam, result);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case ToolkitMessage::RButtonDown:
    case ToolkitMessage::RButtonUp: return OnRightButton(message, lParam, result, guard);
    case WM_MOUSEWHEEL:
        m_cursor.lastActivity = Now();
        CancelLifetimes();
        return SendEvent(WindowEvent::MouseWheel, static_cast<short>(HIWORD(wParam)) / kWheelStep, 0, &result) != 0;
    default: return false;
    }
}

// The toolkit's own messages; true when the message returns result without the default step.
bool CPhysicalWindow::DispatchToolkit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                      LifeGuard& guard)
{
    switch (message) {
    case ToolkitMessage::WindowMenu:
        OnWindowMenuRequest();
        result = 0;
        return true;
    case ToolkitMessage::Created:
        SetCursor(m_cursor.shape);
        SendEvent(WindowEvent::Created, 0, 0, &result);
        return false;
    case ToolkitMessage::Docked:
    case ToolkitMessage::Undocked:
        OnDockChange();
        SendRectEvent(WindowEvent::Resized, result);
        return false;
    case ToolkitMessage::External:
        SendEvent(WindowEvent::External, static_cast<int>(wParam), static_cast<int>(lParam), &result);
        return true;
    case ToolkitMessage::Close:
        SendEvent(WindowEvent::Destroyed, 0, 0, &result);
        if (guard.alive) {
            YieldIfVerbose();
            Destroy();
        }
        result = 0;
        return true;
    case ToolkitMessage::Placed: SendRectEvent(WindowEvent::Resized, result); return false;
    case ToolkitMessage::MoveEnded: {
        const POINT at = EventPoint(static_cast<int>(lParam));
        EndMove(static_cast<MoveEnd>(wParam), &at);
        result = 0;
        return true;
    }
    default: return false;
    }
}

void CPhysicalWindow::OnSize(LPARAM lParam)
{
    const int width = LOWORD(lParam), height = HIWORD(lParam);
    if (m_params.verbose) {
        Sleep(0);
        DebugTrace("WM_SIZE %i, %i\n", width, height);
    }
    // Minimizing gives a zero size; neither it nor a repeat is a resize. A
    // relayout while minimized takes the icon's size, so the size a restore
    // brings back counts as new.
    if (width == 0 || height == 0) {
        m_place.lastWidth = m_place.lastHeight = -1;
        return;
    }
    if (width == m_place.lastWidth && height == m_place.lastHeight)
        return;
    m_place.lastWidth = width;
    m_place.lastHeight = height;
    if (!m_place.maximized && !IsMinimized() && !IsDocked() && m_dock.forcedMoves == 0)
        ::GetWindowRect(m_life.hwnd, &m_place.restoreRect);
    LRESULT scratch = 0;
    SendRectEvent(WindowEvent::Resized, scratch);
}

void CPhysicalWindow::OnPaint(HWND hwnd)
{
    CBitmapDC* bitmap = GetBackBitmap();
    if (m_params.listenerPaints) {
        SendEvent(WindowEvent::Paint, 0, 0, &bitmap);
        if (!bitmap) {
            ValidateRect(hwnd, nullptr); // else the system asks again at once, forever
            return;
        }
    }
    RECT update;
    if (!GetUpdateRect(hwnd, &update, FALSE)) {
        DebugTrace("NOUPDATERECT\n");
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (!dc) {
        DebugTrace("NO HDC!\n");
        return;
    }
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap->GetDC(), r.left, r.top, SRCCOPY);
    EndPaint(hwnd, &paint);
}

void CPhysicalWindow::OnActivate(WPARAM wParam, LRESULT& result)
{
    const WORD state = LOWORD(wParam);
    if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
        m_policy.zOrderFlags = 0;
        SendEvent(WindowEvent::Activate, 1, 0, &result);
        return;
    }
    // A click elsewhere may take the activation before the drag's last moves and release are heard:
    // the window stops under the pointer, as the release would have put it. A tear-off hides the
    // window on the way and takes the drag on itself.
    if (m_dragger.IsDragging() && !m_dock.undockedByDrag)
        FollowDrag(CursorPoint());
    FinishDrag();
    ForgetOpenMenu(); // an activated menu closes with its activation, wherever the cursor is
    DismissOpenMenu();
    // Focus passing to the open menu is no deactivation for the owner.
    if (!IsMenuOpen())
        SendEvent(WindowEvent::Activate, 0, 0, &result);
}

void CPhysicalWindow::OnWindowMenuRequest()
{
    if (!m_life.windowMenu || m_params.windowMenuOption == 0)
        return;
    WindowMenuRequest request;
    GetCursorScreenPos(request.x, request.y);
    request.width = kWindowMenuWidth;
    request.height = kWindowMenuHeight;
    request.window = this;
    request.visibleRows = kWindowMenuRows;
    request.container = m_params.windowMenuOption;
    m_life.windowMenu->BuildItems(request);
}

void CPhysicalWindow::SendKeyEvent(int code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    KeyRecord key = {};
    key.virtualKey = static_cast<int32_t>(wParam);
    key.repeatCount = static_cast<int32_t>(lParam & kKeyRepeatMask);
    key.scanCode = static_cast<int32_t>((lParam >> kKeyScanShift) & kKeyScanMask);
    key.extended = static_cast<uint8_t>((lParam >> kKeyExtendedShift) & 1);
    SendEvent(code, static_cast<int>(wParam), PointerParam(&key), &result);
}

void CPhysicalWindow::SendRectEvent(int code, LRESULT& result)
{
    RECT rect = {};
    GetWindowRect(rect);
    SendEvent(code, 0, PointerParam(&rect), &result);
}
