#pragma once
#include "GuiTestSupport.h"
#include "audio/WaveApi.h"
#include "gui/controls/CPushButton.h"
#include "tests/app/FakeController.h"
#include "tests/app/SettingsFileSupport.h"
#include <gtest/gtest.h>
#include <string>

// A click in the middle of a button, through its native window.
inline void Click(CPushButton& button)
{
    HWND hwnd = button.GetWindow()->GetHwnd();
    RECT r = {};
    GetClientRect(hwnd, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, middle);
}

// The control's rectangle in its window's client area.
inline RECT ClientRectOf(HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Two wave-in devices stand in for the system's while it lives.
struct StandInWaveDevices {
    StandInWaveDevices() : api(CurrentWaveApi())
    {
        api.inGetNumDevs = Count;
        api.inGetDevCaps = Caps;
        api.inMessage = Message;
        SetWaveApi(&api);
    }
    ~StandInWaveDevices() { SetWaveApi(nullptr); }
    static UINT WINAPI Count() { return 2; }
    static MMRESULT WINAPI Caps(UINT_PTR device, LPWAVEINCAPSA caps, UINT)
    {
        lstrcpynA(caps->szPname, device == 0 ? "Desk Mic" : "Line In", MAXPNAMELEN);
        return MMSYSERR_NOERROR;
    }
    // No device interface paths: the identifier is the name.
    static MMRESULT WINAPI Message(HWAVEIN, UINT, DWORD_PTR, DWORD_PTR) { return MMSYSERR_NOTSUPPORTED; }
    WaveApi api;
};

inline std::string IniText(const std::string& path, const char* key, const char* section = "Input")
{
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value), path.c_str());
    return value;
}

// Top-level windows of the thread with this caption.
inline int CountWindows(const char* caption)
{
    int count = 0;
    for (HWND w = FindWindowA(nullptr, caption); w; w = FindWindowExA(nullptr, w, nullptr, caption))
        ++count;
    return count;
}
