#include "audio/KernelStreaming/ksplatformwin32.h"

HANDLE CKsWin32Platform::CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                     DWORD disposition, DWORD flags, HANDLE templateFile)
{
    return ::CreateFileA(path, access, share, sa, disposition, flags, templateFile);
}

BOOL CKsWin32Platform::CloseHandle(HANDLE handle)
{
    return ::CloseHandle(handle);
}

BOOL CKsWin32Platform::DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen,
                                       LPDWORD returned, LPOVERLAPPED overlapped)
{
    return ::DeviceIoControl(handle, code, in, inLen, out, outLen, returned, overlapped);
}

BOOL CKsWin32Platform::GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait)
{
    return ::GetOverlappedResult(handle, overlapped, transferred, wait);
}

DWORD CKsWin32Platform::WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms)
{
    return ::WaitForMultipleObjects(count, handles, waitAll, ms);
}

HMODULE CKsWin32Platform::LoadLibraryA(LPCSTR name)
{
    return ::LoadLibraryA(name);
}

FARPROC CKsWin32Platform::GetProcAddress(HMODULE module, LPCSTR name)
{
    return ::GetProcAddress(module, name);
}

BOOL CKsWin32Platform::GetVersionExA(LPOSVERSIONINFOA info)
{
    return ::GetVersionExA(info);
}

void CKsWin32Platform::OutputDebugStringA(LPCSTR text)
{
    ::OutputDebugStringA(text);
}

HDEVINFO CKsWin32Platform::SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags)
{
    return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
}

BOOL CKsWin32Platform::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* classGuid,
                                                   DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    return ::SetupDiEnumDeviceInterfaces(set, devInfo, classGuid, index, data);
}

BOOL CKsWin32Platform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                        PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                                        PDWORD requiredSize, PSP_DEVINFO_DATA devInfo)
{
    return ::SetupDiGetDeviceInterfaceDetailA(set, data, detail, detailSize, requiredSize, devInfo);
}

HKEY CKsWin32Platform::SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                                        REGSAM access)
{
    return ::SetupDiOpenDeviceInterfaceRegKey(set, data, reserved, access);
}

BOOL CKsWin32Platform::SetupDiGetDeviceInterfaceAlias(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                      const GUID* aliasClass, PSP_DEVICE_INTERFACE_DATA alias)
{
    return ::SetupDiGetDeviceInterfaceAlias(set, data, aliasClass, alias);
}

BOOL CKsWin32Platform::SetupDiDestroyDeviceInfoList(HDEVINFO set)
{
    return ::SetupDiDestroyDeviceInfoList(set);
}

LONG CKsWin32Platform::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result)
{
    return ::RegOpenKeyExA(key, subKey, options, access, result);
}

LONG CKsWin32Platform::RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                        LPDWORD dataSize)
{
    return ::RegQueryValueExA(key, name, reserved, type, data, dataSize);
}

LONG CKsWin32Platform::RegCloseKey(HKEY key)
{
    return ::RegCloseKey(key);
}
