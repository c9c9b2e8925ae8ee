#pragma once
#include "audio/KernelStreaming/ksdefs.h"

// The platform calls the Kernel Streaming library makes, behind one interface so that a
// stand-in device can answer them where no Kernel Streaming driver exists.
class CKsPlatform {
public:
    virtual ~CKsPlatform() {}

    virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                               DWORD flags, HANDLE templateFile) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
    virtual BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen,
                                 LPDWORD returned, LPOVERLAPPED overlapped) = 0;
    virtual BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) = 0;
    // The wait for completed stream transfers.
    virtual DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) = 0;

    virtual HMODULE LoadLibraryA(LPCSTR name) = 0;
    virtual FARPROC GetProcAddress(HMODULE module, LPCSTR name) = 0;
    virtual BOOL GetVersionExA(LPOSVERSIONINFOA info) = 0;
    virtual void OutputDebugStringA(LPCSTR text) = 0;

    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags) = 0;
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* classGuid, DWORD index,
                                             PSP_DEVICE_INTERFACE_DATA data) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                                  PDWORD requiredSize, PSP_DEVINFO_DATA devInfo) = 0;
    virtual HKEY SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                                  REGSAM access) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceAlias(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, const GUID* aliasClass,
                                                PSP_DEVICE_INTERFACE_DATA alias) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

    virtual LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) = 0;
    virtual LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                  LPDWORD dataSize) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
};

// The platform in use: the operating system's unless a stand-in was installed.
CKsPlatform* KsPlatform();
// Installs a stand-in (null: the operating system again) and returns the one it replaces.
CKsPlatform* KsSetPlatform(CKsPlatform* platform);
