#include "gui/window/CWindowDragger.h"
#include <algorithm>
#include <cstdlib>

CWindowDragger::CWindowDragger()
    : m_window(nullptr), m_dragging(0), m_offsetX(0), m_offsetY(0), m_startX(0), m_startY(0), m_tracked()
{}

void CWindowDragger::Attach(HWND window)
{
    m_window = window;
    m_dragging = 0;
    m_offsetX = m_offsetY = 0;
}

void CWindowDragger::BeginDrag()
{
    if (!m_window)
        return;
    SendMessageA(m_window, WM_ENTERSIZEMOVE, 0, 0);
    m_dragging = 1;
    SetCapture(m_window);
    POINT cursor = {};
    RECT rect = {};
    GetCursorPos(&cursor);
    GetWindowRect(m_window, &rect);
    m_offsetX = cursor.x - rect.left;
    m_offsetY = cursor.y - rect.top;
    m_startX = cursor.x;
    m_startY = cursor.y;
    m_tracked = cursor;
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

bool CWindowDragger::Track(const POINT* to)
{
    if (!m_window || !m_dragging)
        return false;
    POINT cursor = {};
    if (to)
        cursor = *to;
    else
        GetCursorPos(&cursor);
    m_tracked = cursor;
    SetWindowPos(m_window, nullptr, cursor.x - m_offsetX, cursor.y - m_offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return true;
}

bool CWindowDragger::CursorMoved() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor.x != m_tracked.x || cursor.y != m_tracked.y;
}

int CWindowDragger::DistanceMoved() const
{
    if (!m_dragging)
        return 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    return std::max(std::abs(cursor.x - m_startX), std::abs(cursor.y - m_startY));
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
