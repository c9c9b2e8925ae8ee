#include "gui/window/CWindowDragger.h"
#include <algorithm>
#include <cstdlib>

namespace {
// Lets the system queue the input that has come so far; nothing is waited for.
void TakeInInput()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}
} // namespace

CWindowDragger::CWindowDragger()
    : m_window(nullptr), m_dragging(0), m_offsetX(0), m_offsetY(0), m_startX(0), m_startY(0), m_tracked()
{}

void CWindowDragger::Attach(HWND window)
{
    m_window = window;
    m_dragging = 0;
    m_offsetX = m_offsetY = 0;
}

void CWindowDragger::BeginDrag(POINT at)
{
    if (!m_window)
        return;
    SendMessageA(m_window, WM_ENTERSIZEMOVE, 0, 0);
    m_dragging = 1;
    SetCapture(m_window);
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    m_offsetX = at.x - rect.left;
    m_offsetY = at.y - rect.top;
    m_startX = at.x;
    m_startY = at.y;
    m_tracked = at;
}

void CWindowDragger::EndDrag()
{
    if (!m_window)
        return;
    m_dragging = 0;
    if (GetCapture() == m_window)
        ReleaseCapture(); // another window that took it keeps it
    SendMessageA(m_window, WM_EXITSIZEMOVE, 0, 0);
}

bool CWindowDragger::Track(POINT to)
{
    if (!m_window || !m_dragging)
        return false;
    m_tracked = to;
    // Here (Wine) the pointer's point in an event is made when this thread
    // takes the event in, from the event's place in the window and the
    // window's place then: an event made before a move and taken in after it
    // lands that move off. So the events made so far are taken in before the
    // move, and the move reaches the display before more are taken in.
    TakeInInput();
    SetWindowPos(m_window, nullptr, to.x - m_offsetX, to.y - m_offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    TakeInInput();
    return true;
}

bool CWindowDragger::CursorMoved() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor.x != m_tracked.x || cursor.y != m_tracked.y;
}

int CWindowDragger::DistanceMoved(POINT at) const
{
    if (!m_dragging)
        return 0;
    return std::max(std::abs(at.x - m_startX), std::abs(at.y - m_startY));
}

void CWindowDragger::GetOffset(int& x, int& y) const
{
    x = m_offsetX;
    y = m_offsetY;
}

void CWindowDragger::SetOffset(int x, int y)
{
    m_offsetX = x;
    m_offsetY = y;
}
