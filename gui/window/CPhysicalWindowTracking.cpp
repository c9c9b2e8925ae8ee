// CPhysicalWindow: mouse tracking: enter, hover, leave and the moves between them.
#include "gui/window/CPhysicalWindow.h"
#include <climits>

namespace {
const int kNeverAKey = -543;        // the next inside/item comparison reports a change
const uint32_t kHoverDelayMs = 400; // hover needs strictly more
const int kInsideBit = INT_MIN;     // bit 31 of the inside key
const int kTrackXMask = 0xFFFF;     // MouseTrack's p1: y << 16 | x
const int kTrackYShift = 16;        //
} // namespace

void CPhysicalWindow::StartMouseTracking()
{
    if (m_mouse.tracking)
        return;
    m_insideKey.Set(kNeverAKey);
    GetCursorPos(&m_mouse.lastScreenPos);
    SetTimer(WindowTimer::MouseTrack, WindowTimer::kPeriodMs);
    m_mouse.tracking = true;
}

void CPhysicalWindow::StopMouseTracking()
{
    if (!m_mouse.tracking)
        return;
    KillTimer(WindowTimer::MouseTrack);
    m_mouse.tracking = false;
}

void CPhysicalWindow::TrackMouse()
{
    LifeGuard guard(this);
    const int oldItem = m_mouse.hoverItem;
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool inside = IsOverWindow(cursor);
    if (!TrackPosition(inside, cursor, guard))
        return;
    const int key = (inside ? kInsideBit : 0) ^ m_mouse.hoverItem;
    if (m_insideKey.Update(key) && !ReportCrossing(inside, oldItem, guard))
        return;
    const int buttons = GetMouseButtons();
    if (buttons != m_mouse.lastButtons) {
        m_mouse.lastButtons = buttons;
        m_mouse.hoverArmed = false; // a click is no hover
    }
    const uint32_t now = Now();
    if (m_mouse.hoverArmed) {
        if (cursor.x != m_mouse.lastScreenPos.x || cursor.y != m_mouse.lastScreenPos.y) {
            m_mouse.lastScreenPos = cursor;
            m_mouse.hoverStart = now;
        }
    }
    if (inside && m_mouse.hoverArmed && now - m_mouse.hoverStart > kHoverDelayMs) {
        m_mouse.hoverArmed = false;
        int scratch = 0;
        SendEvent(WindowEvent::Hover, m_mouse.hoverItem, 0, &scratch);
    }
}

// MouseTrack on every new client position; false when the window object is gone.
bool CPhysicalWindow::TrackPosition(bool inside, POINT cursor, LifeGuard& guard)
{
    if (!inside) {
        m_mouse.hoverItem = 0;
        return true;
    }
    const POINT client = ClientPosOf(cursor);
    const int x = client.x, y = client.y;
    if (x == m_mouse.lastClientPos.x && y == m_mouse.lastClientPos.y)
        return true;
    m_mouse.lastClientPos = {x, y};
    SendEvent(WindowEvent::MouseTrack, (y << kTrackYShift) | (x & kTrackXMask), 0, &m_mouse.hoverItem);
    return guard.alive;
}

// Enter and leave, of the window and of the listener's items; false when the window object is gone.
bool CPhysicalWindow::ReportCrossing(bool inside, int oldItem, LifeGuard& guard)
{
    int scratch = 0;
    if (m_itemKey.Update(m_mouse.hoverItem)) {
        if (oldItem) {
            SendEvent(WindowEvent::MouseLeave, oldItem, 0, &scratch);
            if (!guard.alive)
                return false;
        }
        if (m_mouse.hoverItem) {
            m_mouse.hoverArmed = true;
            m_mouse.hoverStart = Now();
            SendEvent(WindowEvent::MouseEnter, m_mouse.hoverItem, 0, &scratch);
            if (!guard.alive)
                return false;
        }
    }
    if (inside) {
        m_mouse.hoverArmed = true;
        m_mouse.hoverStart = Now();
        if (!IsMenuOpen() && !m_params.disabled)
            SendEvent(WindowEvent::MouseEnter, 0, 0, &scratch);
        return guard.alive;
    }
    m_mouse.hoverArmed = false;
    SendEvent(WindowEvent::MouseLeave, 0, 0, &scratch);
    if (!guard.alive)
        return false;
    StopMouseTracking();
    return true;
}
