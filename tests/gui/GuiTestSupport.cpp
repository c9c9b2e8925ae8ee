#include "GuiTestSupport.h"

int PumpMessages()
{
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

namespace {
LRESULT CALLBACK RefuseActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        return 1; // refused
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Still hidden while it hears of its showing: moved down, it appears there.
// A topmost window stays topmost (the bottom would take that from it).
LRESULT CALLBACK ShowUnderneath(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SHOWWINDOW && sent->wParam &&
        !(GetWindowLongA(sent->hwnd, GWL_STYLE) & WS_CHILD) &&
        !(GetWindowLongA(sent->hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(sent->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

void KeepOutOfLockedTestsWay()
{
    static const bool hooked = SetWindowsHookExA(WH_CBT, RefuseActivation, nullptr, GetCurrentThreadId()) &&
                               SetWindowsHookExA(WH_CALLWNDPROC, ShowUnderneath, nullptr, GetCurrentThreadId());
    (void)hooked;
}

namespace {
bool CursorIsAt(int x, int y)
{
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}

// The system takes an absolute coordinate c to the pixel c * extent / 65536,
// rounded down: the smallest c that lands on the pixel.
LONG AbsoluteCoordinate(int pixel, int extent)
{
    const LONG scale = 65536;
    return (pixel * scale + extent - 1) / extent;
}

// A move as the mouse reports it, which reaches the X server even where a
// warp from this process is ignored.
void SendAbsoluteMove(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = AbsoluteCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

// A move by one pixel as the mouse reports it: where an earlier process left
// Wine's pointer, no warp of this one takes until the pointer moves for real.
void SendRelativeNudge()
{
    POINT at = {};
    GetCursorPos(&at);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x < GetSystemMetrics(SM_CXSCREEN) / 2 ? 1 : -1; // towards the middle: no edge stops it
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

// Whether the system's record of the cursor, where button input lands, holds
// the point. The warp's pointer grab reaches Wine's desktop window as a
// crossing at the point left, which it reports as a move back there. A move
// as the mouse reports it sets the record again; the record answers for the
// next 100 ms, long enough for a late crossing to show.
bool SystemCursorIsAt(int x, int y)
{
    const DWORD lateCrossingMs = 50;
    SendAbsoluteMove(x, y);
    Sleep(lateCrossingMs);
    return CursorIsAt(x, y);
}

// Lets the display driver take in what the X server reports meanwhile.
void TakeDriverEvents()
{
    const DWORD settleMs = 2;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, settleMs, QS_ALLINPUT);
}
} // namespace

bool MoveCursorTo(int x, int y)
{
    // Wine ignores cursor moves until the process has met its desktop.
    GetDesktopWindow();
    // Wine answers from its own record of a move for 100 ms and then asks the
    // X server, which may not have taken the move (another client's pointer
    // grab refuses it): a move counts once the answer after that time agrees.
    const DWORD serverAnswersAfterMs = 110;
    const int attempts = 10;
    for (int i = 0; i < attempts; ++i) {
        if (i > 0)
            SendRelativeNudge();
        if (!SetCursorPos(x, y))
            return false;
        if (i > 0)
            SendAbsoluteMove(x, y);
        Sleep(serverAnswersAfterMs);
        TakeDriverEvents();
        if (CursorIsAt(x, y) && SystemCursorIsAt(x, y))
            return true;
    }
    return false;
}

namespace {
bool SendOne(INPUT& input)
{
    return SendInput(1, &input, sizeof(input)) == 1;
}
} // namespace

bool SendMouseButton(MouseButton button, KeyAction action)
{
    static const DWORD flags[2][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                      {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}};
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags[static_cast<int>(button)][static_cast<int>(action)];
    return SendOne(input);
}

bool SendMouseAt(DWORD flags, POINT at, DWORD lagMs)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteCoordinate(at.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = AbsoluteCoordinate(at.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    input.mi.time = lagMs ? GetTickCount() - lagMs : 0;
    return SendOne(input);
}

bool SendKey(WORD virtualKey, KeyAction action)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = action == KeyAction::Release ? KEYEVENTF_KEYUP : 0;
    return SendOne(input);
}

bool IsKeyDown(int virtualKey)
{
    const SHORT downBit = static_cast<SHORT>(0x8000); // the high bit: down now
    return (GetAsyncKeyState(virtualKey) & downBit) != 0;
}
