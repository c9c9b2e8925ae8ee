// CPhysicalWindow: the policy tick (cursor hide, placement autosave, the
// covered docked window, outside-click close, lifetime, topmost level 2, a
// drag the window does not hear), the taskbar button, showing and disabling;
// the tick source and its timer.
#include "common/CTickSource.h"
#include "common/DebugTrace.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/WindowShellApi.h"

namespace {
const UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;
const uint32_t kPlacementQuietMs = 10000; // saved this long after the last change
const int kClassNameChars = 256;
const int kTopmostAboveAll = 2; // topmost level re-asserted on every tick

// The foreground window of any program, when there is one.
HWND ForegroundWindow()
{
    HWND foreground = CurrentWindowShellApi().getForegroundWindow();
    return foreground && IsWindow(foreground) ? foreground : nullptr;
}
} // namespace

void CPhysicalWindow::PolicyTick()
{
    const uint32_t now = Now();
    TickCursorHide(now);
    TickPlacementSave(now);
    if (IsDocked())
        TickCoveredWhileDocked();
    if (m_params.closeOnOutsideClick && GetMouseButtons() != 0 && !IsCursorOverWindow()) {
        // A listener may delete this object on the way: nothing of it is touched after.
        Destroy();
        return;
    }
    TickLifetime(now);
    if (m_params.topmostLevel >= kTopmostAboveAll)
        TickTopmost();
    TickDrag(); // last: the end of a drag may delete this object
}

void CPhysicalWindow::TickCursorHide(uint32_t now)
{
    if (m_params.cursorHideMs == 0)
        return;
    POINT cursor = {};
    if (m_cursor.hidden && GetCursorPos(&cursor) && (cursor.x != m_cursor.atHide.x || cursor.y != m_cursor.atHide.y))
        m_cursor.lastActivity = now;
    if (now - m_cursor.lastActivity > static_cast<uint32_t>(m_params.cursorHideMs)) {
        if (!m_cursor.hidden) {
            GetCursorPos(&m_cursor.atHide);
            ShowCursor(false);
            m_cursor.hidden = true;
        }
    } else {
        ShowHiddenCursor();
    }
}

void CPhysicalWindow::ShowHiddenCursor()
{
    if (!m_cursor.hidden)
        return;
    ShowCursor(true);
    m_cursor.hidden = false;
}

void CPhysicalWindow::TickPlacementSave(uint32_t now)
{
    if (!m_params.savePlacement || !m_place.dirty || m_place.changeTick == 0)
        return;
    // Not while the window moves: the save waits for the Move or drag to end.
    if (now - m_place.changeTick <= kPlacementQuietMs || m_place.moving || m_dragger.IsDragging())
        return;
    m_place.changeTick = 0;
    m_place.dirty = false;
    SavePlacement(m_params.iniPath.c_str(), m_params.section.c_str(), m_params.key.c_str());
}

