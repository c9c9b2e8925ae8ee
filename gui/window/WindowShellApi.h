#pragma once
#include <windows.h>
#include <shellapi.h>

// The shell and desktop queries behind docking and the window policies. The
// toolkit reaches them only through this table, because here (Wine) the shell
// neither moves a desktop toolbar nor reserves its area, and tests must stand
// in the shell's answers, another program's foreground window and a monitor
// that cannot be asked.
struct WindowShellApi {
    UINT_PTR(WINAPI* appBarMessage)(DWORD message, PAPPBARDATA data);
    HWND(WINAPI* getForegroundWindow)();
    BOOL(WINAPI* getMonitorInfo)(HMONITOR monitor, LPMONITORINFO info);
};

// The table in use; the system's unless a test replaced it.
const WindowShellApi& CurrentWindowShellApi();
// Replaces the table for every window; null restores the system's.
void SetWindowShellApi(const WindowShellApi* api);
