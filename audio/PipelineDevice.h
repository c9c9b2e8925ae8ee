#pragma once
#include <windows.h>
#include <setupapi.h>

// The platform functions the routing-device open calls; tests may replace them.
struct PipelineApi {
    HDEVINFO(WINAPI* getClassDevs)(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags);
    WINBOOL(WINAPI* enumInterfaces)
    (HDEVINFO set, PSP_DEVINFO_DATA info, const GUID* classGuid, DWORD index, PSP_DEVICE_INTERFACE_DATA data);
    WINBOOL(WINAPI* getInterfaceDetail)
    (HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
     PDWORD requiredSize, PSP_DEVINFO_DATA info);
    WINBOOL(WINAPI* destroyInfoList)(HDEVINFO set);
    HANDLE(WINAPI* createFile)
    (LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
     HANDLE templateFile);
};

// Null restores the system's functions.
void SetPipelineApi(const PipelineApi* api);

// Interface class of the maker's routing driver, "Quillmere Pipeline".
extern const GUID PipelineInterfaceClass;

// Opens the routing driver's device; the handle, or 0 when it was not opened.
// errorText (256 characters, may be null) receives "No Error" or the failure.
HANDLE OpenPipelineDevice(char* errorText);
// Turns a SetupAPI last error (top three bits set) into its HRESULT form.
void SetLastErrorAsHResult();
