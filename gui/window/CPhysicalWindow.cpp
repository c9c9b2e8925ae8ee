#include "gui/window/CPhysicalWindow.h"
#include "common/CTickSource.h"
#include "common/DebugTrace.h"
#include "gui/window/BitmapRegion.h"
#include "gui/window/CWindowMenu.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const int BackBitmapBits = 32;
const uint32_t FillBlueValue = 0x000000FFu;
const uint32_t AlphaMask = 0xFF000000u;
const int RedShift = 16;
const int RandomByteMask = 0xFF;
const int FormatLineWidth = 255; // FormatMessage's line width, and its buffer
const BYTE OpaqueAlpha = 255;

uint32_t g_classCounter = 0; // GUI thread only; never goes back

// Classes whose windows were still being destroyed when they were released:
// the system refuses to unregister a class while a window of it exists.
std::vector<std::string> g_pendingClasses;

// The program's module: classes are registered, found and unregistered by it.
HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

void UnregisterPendingClasses()
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

bool IsMinimizedState(UINT showCmd)
{
    return showCmd == SW_MINIMIZE || showCmd == SW_SHOWMINIMIZED || showCmd == SW_SHOWMINNOACTIVE ||
           showCmd == SW_FORCEMINIMIZE;
}

bool IsShownState(HWND hwnd)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    return IsWindowVisible(hwnd) && GetWindowPlacement(hwnd, &placement) && placement.showCmd != SW_HIDE &&
           !IsMinimizedState(placement.showCmd);
}
} // namespace

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

int CPhysicalWindow::Create(const WindowCreateParams& params)
{
    if (m_created)
        return 0;
    UnregisterPendingClasses();
    m_params = params;
    LoadHeldPlacement();
    m_windowCursor = m_params.cursor ? m_params.cursor : LoadCursor(nullptr, IDC_ARROW);
    if (m_params.popupMenu && IsMenuOpen())
        CloseOtherMenu();
    m_lastActivity = Now();
    m_dragRect = {-1, -1, -1, -1};
    if (!RegisterOwnClass())
        return -1;

    DWORD style = 0, exStyle = 0;
    HWND parent = nullptr;
    ChooseStyles(style, exStyle, parent);
    int x = m_params.x, y = m_params.y;
    PlaceForCreation(x, y);
    HWND hwnd = CreateWindowExA(exStyle, m_className, m_params.caption.c_str(), style, x, y, m_params.width,
                                m_params.height, parent, nullptr, Module(), nullptr);
    if (!hwnd) {
        ReportCreateFailure();
        return -1;
    }
    m_hwnd = hwnd;
    if (m_params.bigIcon) {
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_params.icon));
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_params.bigIcon));
    }
    m_deviceChangeMessage = RegisterWindowMessageA("winmm_devicechange");
    MakeBackBitmap();
    if (m_params.movable)
        m_dragger.Attach(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Created before the first event, so that its listener may already close it.
    m_created = 1;
    HandleMessage(hwnd, ToolkitMessage::Created, 0, 0);
    if (m_created)
        FinishCreate();
    return 0;
}

bool CPhysicalWindow::RegisterOwnClass()
{
    std::snprintf(m_className, sizeof(m_className), "PhysicalWindow_%08x", g_classCounter++);
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hIcon = m_params.icon;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hInstance = Module();
    wc.lpszClassName = m_className;
    return RegisterClassA(&wc) != 0;
}

void CPhysicalWindow::ChooseStyles(DWORD& style, DWORD& exStyle, HWND& parent)
{
    style = WS_POPUP | WS_CLIPCHILDREN;
    exStyle = 0;
    parent = m_params.parentWindow ? m_params.parentWindow->GetHwnd() : m_params.parentHandle;
    if (!m_params.parentWindow && !m_params.parentHandle) {
        style |= WS_MINIMIZEBOX;
        m_windowMenu = CWindowMenu::Create();
    } else if (m_params.child) {
        style = WS_CHILD | WS_CLIPCHILDREN;
    }
    if (m_params.popupMenu || m_params.toolPopup) {
        style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    }
    if (m_params.noActivate)
        m_zOrderFlags = SWP_NOACTIVATE;
    if (!m_params.taskbarButtonAllowed)
        exStyle |= WS_EX_TOOLWINDOW;
    m_taskbarButtonShown = m_params.taskbarButtonAllowed;
    if (m_params.overlappedFrame) {
        style = WS_OVERLAPPEDWINDOW;
        exStyle = 0;
    }
    if (m_params.perPixelAlpha || m_params.layered)
        exStyle |= WS_EX_LAYERED;
}

