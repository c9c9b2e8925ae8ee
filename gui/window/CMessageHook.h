#pragma once
#include <windows.h>

class CPhysicalWindow;

// Sees a window's raw messages before the window does (the six mouse-button
// messages only after the window's own handling, when they reach its default
// step). Non-zero means handled: the window then returns *result at once.
class CMessageHook {
public:
    virtual int OnMessage(CPhysicalWindow* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result) = 0;

protected:
    ~CMessageHook() = default;
};
