#pragma once
#include <windows.h>

// The file writes a settings save makes. A save reaches them only through
// this table, so tests can make any one of them fail, or report success for
// a write that fell short, as a full disk does.
struct IniSaveApi {
    BOOL(WINAPI* copyFile)(LPCSTR from, LPCSTR to, BOOL failIfExists);
    BOOL(WINAPI* writeString)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path);
    BOOL(WINAPI* writeStruct)(LPCSTR section, LPCSTR key, LPVOID data, UINT size, LPCSTR path);
    BOOL(WINAPI* flushFile)(HANDLE file);
    BOOL(WINAPI* moveFile)(LPCSTR from, LPCSTR to, DWORD flags);
};

// The table in use; the system's unless a test replaced it.
const IniSaveApi& CurrentIniSaveApi();
// Replaces the table for every save; null restores the system's.
void SetIniSaveApi(const IniSaveApi* api);