void CPhysicalWindow::PlaceForCreation(int& x, int& y) const
{
    if (!m_params.centreOnCursorMonitor)
        return;
    POINT cursor = {};
    GetCursorPos(&cursor);
    x = cursor.x - m_params.width / 2;
    y = cursor.y - m_params.height / 2;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return;
    const RECT& m = info.rcMonitor;
    x = m.left + (m.right - m.left) / 2 - m_params.width / 2;
    y = m.top + (m.bottom - m.top) / 2 - m_params.height / 2;
}

void CPhysicalWindow::ReportCreateFailure()
{
    char text[FormatLineWidth] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FormatLineWidth, nullptr, GetLastError(), 0, text, sizeof(text),
                   nullptr);
    DebugTrace("WINDOW CREATION FAILED: ");
    DebugTrace("%s", text);
    DebugTrace("\n");
    // Nothing of a window that never was may stay behind.
    UnregisterClassA(m_className, Module());
    CWindowMenu::Delete(m_windowMenu);
    m_windowMenu = nullptr;
}

void CPhysicalWindow::MakeBackBitmap()
{
    if (m_params.listenerPaints)
        return;
    m_backBitmap.Create(m_params.width, m_params.height, BackBitmapBits);
    if (!m_backBitmap.IsCreated())
        return;
    if (m_params.fillBlue) {
        m_backBitmap.Fill(FillBlueValue);
    } else if (m_params.hasInitialImage && m_params.initialImage) {
        m_backBitmap.CopyFrom(*m_params.initialImage, m_params.initialImageX, m_params.initialImageY, m_params.width,
                              m_params.height, 0, 0);
    } else {
        // Red noise: a window nobody painted is plain to see.
        uint32_t* bits = m_backBitmap.GetBits();
        for (int i = 0; i < m_backBitmap.GetPixelCount(); ++i)
            bits[i] = (bits[i] & AlphaMask) | uint32_t(std::rand() & RandomByteMask) << RedShift;
    }
}

void CPhysicalWindow::FinishCreate()
{
    ApplyHeldPlacement();
    ShowAfterCreate();
    if (m_params.clampFlags != 0)
        ClampToMonitor(m_params.clampFlags);
    if (m_params.topmostLevel != 0)
        SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_params.lifetimeMs != 0)
        m_lifetimeStart = Now();
    if (!m_params.parentWindow && !m_maximized && !IsMinimized() && !IsDocked())
        ::GetWindowRect(m_hwnd, &m_restoreRect);
    if (m_params.savePlacement || m_params.topmostLevel > 1 || m_params.lifetimeMs || m_params.closeOnOutsideClick ||
        m_params.dockable || m_params.cursorHideMs)
        StartTickTimer();
}

void CPhysicalWindow::ShowAfterCreate()
{
    if (m_params.popupMenu || m_params.toolPopup) {
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        if (m_params.popupMenu)
            BecomeOpenMenu();
        return;
    }
    // A saved minimized placement shows the window already; showing it again
    // without activation would restore it.
    if (!m_params.showOnCreate || IsMinimized())
        return;
    if (m_params.noActivate) {
        DebugTrace("********** NO ACTIVATE *******\n");
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    } else {
        ShowWindow(m_hwnd, SW_SHOW);
    }
    if (m_params.activateOnShow) {
        SetForegroundWindow(m_hwnd);
        SetActiveWindow(m_hwnd);
        ::SetFocus(m_hwnd);
    }
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

int CPhysicalWindow::ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h, int dx, int dy)
{
    if (!src || !m_hwnd || !IsWindow(m_hwnd))
        return 0;
    const bool own = src == &m_backBitmap;
    if (!own && !m_params.listenerPaints)
        m_backBitmap.CopyFrom(*src, sx, sy, w, h, dx, dy);
    if (m_params.perPixelAlpha)
        return PresentLayered();
    const CBitmapDC& from = m_params.listenerPaints ? *src : m_backBitmap;
    if (w < 1)
        w = from.GetWidth();
    if (h < 1)
        h = from.GetHeight();
    const bool copied = !own && !m_params.listenerPaints;
    HDC dc = ::GetDC(m_hwnd);
    if (!dc)
        return 0;
    const int result = BitBlt(dc, dx, dy, w, h, from.GetDC(), copied ? dx : sx, copied ? dy : sy, SRCCOPY);
    ReleaseDC(m_hwnd, dc);
    return result;
}

