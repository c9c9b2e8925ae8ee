#pragma once
#include <windows.h>
#include <shellapi.h>

// Whether the shell holds an icon of this window and id: it lets a tip
// change through only for an icon it has (the tip is the program's own).
inline bool TrayIconShown(HWND window, UINT id = 0)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "Quillmere RTA");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
