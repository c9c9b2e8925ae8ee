// CPhysicalWindow: its life from construction to release, the window procedure, size, text and timers.
#include "gui/window/CPhysicalWindow.h"
#include "common/CTickSource.h"
#include "gui/window/CWindowMenu.h"
#include <string>
#include <vector>

namespace {
// The system refuses to unregister a class while a window of it exists.
std::vector<std::string> g_pendingClasses;
} // namespace

HINSTANCE CPhysicalWindow::Module()
{
    return GetModuleHandleA(nullptr);
}

void CPhysicalWindow::UnregisterPendingClasses()
{
    for (size_t i = 0; i < g_pendingClasses.size();) {
        const char* name = g_pendingClasses[i].c_str();
        WNDCLASSA info;
        if (UnregisterClassA(name, Module()) || !GetClassInfoA(Module(), name, &info))
            g_pendingClasses.erase(g_pendingClasses.begin() + i);
        else
            ++i;
    }
}

CPhysicalWindow::CPhysicalWindow() : m_ticks(CTickSource::System()), m_lifeGuards(nullptr), m_destroying(0)
{
    m_className[0] = '\0';
    Reset();
}

CPhysicalWindow::~CPhysicalWindow()
{
    Destroy();
    // Frames of HandleMessage still running for this object must not touch it.
    for (LifeGuard* guard = m_lifeGuards; guard; guard = guard->outer)
        guard->alive = false;
}

void CPhysicalWindow::Reset()
{
    m_isMainWindow = 0;
    m_undockedByDrag = 0;
    m_deviceChangeMessage = 0;
    m_hwnd = nullptr;
    m_listener = nullptr;
    m_eventHook = nullptr;
    m_lifetimeStart = 0;
    m_tickTimerRunning = 0;
    m_placementDirty = 0;
    m_placementChangeTick = 0;
    m_ownerWords[0] = m_ownerWords[1] = 0;
    m_dockedEdge = 0;
    m_edgeTouch = 0;
    m_heldRect = RECT();
    m_inSizeMove = 0;
    m_forcedMoves = 0;
    m_coveredWhileDocked = 0;
    m_moving = 0;
    m_created = 0;
    m_lastWidth = m_lastHeight = 0;
    m_maximized = 0;
    m_region = nullptr;
    m_restoreRect = RECT();
    m_stateListener = nullptr;
    m_dragRect = RECT();
    m_captured = 0;
    m_messageHook = nullptr;
    m_windowMenu = nullptr;
    m_taskbarButtonWanted = 1;
    m_wasMaximized = 0;
    m_tracking = 0;
    m_hoverArmed = 0;
    m_hoverStart = 0;
    m_lastScreenPos = POINT();
    m_lastButtons = 0;
    m_hoverItem = 0;
    m_lastClientPos = POINT();
    m_windowCursor = nullptr;
    m_taskbarButtonShown = 0;
    m_zOrderFlags = 0;
    m_cursorHidden = 0;
    m_lastActivity = 0;
    m_cursorAtHide = POINT();
    m_placement = WindowPlacementRecord();
    m_destroying = 0;
}

void CPhysicalWindow::Destroy()
{
    if (!m_created)
        return;
    if (m_params.savePlacement)
        SavePlacement(m_params.iniPath.c_str(), m_params.section.c_str(), m_params.key.c_str());
    if (m_params.popupMenu)
        ForgetOpenMenu();
    UnregisterAppBar();
    LifeGuard guard(this);
    if (m_hwnd && IsWindow(m_hwnd) && !m_destroying)
        DestroyWindow(m_hwnd);
    if (guard.alive)
        Release();
    UnregisterPendingClasses();
}

void CPhysicalWindow::Release()
{
    if (m_created) {
        if (m_hwnd && IsWindow(m_hwnd))
            SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0); // later messages go to the default procedure
        g_pendingClasses.push_back(m_className);
        UnregisterPendingClasses();
        CWindowMenu::Delete(m_windowMenu);
        m_windowMenu = nullptr;
        if (m_region)
            DeleteObject(m_region);
        m_region = nullptr;
        m_backBitmap.Destroy();
        m_dragger.Attach(nullptr);
        ShowHiddenCursor(); // the cursor is the desktop's, not the window's
        m_hwnd = nullptr;
        m_created = 0;
    }
    Reset();
    m_lastWidth = m_lastHeight = -1;
}

void CPhysicalWindow::PostDeferredClose()
{
    if (m_hwnd)
        PostMessageA(m_hwnd, ToolkitMessage::Close, 0, 0);
}

LRESULT CALLBACK CPhysicalWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_pendingClasses.empty())
        UnregisterPendingClasses();
    auto* window = reinterpret_cast<CPhysicalWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return window->HandleMessage(hwnd, message, wParam, lParam);
}

void CPhysicalWindow::SetSize(int width, int height)
{
    m_params.width = width;
    m_params.height = height;
    if (!m_params.listenerPaints)
        m_backBitmap.Create(width, height, kBackBitmapBits);
}

void CPhysicalWindow::SetBounds(int left, int top, int right, int bottom)
{
    const int width = right - left, height = bottom - top;
    m_params.x = left;
    m_params.y = top;
    if (width != m_params.width || height != m_params.height)
        SetSize(width, height);
    YieldIfVerbose();
    SetWindowPos(m_hwnd, nullptr, left, top, width, height, SWP_NOZORDER | m_zOrderFlags);
}

void CPhysicalWindow::Move(int x, int y)
{
    YieldIfVerbose();
    SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | m_zOrderFlags);
}

void CPhysicalWindow::GetWindowRect(RECT& rect) const
{
    rect = RECT();
    if (m_hwnd)
        ::GetWindowRect(m_hwnd, &rect);
}

void CPhysicalWindow::SetDragRect(int left, int top, int right, int bottom)
{
    m_dragRect = {left, top, right, bottom};
}

void CPhysicalWindow::SetText(const char* text)
{
    if (m_hwnd)
        SetWindowTextA(m_hwnd, text ? text : "");
}

void CPhysicalWindow::GetText(char* buffer, int size) const
{
    if (!buffer || size < 1)
        return;
    buffer[0] = '\0';
    if (m_hwnd)
        GetWindowTextA(m_hwnd, buffer, size);
}

void CPhysicalWindow::SetTimer(UINT_PTR id, UINT ms)
{
    ::SetTimer(m_hwnd, id, ms, nullptr);
}

void CPhysicalWindow::KillTimer(UINT_PTR id)
{
    ::KillTimer(m_hwnd, id);
}

void CPhysicalWindow::YieldIfVerbose() const
{
    if (m_params.verbose)
        Sleep(0);
}

void CPhysicalWindow::QuitMessageLoop(int code)
{
    PostQuitMessage(code);
}