void CPhysicalWindow::TickCoveredWhileDocked()
{
    HWND foreground = ForegroundWindow();
    bool covered = false;
    if (foreground && foreground != m_life.hwnd) {
        RECT own = {}, other = {}, common = {};
        ::GetWindowRect(m_life.hwnd, &own);
        ::GetWindowRect(foreground, &other);
        covered = IntersectRect(&common, &own, &other) && EqualRect(&common, &own);
    }
    if (covered == m_dock.covered)
        return;
    m_dock.covered = covered;
    if (covered) {
        // Activated on the way, the window would come back over what covers it.
        SetWindowPos(m_life.hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
        SetWindowPos(m_life.hwnd, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
        DebugTrace("forcing notopmost\n");
    } else {
        SetTopmostWhenDocked(m_params.topmostWhenDocked != 0);
        DebugTrace("setting topmost to default\n");
    }
}

void CPhysicalWindow::TickLifetime(uint32_t now)
{
    const uint32_t lifetime = static_cast<uint32_t>(m_params.lifetimeMs);
    if (lifetime == 0 || m_policy.lifetimeStart == 0 || now - m_policy.lifetimeStart <= lifetime)
        return;
    m_params.lifetimeMs = 0;
    PostDeferredClose();
}

void CPhysicalWindow::TickTopmost()
{
    HWND foreground = ForegroundWindow();
    if (foreground && foreground != m_life.hwnd) {
        char name[kClassNameChars + 1] = "";
        GetClassNameA(foreground, name, sizeof(name));
        const bool menu = lstrcmpiA(name, "#32768") == 0;
        const bool otherTopmost =
            lstrcmpiA(name, "Shell_TrayWnd") != 0 && (GetWindowLongA(foreground, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (menu || otherTopmost) {
            SetWindowPos(m_life.hwnd, foreground, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
            return;
        }
    }
    SetWindowPos(m_life.hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
    SetWindowPos(m_life.hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
}

void CPhysicalWindow::SetTopmostLevel(int level)
{
    m_params.topmostLevel = level;
    if (!m_life.hwnd)
        return;
    SetWindowPos(m_life.hwnd, level ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
    if (level >= kTopmostAboveAll)
        StartTickTimer();
}

void CPhysicalWindow::SetShowTaskbarButton(bool show)
{
    m_policy.taskbarButtonWanted = show;
    MarkPlacementDirty();
    SetTaskbarButtonStyle(show);
    if (m_life.hwnd)
        SetWindowPos(m_life.hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize | m_policy.zOrderFlags);
}

void CPhysicalWindow::SetTaskbarButtonStyle(bool show)
{
    if (!m_params.taskbarButtonAllowed)
        return;
    const bool minimized = IsMinimized();
    if (show != m_policy.taskbarButtonShown) {
        m_policy.taskbarButtonShown = show;
        if (m_life.hwnd && IsWindow(m_life.hwnd)) {
            // The shell takes a changed style only from a hidden window.
            ShowWindow(m_life.hwnd, SW_HIDE);
            DebugTrace(show ? "showing taskbar button\n" : "hiding taskbar button\n");
            const LONG exStyle = GetWindowLongA(m_life.hwnd, GWL_EXSTYLE);
            SetWindowLongA(m_life.hwnd, GWL_EXSTYLE, show ? exStyle & ~WS_EX_TOOLWINDOW : exStyle | WS_EX_TOOLWINDOW);
        }
    }
    if (minimized)
        ShowWindow(m_life.hwnd, SW_SHOWMINNOACTIVE); // a plain show of a window that takes no activation restores it
    else
        Show(true);
}

void CPhysicalWindow::Show(bool show)
{
    YieldIfVerbose();
    if (!m_life.hwnd || !IsWindow(m_life.hwnd))
        return;
    if (!show)
        ShowWindow(m_life.hwnd, SW_HIDE);
    else
        ShowWindow(m_life.hwnd, m_params.noActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
}

void CPhysicalWindow::SetDisabled(bool disabled)
{
    m_params.disabled = disabled;
    if (m_life.hwnd)
        EnableWindow(m_life.hwnd, !disabled);
}

void CPhysicalWindow::MarkPlacementDirty()
{
    if (!m_params.savePlacement)
        return;
    m_place.dirty = true;
    m_place.changeTick = Now();
}

void CPhysicalWindow::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

uint32_t CPhysicalWindow::Now() const
{
    return m_ticks->Now();
}

void CPhysicalWindow::CancelLifetimes()
{
    for (CPhysicalWindow* window = this; window; window = window->m_params.parentWindow)
        window->m_params.lifetimeMs = 0;
}

void CPhysicalWindow::StartTickTimer()
{
    // Without a window it would become a thread timer that no window hears.
    if (m_policy.tickTimerRunning || !m_life.hwnd)
        return;
    SetTimer(WindowTimer::Tick, WindowTimer::kPeriodMs);
    m_policy.tickTimerRunning = true;
}
