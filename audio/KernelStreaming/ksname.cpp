#include "audio/KernelStreaming/ksname.h"
#include "audio/KernelStreaming/ksplatform.h"
#include <cstring>

namespace {
const char kUsbPrefix[] = "\\\\?\\usb#";
const char kUsbEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\USB\\";
const DWORD kUsbValueSize = 256;

// "\\?\usb#vid_x&pid_y#instance#{class}\name" gives "vid_x&pid_y\instance".
bool UsbInstanceKey(LPCSTR devicePath, char* key, size_t keySize)
{
    char work[1024];
    lstrcpynA(work, devicePath, sizeof(work));
    if (strlen(work) < 8)
        return false;
    char* text = work + 8;
    char* classMark = strstr(text, "#{");
    if (!classMark)
        return false;
    *classMark = 0;
    char* hash = strchr(text, '#');
    if (!hash)
        return false;
    *hash = '\\';
    if (strlen(kUsbEnumKey) + strlen(text) + 1 > keySize)
        return false;
    strcpy(key, kUsbEnumKey);
    strcat(key, text);
    return true;
}

// True when the value was read; the name changes only for a string value.
bool TakeUsbValue(HKEY key, LPCSTR value, char* name, DWORD nameSize, bool afterSemicolon)
{
    char text[kUsbValueSize];
    DWORD type = 0;
    if (!KsReadRegString(key, value, text, sizeof(text), &type))
        return false;
    if (type == REG_SZ) {
        const char* semicolon = afterSemicolon ? strchr(text, ';') : nullptr;
        lstrcpynA(name, semicolon ? semicolon + 1 : text, nameSize);
    }
    return true;
}

void LookupUsbName(LPCSTR devicePath, char* name, DWORD nameSize)
{
    char keyPath[1100];
    if (!UsbInstanceKey(devicePath, keyPath, sizeof(keyPath)))
        return;
    CKsPlatform* platform = KsPlatform();
    HKEY key = nullptr;
    if (platform->RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!platform->GetVersionExA(&version))
        version.dwMajorVersion = 0;
    if (version.dwMajorVersion >= 6) {
        if (!TakeUsbValue(key, "FriendlyName", name, nameSize, false) &&
            !TakeUsbValue(key, "DeviceDesc", name, nameSize, true))
            TakeUsbValue(key, "LocationInformation", name, nameSize, false);
    } else {
        TakeUsbValue(key, "LocationInformation", name, nameSize, false);
    }
    platform->RegCloseKey(key);
}
} // namespace

bool KsReadRegString(HKEY key, LPCSTR value, char* dest, DWORD destSize, DWORD* type)
{
    if (!dest || destSize == 0)
        return false;
    // A stored string need not carry its terminator: keep room for one.
    DWORD size = destSize - 1;
    LONG result = KsPlatform()->RegQueryValueExA(key, value, nullptr, type, (LPBYTE)dest, &size);
    if (result != ERROR_SUCCESS) {
        dest[0] = 0;
        return false;
    }
    dest[size < destSize - 1 ? size : destSize - 1] = 0;
    return true;
}

void KsReadFriendlyName(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, LPCSTR devicePath, char* name, DWORD nameSize)
{
    name[0] = 0;
    CKsPlatform* platform = KsPlatform();
    HKEY key = platform->SetupDiOpenDeviceInterfaceRegKey(set, data, 0, KEY_QUERY_VALUE);
    if (!key || key == (HKEY)INVALID_HANDLE_VALUE)
        return;
    DWORD type = 0;
    if (KsReadRegString(key, "FriendlyName", name, nameSize, &type) && _strnicmp(devicePath, kUsbPrefix, 8) == 0 &&
        _stricmp(name, "usb audio device") == 0)
        LookupUsbName(devicePath, name, nameSize);
    platform->RegCloseKey(key);
}
