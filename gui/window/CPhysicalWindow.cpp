// CPhysicalWindow: its life from construction to release, the window procedure, size, text and timers.
#include "gui/window/CPhysicalWindow.h"
#include "common/CTickSource.h"
#include "gui/window/CWindowMenu.h"
#include "gui/ToolkitConventions.h"
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

CPhysicalWindow::CPhysicalWindow() : m_ticks(CTickSource::System())
{}

CPhysicalWindow::~CPhysicalWindow()
{
    Destroy();
    // Frames of HandleMessage still running for this object must not touch it.
    for (LifeGuard* guard = m_lifeGuards; guard; guard = guard->outer)
        guard->alive = false;
}

void CPhysicalWindow::Reset()
{
    m_life = LifeCycle();
    m_links = Links();
    m_place = PlaceState();
    m_dock = DockState();
    m_mouse = MouseTracking();
    m_cursor = CursorHide();
    m_policy = Policy();
}

void CPhysicalWindow::Destroy()
{
    if (!m_life.created)
        return;
    if (m_params.savePlacement)
        SavePlacement(m_params.iniPath.c_str(), m_params.section.c_str(), m_params.key.c_str());
    ForgetOpenMenu();
    UnregisterAppBar();
    LifeGuard guard(this);
    if (m_life.hwnd && IsWindow(m_life.hwnd) && !m_life.destroying)
        DestroyWindow(m_life.hwnd);
    if (guard.alive)
        Release();
    UnregisterPendingClasses();
}

void CPhysicalWindow::Release()
{
    if (m_life.created) {
        if (m_life.hwnd && IsWindow(m_life.hwnd))
            SetWindowLongPtrA(m_life.hwnd, GWLP_USERDATA, 0); // later messages go to the default procedure
        g_pendingClasses.push_back(m_className);
        UnregisterPendingClasses();
        CWindowMenu::Delete(m_life.windowMenu);
        m_life.windowMenu = nullptr;
        if (m_life.region)
            DeleteObject(m_life.region);
        m_life.region = nullptr;
        m_backBitmap.Destroy();
        if (m_life.presentDC)
            ReleaseDC(m_life.hwnd, m_life.presentDC);
        m_dragger.Attach(nullptr);
        CMoveInputHook::Stop(m_life.hwnd);
        ShowHiddenCursor(); // the cursor is the desktop's, not the window's
    }
    Reset();
    m_place.lastWidth = m_place.lastHeight = -1;
}

void CPhysicalWindow::PostDeferredClose()
{
    if (m_life.hwnd)
        PostMessageA(m_life.hwnd, ToolkitMessage::Close, 0, 0);
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
        m_backBitmap.Create(width, height, kBitsPerPixel);
}

void CPhysicalWindow::SetBounds(int left, int top, int right, int bottom)
{
    const int width = right - left, height = bottom - top;
    m_params.x = left;
    m_params.y = top;
    if (width != m_params.width || height != m_params.height)
        SetSize(width, height);
    YieldIfVerbose();
    SetWindowPos(m_life.hwnd, nullptr, left, top, width, height, SWP_NOZORDER | m_policy.zOrderFlags);
}

void CPhysicalWindow::Move(int x, int y)
{
    YieldIfVerbose();
    SetWindowPos(m_life.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | m_policy.zOrderFlags);
}

void CPhysicalWindow::GetWindowRect(RECT& rect) const
{
    rect = RECT();
    if (m_life.hwnd)
        ::GetWindowRect(m_life.hwnd, &rect);
}

void CPhysicalWindow::SetDragRect(int left, int top, int right, int bottom)
{
    m_place.dragRect = {left, top, right, bottom};
}

void CPhysicalWindow::SetText(const char* text)
{
    if (m_life.hwnd)
        SetWindowTextA(m_life.hwnd, text ? text : "");
}

void CPhysicalWindow::GetText(char* buffer, int size) const
{
    if (!buffer || size < 1)
        return;
    buffer[0] = '\0';
    if (m_life.hwnd)
        GetWindowTextA(m_life.hwnd, buffer, size);
}

void CPhysicalWindow::SetTimer(UINT_PTR id, UINT ms)
{
    ::SetTimer(m_life.hwnd, id, ms, nullptr);
}

void CPhysicalWindow::KillTimer(UINT_PTR id)
{
    ::KillTimer(m_life.hwnd, id);
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
