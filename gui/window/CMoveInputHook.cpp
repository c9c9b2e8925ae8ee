#include "gui/window/CMoveInputHook.h"
#include "gui/window/WindowEvent.h"

namespace {
// GUI thread only: low-level hooks run on the thread that set them.
HWND g_moving = nullptr;
HHOOK g_mouseHook = nullptr;
HHOOK g_keyHook = nullptr;
WPARAM g_swallowedRelease = 0; // the release that belongs to a swallowed press
DWORD g_swallowedKey = 0;      // the key whose release belongs to a swallowed press

// Once the Move has ended and the releases it owes have passed.
void UnhookWhenDone()
{
    if (g_moving || g_swallowedRelease || g_swallowedKey)
        return;
    if (g_mouseHook)
        UnhookWindowsHookEx(g_mouseHook);
    if (g_keyHook)
        UnhookWindowsHookEx(g_keyHook);
    g_mouseHook = g_keyHook = nullptr;
}

// The release of a press; 0 for a release or anything else.
WPARAM ReleaseOf(WPARAM message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN: return WM_RBUTTONUP;
    case WM_MBUTTONDOWN: return WM_MBUTTONUP;
    case WM_XBUTTONDOWN: return WM_XBUTTONUP;
    default: return 0;
    }
}

bool IsButton(WPARAM message)
{
    return ReleaseOf(message) != 0 || message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
           message == WM_XBUTTONUP;
}

void EndMove(MoveEnd how)
{
    PostMessageA(g_moving, ToolkitMessage::MoveEnded, static_cast<WPARAM>(how), 0);
    g_moving = nullptr;
}

LRESULT CALLBACK WatchButtons(int code, WPARAM message, LPARAM info)
{
    if (code == HC_ACTION && g_swallowedRelease && message == g_swallowedRelease) {
        g_swallowedRelease = 0;
        UnhookWhenDone();
        return 1;
    }
    if (code == HC_ACTION && g_moving && IsButton(message)) {
        g_swallowedRelease = ReleaseOf(message);
        EndMove(MoveEnd::Place);
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, info);
}

LRESULT CALLBACK WatchKeys(int code, WPARAM message, LPARAM info)
{
    const DWORD key = code == HC_ACTION ? reinterpret_cast<const KBDLLHOOKSTRUCT*>(info)->vkCode : 0;
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (key && key == g_swallowedKey) {
        if (!down)
            g_swallowedKey = 0;
        UnhookWhenDone();
        return 1; // its repeats too
    }
    if (g_moving && down && (key == VK_ESCAPE || key == VK_RETURN)) {
        g_swallowedKey = key;
        EndMove(key == VK_ESCAPE ? MoveEnd::Cancel : MoveEnd::Place);
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, info);
}
} // namespace

void CMoveInputHook::Start(HWND window)
{
    g_moving = window;
    const HINSTANCE self = GetModuleHandleA(nullptr);
    if (!g_mouseHook)
        g_mouseHook = SetWindowsHookExA(WH_MOUSE_LL, WatchButtons, self, 0);
    if (!g_keyHook)
        g_keyHook = SetWindowsHookExA(WH_KEYBOARD_LL, WatchKeys, self, 0);
}

void CMoveInputHook::Stop(HWND window)
{
    if (g_moving == window)
        g_moving = nullptr;
    UnhookWhenDone();
}
