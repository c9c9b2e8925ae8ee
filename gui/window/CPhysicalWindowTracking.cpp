// CPhysicalWindow: mouse tracking: enter, hover, leave and the moves between them.
#include "gui/window/CPhysicalWindow.h"
#include <climits>

namespace {
const int NeverAKey = -543;        // the next inside/item comparison reports a change
const uint32_t HoverDelayMs = 400; // hover needs strictly more
const int InsideBit = INT_MIN;     // bit 31 of the inside key
const int TrackXMask = 0xFFFF;     // MouseTrack's p1: y << 16 | x
const int TrackYShift = 16;        //
} // namespace

void CPhysicalWindow::StartMouseTracking()
{
    if (m_tracking)
        return;
    m_insideKey.Set(NeverAKey);
    GetCursorPos(&m_lastScreenPos);
    SetTimer(WindowTimer::MouseTrack, WindowTimer::PeriodMs);
    m_tracking = 1;
}

void CPhysicalWindow::StopMouseTracking()
{
    if (!m_tracking)
        return;
    KillTimer(WindowTimer::MouseTrack);
    m_tracking = 0;
}

void CPhysicalWindow::TrackMouse()
{
    LifeGuard guard(this);
    const int oldItem = m_hoverItem;
    const bool inside = IsCursorOverWindow();
    if (!TrackPosition(inside, guard))
        return;
    const int key = (inside ? InsideBit : 0) ^ m_hoverItem;
    if (m_insideKey.Update(key) && !ReportCrossing(inside, oldItem, guard))
        return;
    const int buttons = GetMouseButtons();
    if (buttons != m_lastButtons) {
        m_lastButtons = buttons;
        m_hoverArmed = 0; // a click is no hover
    }
    const uint32_t now = Now();
    if (m_hoverArmed) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        if (cursor.x != m_lastScreenPos.x || cursor.y != m_lastScreenPos.y) {
            m_lastScreenPos = cursor;
            m_hoverStart = now;
        }
    }
    if (inside && m_hoverArmed && now - m_hoverStart > HoverDelayMs) {
        m_hoverArmed = 0;
        int scratch = 0;
        SendEvent(WindowEvent::Hover, m_hoverItem, 0, &scratch);
    }
}

// MouseTrack on every new client position; false when the window object is gone.
bool CPhysicalWindow::TrackPosition(bool inside, LifeGuard& guard)
{
    if (!inside) {
        m_hoverItem = 0;
        return true;
    }
    int x = 0, y = 0;
    GetCursorClientPos(x, y);
    if (x == m_lastClientPos.x && y == m_lastClientPos.y)
        return true;
    m_lastClientPos = {x, y};
    SendEvent(WindowEvent::MouseTrack, (y << TrackYShift) | (x & TrackXMask), 0, &m_hoverItem);
    return guard.alive;
}

// Enter and leave, of the window and of the listener's items; false when the window object is gone.
bool CPhysicalWindow::ReportCrossing(bool inside, int oldItem, LifeGuard& guard)
{
    int scratch = 0;
    if (m_itemKey.Update(m_hoverItem)) {
        if (oldItem) {
            SendEvent(WindowEvent::MouseLeave, oldItem, 0, &scratch);
            if (!guard.alive)
                return false;
        }
        if (m_hoverItem) {
            m_hoverArmed = 1;
            m_hoverStart = Now();
            SendEvent(WindowEvent::MouseEnter, m_hoverItem, 0, &scratch);
            if (!guard.alive)
                return false;
        }
    }
    if (inside) {
        m_hoverArmed = 1;
        m_hoverStart = Now();
        if (!IsMenuOpen() && !m_params.disabled)
            SendEvent(WindowEvent::MouseEnter, 0, 0, &scratch);
        return guard.alive;
    }
    m_hoverArmed = 0;
    SendEvent(WindowEvent::MouseLeave, 0, 0, &scratch);
    if (!guard.alive)
        return false;
    StopMouseTracking();
    return true;
}
