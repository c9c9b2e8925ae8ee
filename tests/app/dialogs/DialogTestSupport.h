#pragma once
#include "GuiTestSupport.h"
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "audio/CAudioInterface.h"
#include "audio/WaveApi.h"
#include "gui/controls/CPushButton.h"
#include <gtest/gtest.h>
#include <string>

// Stands in for the main window: keeps the status text and the settings,
// counts the calls, and lists devices through a real listing interface.
struct FakeController : CAppController {
    FakeController() { LoadDefaults(&settings); }
    bool OpenAudioInterface() override
    {
        ++opens;
        if (!openWorks)
            status = failureText;
        return openWorks;
    }
    void GetStatusText(std::string& out) override { out = status; }
    void SetDefaultStatusText() override
    {
        ++defaultStatus;
        status = "Ready";
    }
    void SetStatusText(const char* text) override { status = text; }
    void OpenWebSite() override { ++webSiteOpens; }
    double GetItuRefLevel() override { return ItuRefLevelOf(settings); }
    CAudioInterface* GetDeviceListInterface() override { return &listing; }
    AnalyserSettings* GetSettings() override { return &settings; }
    void ApplySettings() override { ++applies; }

    AnalyserSettings settings;
    CAudioInterface listing;
    std::string status;
    std::string failureText = "Invalid Interface Type";
    bool openWorks = true;
    int opens = 0, defaultStatus = 0, webSiteOpens = 0, applies = 0;
};

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

// An .ini file of the test's own, missing at first.
inline std::string FreshIniPath()
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "quill_dialogs_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    DeleteFileA(path.c_str());
    return path;
}

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
