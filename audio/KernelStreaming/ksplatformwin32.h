#pragma once
#include "audio/KernelStreaming/ksplatform.h"

// The operating system's own functions.
class CKsWin32Platform : public CKsPlatform {
public:
    HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition, DWORD flags,
                       HANDLE templateFile) override;
    BOOL CloseHandle(HANDLE handle) override;
    BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen, LPDWORD returned,
                         LPOVERLAPPED overlapped) override;
    BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) override;
    DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) override;
    HMODULE LoadLibraryA(LPCSTR name) override;
    FARPROC GetProcAddress(HMODULE module, LPCSTR name) override;
    BOOL GetVersionExA(LPOSVERSIONINFOA info) override;
    void OutputDebugStringA(LPCSTR text) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* classGuid, DWORD index,
                                     PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                          PDWORD requiredSize, PSP_DEVINFO_DATA devInfo) override;
    HKEY SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                          REGSAM access) override;
    BOOL SetupDiGetDeviceInterfaceAlias(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, const GUID* aliasClass,
                                        PSP_DEVICE_INTERFACE_DATA alias) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;
    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;
};
