#pragma once
#include "ControlTestSupport.h"

// A container window with the program's skin, its creation's messages handled.
struct SkinnedHost : ContainerHost {
    explicit SkinnedHost(const WindowCreateParams& place = QuietlyPlaced<WindowCreateParams>(200, 160))
        : ContainerHost(place, &LoadedSkin())
    {
        PumpMessages();
    }
    CSkinRenderer& skin = LoadedSkin();
};

inline LRESULT SendTo(HWND hwnd, UINT message, WPARAM wParam = 0, int x = 0, int y = 0)
{
    return SendMessageA(hwnd, message, wParam, MAKELPARAM(x, y));
}

// One wheel step up per positive count.
inline void Wheel(HWND hwnd, int steps)
{
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, steps * WHEEL_DELTA), 0);
}
