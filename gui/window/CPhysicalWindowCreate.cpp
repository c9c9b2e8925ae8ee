// CPhysicalWindow: creation: its own class, styles, the back bitmap, showing.
#include "common/DebugTrace.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/CWindowMenu.h"
#include "gui/ToolkitConventions.h"
#include <cstdio>
#include <cstdlib>

namespace {
const uint32_t kFillBlueValue = 0x000000FFu;
const uint32_t kAlphaMask = 0xFF000000u;
const int kRedShift = 16;
const int kRandomByteMask = 0xFF;
const int kFormatLineWidth = 255; // FormatMessage's line width, and its buffer

uint32_t g_classCounter = 0; // GUI thread only; never goes back
} // namespace

int CPhysicalWindow::Create(const WindowCreateParams& params)
{
    if (m_life.created)
        return 0;
    UnregisterPendingClasses();
    m_params = params;
    LoadHeldPlacement();
    m_cursor.shape = m_params.cursor ? m_params.cursor : LoadCursor(nullptr, IDC_ARROW);
    if (m_params.popupMenu && IsMenuOpen())
        CloseOtherMenu();
    m_cursor.lastActivity = Now();
    m_place.dragRect = {-1, -1, -1, -1};
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
    m_life.hwnd = hwnd;
    if (m_params.bigIcon) {
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_params.icon));
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_params.bigIcon));
    }
    m_life.deviceChangeMessage = RegisterWindowMessageA("winmm_devicechange");
    MakeBackBitmap();
    if (m_params.movable)
        m_dragger.Attach(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Created before the first event, so that its listener may already close it.
    m_life.created = true;
    HandleMessage(hwnd, ToolkitMessage::Created, 0, 0);
    if (m_life.created)
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
        m_life.windowMenu = CWindowMenu::Create();
    } else if (m_params.child) {
        style = WS_CHILD | WS_CLIPCHILDREN;
    }
    if (m_params.popupMenu || m_params.toolPopup) {
        style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    }
    if (m_params.noActivate)
        m_policy.zOrderFlags = SWP_NOACTIVATE;
    if (!m_params.taskbarButtonAllowed)
        exStyle |= WS_EX_TOOLWINDOW;
    m_policy.taskbarButtonShown = m_params.taskbarButtonAllowed;
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
    char text[kFormatLineWidth] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | kFormatLineWidth, nullptr, GetLastError(), 0, text, sizeof(text),
                   nullptr);
    DebugTrace("WINDOW CREATION FAILED: ");
    DebugTrace("%s", text);
    DebugTrace("\n");
    // Nothing of a window that never was may stay behind.
    UnregisterClassA(m_className, Module());
    CWindowMenu::Delete(m_life.windowMenu);
    m_life.windowMenu = nullptr;
}

void CPhysicalWindow::MakeBackBitmap()
{
    if (m_params.listenerPaints)
        return;
    m_backBitmap.Create(m_params.width, m_params.height, kBitsPerPixel);
    if (!m_backBitmap.IsCreated())
        return;
    if (m_params.fillBlue) {
        m_backBitmap.Fill(kFillBlueValue);
    } else if (m_params.hasInitialImage && m_params.initialImage) {
        m_backBitmap.CopyFrom(*m_params.initialImage, m_params.initialImageX, m_params.initialImageY, m_params.width,
                              m_params.height, 0, 0);
    } else {
        // Red noise: a window nobody painted is plain to see.
        uint32_t* bits = m_backBitmap.GetBits();
        for (int i = 0; i < m_backBitmap.GetPixelCount(); ++i)
            bits[i] = (bits[i] & kAlphaMask) | uint32_t(std::rand() & kRandomByteMask) << kRedShift;
    }
}

void CPhysicalWindow::FinishCreate()
{
    ApplyHeldPlacement();
    ShowAfterCreate();
    if (m_params.clampFlags != 0)
        ClampToMonitor(m_params.clampFlags);
    if (m_params.topmostLevel != 0)
        SetWindowPos(m_life.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_params.lifetimeMs != 0)
        m_policy.lifetimeStart = Now();
    if (!m_params.parentWindow && !m_place.maximized && !IsMinimized() && !IsDocked())
        ::GetWindowRect(m_life.hwnd, &m_place.restoreRect);
    if (m_params.savePlacement || m_params.topmostLevel > 1 || m_params.lifetimeMs || m_params.closeOnOutsideClick ||
        m_params.dockable || m_params.cursorHideMs)
        StartTickTimer();
}

void CPhysicalWindow::ShowAfterCreate()
{
    if (m_params.popupMenu || m_params.toolPopup) {
        ShowWindow(m_life.hwnd, SW_SHOWNOACTIVATE);
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
        ShowWindow(m_life.hwnd, SW_SHOWNOACTIVATE);
    } else {
        ShowWindow(m_life.hwnd, SW_SHOW);
    }
    if (m_params.activateOnShow) {
        SetForegroundWindow(m_life.hwnd);
        SetActiveWindow(m_life.hwnd);
        ::SetFocus(m_life.hwnd);
    }
}
