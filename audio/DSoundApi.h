#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

// The DirectSound entry points (and the wait and the clock) the DirectSound driver calls. The
// driver reaches the system only through this table, so tests can stand in devices
// whose objects fail as real ones do.
struct DSoundApi {
    HRESULT(WINAPI* captureCreate)(LPCGUID device, LPDIRECTSOUNDCAPTURE* out, LPUNKNOWN outer);
    HRESULT(WINAPI* captureEnumerate)(LPDSENUMCALLBACKA callback, LPVOID context);
    // The device a GUID stands for: the default capture device's own GUID for DSDEVID_DefaultCapture.
    HRESULT(WINAPI* deviceId)(LPCGUID source, LPGUID out);
    HRESULT(WINAPI* create)(LPCGUID device, LPDIRECTSOUND* out, LPUNKNOWN outer);
    HRESULT(WINAPI* enumerate)(LPDSENUMCALLBACKA callback, LPVOID context);
    DWORD(WINAPI* waitForMultiple)(DWORD count, const HANDLE* handles, WINBOOL all, DWORD ms);
    DWORD(WINAPI* tickCount)();
    // How many devices with a GUID an enumeration may name before the system writes past a fixed table
    // of its own; 0 when it has no such table.
    int enumerationLimit;
    // Whether releasing a capture object loses the memory of its last capture buffer.
    bool leaksReleasedCapture;
};

// The table in use; the system's unless a test replaced it.
const DSoundApi& CurrentDSoundApi();
// Replaces the table for every DirectSound driver; null restores the system's.
void SetDSoundApi(const DSoundApi* api);
