#pragma once
#include "common/CTickSource.h"
#include "gui/window/CPhysicalWindow.h"
#include "GuiTestSupport.h"
#include "RecordingListener.h"
#include <string>

// A plain window record, quietly placed.
inline WindowCreateParams TestWindowParams(int x = kQuietX, int y = kQuietY, int width = 64, int height = 48)
{
    return QuietlyPlaced<WindowCreateParams>(width, height, x, y);
}

inline bool IsClassRegistered(const std::string& name)
{
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), name.c_str(), &info) != 0;
}

inline DWORD StyleOf(HWND hwnd)
{
    return GetWindowLongA(hwnd, GWL_STYLE);
}

inline DWORD ExStyleOf(HWND hwnd)
{
    return GetWindowLongA(hwnd, GWL_EXSTYLE);
}

// A created window whose events, after the creation's, are recorded.
struct WindowFixture {
    explicit WindowFixture(WindowCreateParams params = TestWindowParams(), CTickSource* ticks = nullptr,
                           CMessageHook* hook = nullptr)
    {
        window.SetMessageHook(hook);
        window.SetListener(&listener);
        window.SetTickSource(ticks);
        created = window.Create(params) == 0;
        PumpMessages();
        listener.Clear();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(window.GetHwnd(), message, wParam, lParam);
    }
    // Through the queue, as input comes: the message carries the pointer's
    // place at the post.
    LRESULT Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        MSG msg = {};
        PostMessageA(window.GetHwnd(), message, wParam, lParam);
        PeekMessageA(&msg, window.GetHwnd(), message, message, PM_REMOVE);
        return DispatchMessageA(&msg);
    }
    RECT Rect() const
    {
        RECT rect = {};
        GetWindowRect(window.GetHwnd(), &rect);
        return rect;
    }
    RecordingListener listener;
    CPhysicalWindow window;
    bool created;
};
