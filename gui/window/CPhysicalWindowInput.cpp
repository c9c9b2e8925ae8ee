// CPhysicalWindow: the cursor, mouse buttons and keys, capture and focus.
#include "gui/window/CPhysicalWindow.h"

namespace {
CPhysicalWindow::KeyStateReader g_keyStateReader = GetAsyncKeyState;

bool KeyIsDown(int virtualKey)
{
    return (g_keyStateReader(virtualKey) & 0x8000) != 0; // the high bit: down now
}
} // namespace

void CPhysicalWindow::SetKeyStateReader(KeyStateReader reader)
{
    g_keyStateReader = reader ? reader : GetAsyncKeyState;
}

void CPhysicalWindow::SetFocus()
{
    ::SetFocus(m_life.hwnd);
}

void CPhysicalWindow::SetCapture(bool capture)
{
    if (capture)
        ::SetCapture(m_life.hwnd);
    else
        ReleaseCapture();
    m_mouse.captured = capture;
}

void CPhysicalWindow::SetWindowCursor(HCURSOR cursor)
{
    m_cursor.shape = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
}

bool CPhysicalWindow::IsCursorOverWindow() const
{
    POINT cursor = {};
    return GetCursorPos(&cursor) && IsOverWindow(cursor);
}

bool CPhysicalWindow::IsOverWindow(POINT screen) const
{
    RECT rect = {};
    if (!m_life.hwnd || !::GetWindowRect(m_life.hwnd, &rect))
        return false;
    return screen.x >= rect.left && screen.x <= rect.right && screen.y >= rect.top && screen.y <= rect.bottom;
}

void CPhysicalWindow::GetCursorClientPos(int& x, int& y) const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const POINT client = ClientPosOf(cursor);
    x = client.x;
    y = client.y;
}

POINT CPhysicalWindow::ClientPosOf(POINT screen) const
{
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    if (m_life.hwnd)
        GetWindowInfo(m_life.hwnd, &info);
    return {screen.x - info.rcClient.left, screen.y - info.rcClient.top};
}

void CPhysicalWindow::GetCursorScreenPos(int& x, int& y)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    x = cursor.x;
    y = cursor.y;
}

void CPhysicalWindow::ShowCursor(bool show)
{
    ::ShowCursor(show ? TRUE : FALSE);
}

void CPhysicalWindow::SetCursorPos(int x, int y)
{
    ::SetCursorPos(x, y);
}

int CPhysicalWindow::GetMouseButtons()
{
    return (KeyIsDown(VK_LBUTTON) ? 1 : 0) | (KeyIsDown(VK_RBUTTON) ? 2 : 0);
}

int CPhysicalWindow::GetModifierKeys()
{
    return (KeyIsDown(VK_CONTROL) ? 1 : 0) | (KeyIsDown(VK_MENU) ? 2 : 0) | (KeyIsDown(VK_SHIFT) ? 4 : 0);
}
