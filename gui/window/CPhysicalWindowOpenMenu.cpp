// CPhysicalWindow: the program's one open popup menu and the clicks that closing it eats.
#include "common/DebugTrace.h"
#include "gui/window/CPhysicalWindow.h"

namespace {
// GUI thread only.
HWND g_openMenuWindow = nullptr;
int g_swallowClosingClick = 0;
int g_pendingMouseUpSwallow = 0;
MouseSwallow g_swallowButton = MouseSwallow::Left;
} // namespace

bool CPhysicalWindow::IsSwallowedMenuClick(MouseSwallow button)
{
    if (DismissOpenMenu()) {
        ArmMouseUpSwallow(button);
        return true;
    }
    TakeMouseUpSwallow(button); // a later press clears a swallow still pending
    return false;
}

bool CPhysicalWindow::IsMenuOpen()
{
    return g_openMenuWindow != nullptr;
}

bool CPhysicalWindow::DismissOpenMenu()
{
    if (!g_openMenuWindow)
        return false;
    if (!IsWindow(g_openMenuWindow)) {
        g_openMenuWindow = nullptr;
        return false;
    }
    POINT cursor = {};
    RECT menu = {};
    GetCursorPos(&cursor);
    ::GetWindowRect(g_openMenuWindow, &menu);
    if (cursor.x > menu.left && cursor.x < menu.right && cursor.y > menu.top && cursor.y < menu.bottom)
        return false;
    HWND closing = g_openMenuWindow;
    g_openMenuWindow = nullptr;
    SendMessageA(closing, WM_ACTIVATE, WA_INACTIVE, 0);
    if (!g_swallowClosingClick)
        return false;
    g_swallowClosingClick = 0;
    return true;
}

void CPhysicalWindow::ArmMouseUpSwallow(MouseSwallow button)
{
    DebugTrace("EatMouseUp %x\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)));
    g_pendingMouseUpSwallow = 1;
    g_swallowButton = button;
}

bool CPhysicalWindow::TakeMouseUpSwallow(MouseSwallow button)
{
    if (g_pendingMouseUpSwallow <= 0 || g_swallowButton != button)
        return false;
    --g_pendingMouseUpSwallow;
    return true;
}

void CPhysicalWindow::CloseOtherMenu()
{
    HWND other = g_openMenuWindow;
    g_openMenuWindow = nullptr;
    SendMessageA(other, WM_ACTIVATE, WA_INACTIVE, 0);
    DebugTrace("Attempting to create menu with menu already open -- this should never happen\n");
}

void CPhysicalWindow::BecomeOpenMenu()
{
    g_openMenuWindow = m_life.hwnd;
    g_swallowClosingClick = m_params.swallowClosingClick;
}

void CPhysicalWindow::ForgetOpenMenu()
{
    if (g_openMenuWindow == m_life.hwnd)
        g_openMenuWindow = nullptr;
}
