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
bool CursorIsAt(int x, int y)
{
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
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
    // For a moment after a move Wine's driver may still report an older
    // position from the X server: the move counts once it reads back steadily.
    const int attempts = 20, steady = 3;
    for (int i = 0; i < attempts; ++i) {
        if (!SetCursorPos(x, y))
            return false;
        int steadyReads = 0;
        while (steadyReads < steady) {
            TakeDriverEvents();
            if (!CursorIsAt(x, y))
                break;
            ++steadyReads;
        }
        if (steadyReads == steady)
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