int CPhysicalWindow::PresentLayered()
{
    RECT rect = {};
    ::GetWindowRect(m_hwnd, &rect);
    POINT position = {rect.left, rect.top};
    SIZE size = {m_params.width, m_params.height};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, OpaqueAlpha, AC_SRC_ALPHA};
    HDC screen = ::GetDC(nullptr);
    const int result =
        UpdateLayeredWindow(m_hwnd, screen, &position, &size, m_backBitmap.GetDC(), &origin, 0, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
    return result;
}

int CPhysicalWindow::SetRegionFromBitmap(const CBitmapDC* bitmap, uint32_t keyColour, int border)
{
    if (!bitmap)
        return 0;
    if (m_region)
        DeleteObject(m_region);
    m_region = nullptr;
    HRGN region = CreateRegionFromBitmap(*bitmap, keyColour, border);
    if (!region)
        return 0;
    m_region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(m_region, region, nullptr, RGN_COPY);
    const int result = SetWindowRgn(m_hwnd, region, TRUE);
    if (!result)
        DeleteObject(region); // the system took it only on success
    return result;
}

CBitmapDC* CPhysicalWindow::GetBackBitmap()
{
    return m_params.listenerPaints ? nullptr : &m_backBitmap;
}

void CPhysicalWindow::SetSize(int width, int height)
{
    m_params.width = width;
    m_params.height = height;
    if (!m_params.listenerPaints)
        m_backBitmap.Create(width, height, BackBitmapBits);
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

void CPhysicalWindow::Invalidate()
{
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CPhysicalWindow::SetFocus()
{
    ::SetFocus(m_hwnd);
}

void CPhysicalWindow::SetCapture(bool capture)
{
    if (capture)
        ::SetCapture(m_hwnd);
    else
        ReleaseCapture();
    m_captured = capture;
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

void CPhysicalWindow::SetWindowCursor(HCURSOR cursor)
{
    m_windowCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
}

bool CPhysicalWindow::IsCursorOverWindow() const
{
    POINT cursor = {};
    RECT rect = {};
    if (!m_hwnd || !GetCursorPos(&cursor) || !::GetWindowRect(m_hwnd, &rect))
        return false;
    return cursor.x >= rect.left && cursor.x <= rect.right && cursor.y >= rect.top && cursor.y <= rect.bottom;
}

void CPhysicalWindow::GetCursorClientPos(int& x, int& y) const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    if (m_hwnd)
        GetWindowInfo(m_hwnd, &info);
    x = cursor.x - info.rcClient.left;
    y = cursor.y - info.rcClient.top;
}

bool CPhysicalWindow::IsActive() const
{
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    return m_hwnd && GetWindowInfo(m_hwnd, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
}

bool CPhysicalWindow::IsShownAndNotMinimized() const
{
    return m_hwnd && IsShownState(m_hwnd) && IsShownState(GetAncestor(m_hwnd, GA_ROOTOWNER));
}

bool CPhysicalWindow::IsMinimized() const
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    return m_hwnd && GetWindowPlacement(m_hwnd, &placement) && IsMinimizedState(placement.showCmd);
}

void CPhysicalWindow::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

uint32_t CPhysicalWindow::Now() const
{
    return m_ticks->Now();
}

void CPhysicalWindow::YieldIfVerbose() const
{
    if (m_params.verbose)
        Sleep(0);
}

void CPhysicalWindow::CancelLifetimes()
{
    for (CPhysicalWindow* window = this; window; window = window->m_params.parentWindow)
        window->m_params.lifetimeMs = 0;
}

void CPhysicalWindow::StartTickTimer()
{
    // Without a window it would become a thread timer that no window hears.
    if (m_tickTimerRunning || !m_hwnd)
        return;
    SetTimer(WindowTimer::Tick, WindowTimer::PeriodMs);
    m_tickTimerRunning = 1;
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

void CPhysicalWindow::QuitMessageLoop(int code)
{
    PostQuitMessage(code);
}

namespace {
bool KeyIsDown(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; // the high bit: down now
}
} // namespace

int CPhysicalWindow::GetMouseButtons()
{
    return (KeyIsDown(VK_LBUTTON) ? 1 : 0) | (KeyIsDown(VK_RBUTTON) ? 2 : 0);
}

int CPhysicalWindow::GetModifierKeys()
{
    return (KeyIsDown(VK_CONTROL) ? 1 : 0) | (KeyIsDown(VK_MENU) ? 2 : 0) | (KeyIsDown(VK_SHIFT) ? 4 : 0);
}
