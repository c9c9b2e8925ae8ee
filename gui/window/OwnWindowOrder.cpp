#include "gui/window/OwnWindowOrder.h"
#include <algorithm>

namespace {
const UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool Counts(HWND window, OwnWindows kind)
{
    if (kind == OwnWindows::Minimizable)
        return GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX;
    return !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
} // namespace

std::vector<HWND> OwnWindowsTopFirst(HWND except, OwnWindows kind)
{
    const DWORD self = GetCurrentProcessId();
    std::vector<HWND> own;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        // The walk follows the live order: a window another thread moves down meanwhile is met again.
        const bool met = std::find(own.begin(), own.end(), window) != own.end();
        if (window != except && process == self && !met && IsWindowVisible(window) && Counts(window, kind))
            own.push_back(window);
    }
    return own;
}

void RaiseOwnWindowsAbove(HWND main)
{
    const std::vector<HWND> own = OwnWindowsTopFirst(main);
    for (auto window = own.rbegin(); window != own.rend(); ++window)
        SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, kKeepPlace);
}
