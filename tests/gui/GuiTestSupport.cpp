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

bool MoveCursorTo(int x, int y)
{
    // Wine ignores cursor moves until the process has met its desktop.
    GetDesktopWindow();
    POINT at;
    return SetCursorPos(x, y) && GetCursorPos(&at) && at.x == x && at.y == y;
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
