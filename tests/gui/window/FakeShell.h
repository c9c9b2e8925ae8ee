#pragma once
#include "GuiTestSupport.h"
#include "RecordingListener.h"
#include "WindowTestSupport.h"
#include "gui/window/WindowShellApi.h"
#include "tests/common/FakeTicks.h"
#include <algorithm>
#include <vector>

// Stands in for the shell while it lives: records every desktop-toolbar call
// and answers as a shell that moves bars would; the foreground window and a
// failing monitor query are the test's to choose.
struct FakeShell {
    struct Call {
        DWORD message;
        APPBARDATA data;
    };
    FakeShell()
    {
        current = this;
        SetWindowShellApi(&api);
    }
    ~FakeShell()
    {
        SetWindowShellApi(nullptr);
        current = nullptr;
    }
    int Count(DWORD message) const
    {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [message](const Call& c) { return c.message == message; }));
    }
    static UINT_PTR WINAPI AppBar(DWORD message, PAPPBARDATA data)
    {
        current->calls.push_back({message, *data});
        if (message == ABM_QUERYPOS && data->uEdge == ABE_LEFT)
            OffsetRect(&data->rc, current->leftBarWidth, 0); // another bar holds the edge already
        return message == ABM_NEW ? current->newAnswer : TRUE;
    }
    static HWND WINAPI Foreground() { return current->foreground; }
    static BOOL WINAPI Monitor(HMONITOR monitor, LPMONITORINFO info)
    {
        if (current->monitorFails || !GetMonitorInfoA(monitor, info))
            return FALSE;
        // Wine keeps a work area set with SPI_SETWORKAREA to the setting
        // process's own SPI answer; the system's monitor reports it too.
        if (current->workAreaFromSettings)
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &info->rcWork, 0);
        return TRUE;
    }

    std::vector<Call> calls;
    UINT_PTR newAnswer = TRUE;
    int leftBarWidth = 0;
    HWND foreground = nullptr;
    bool monitorFails = false;
    bool workAreaFromSettings = false;
    const WindowShellApi api = {AppBar, Foreground, Monitor};
    static FakeShell* current;
};
inline FakeShell* FakeShell::current = nullptr;

// The shell and the clock come first: they outlive the window.
struct ShellAndClock {
    FakeShell shell;
    FakeTicks ticks{1000};
};

// A window under a stand-in shell and clock.
struct ShellWindow : ShellAndClock, WindowFixture {
    explicit ShellWindow(WindowCreateParams params, CMessageHook* hook = nullptr) : WindowFixture(params, &ticks, hook)
    {}
    void Tick(uint32_t now)
    {
        ticks.now = now;
        Send(WM_TIMER, WindowTimer::Tick);
    }
};

// Counts the raw messages a window receives.
struct SeenMessages : CMessageHook {
    int OnMessage(CPhysicalWindow*, HWND, UINT message, WPARAM, LPARAM, LRESULT*) override
    {
        seen.push_back(message);
        return 0;
    }
    int Count(UINT message) const { return static_cast<int>(std::count(seen.begin(), seen.end(), message)); }
    std::vector<UINT> seen;
};

inline WindowCreateParams DockableParams(int x = 60, int y = 90, int width = 400, int height = 300)
{
    WindowCreateParams params = TestWindowParams(x, y, width, height);
    params.dockable = 1;
    return params;
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}
