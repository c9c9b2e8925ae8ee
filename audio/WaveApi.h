#pragma once
#include <windows.h>
#include <mmsystem.h>

// The multimedia wave functions the Wave driver calls. The driver reaches the
// system only through this table, so tests can stand in a device of their own.
struct WaveApi {
    UINT(WINAPI* inGetNumDevs)();
    MMRESULT(WINAPI* inGetDevCaps)(UINT_PTR device, LPWAVEINCAPSA caps, UINT size);
    MMRESULT(WINAPI* inMessage)(HWAVEIN device, UINT message, DWORD_PTR p1, DWORD_PTR p2);
    MMRESULT(WINAPI* inOpen)
    (LPHWAVEIN out, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* inPrepareHeader)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* inUnprepareHeader)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* inAddBuffer)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* inStart)(HWAVEIN device);
    MMRESULT(WINAPI* inStop)(HWAVEIN device);
    MMRESULT(WINAPI* inReset)(HWAVEIN device);
    MMRESULT(WINAPI* inClose)(HWAVEIN device);

    UINT(WINAPI* outGetNumDevs)();
    MMRESULT(WINAPI* outGetDevCaps)(UINT_PTR device, LPWAVEOUTCAPSA caps, UINT size);
    MMRESULT(WINAPI* outMessage)(HWAVEOUT device, UINT message, DWORD_PTR p1, DWORD_PTR p2);
    MMRESULT(WINAPI* outOpen)
    (LPHWAVEOUT out, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* outPrepareHeader)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* outUnprepareHeader)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* outWrite)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* outPause)(HWAVEOUT device);
    MMRESULT(WINAPI* outReset)(HWAVEOUT device);
    MMRESULT(WINAPI* outClose)(HWAVEOUT device);

    // The multimedia clock (ms), by which the device thread tells a silent device.
    DWORD(WINAPI* time)();
};

// The table in use; the system's unless a test replaced it.
const WaveApi& CurrentWaveApi();
// Replaces the table for every Wave driver; null restores the system's.
void SetWaveApi(const WaveApi* api);
