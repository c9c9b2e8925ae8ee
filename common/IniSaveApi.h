#pragma once
#include <windows.h>

// The file writes a settings save makes, and the opening of the file for its
// last look before the move. A save reaches them only through this table, so
// tests can make any one of them fail, report success for a write that fell
// short, as a full disk does, or change the file just before the move.
struct IniSaveApi {
    BOOL(WINAPI* copyFile)(LPCSTR from, LPCSTR to, BOOL failIfExists);
    BOOL(WINAPI* writeString)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path);
    BOOL(WINAPI* writeStruct)(LPCSTR section, LPCSTR key, LPVOID data, UINT size, LPCSTR path);
    BOOL(WINAPI* flushFile)(HANDLE file);
    BOOL(WINAPI* moveFile)(LPCSTR from, LPCSTR to, DWORD flags);
    HANDLE(WINAPI* openFile)
    (LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags, HANDLE model);
};

// The table in use; the system's unless a test replaced it.
const IniSaveApi& CurrentIniSaveApi();
// Replaces the table for every save; null restores the system's.
void SetIniSaveApi(const IniSaveApi* api);
