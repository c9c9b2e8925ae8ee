#include "audio/PipelineDevice.h"
#include "audio/GuidText.h"
#include "common/StringFormat.h"
#include <cstring>

const GUID PipelineInterfaceClass = {0x573CBFBD, 0xEF12, 0x4135, {0xB3, 0xB7, 0x64, 0xB1, 0x26, 0x3F, 0xFC, 0xE4}};

namespace {

const PipelineApi systemApi = {
    SetupDiGetClassDevsA, SetupDiEnumDeviceInterfaces, SetupDiGetDeviceInterfaceDetailA, SetupDiDestroyDeviceInfoList,
    CreateFileA,
};
const PipelineApi* api = &systemApi;

const int TextSize = 256;
const int DetailBytes = 265;
const DWORD DetailFixedSize = 5; // cbSize of the 8-bit detail record on 32-bit Windows
const int PathChars = DetailBytes - sizeof(DWORD);

void SetOutcome(char* text, unsigned code)
{
    char buffer[TextSize];
    wsprintfA(buffer, "Error 0x%08X opening Quillmere Pipeline", code);
    SafeStrCopy(text, buffer, TextSize);
}

// Device path + "\" + the class GUID, or false when it would not fit the record.
bool AppendClassGuid(char* path)
{
    char guid[GuidTextLength + 1];
    FormatGuid(guid, &PipelineInterfaceClass);
    path[PathChars - 1] = '\0';
    if ((int)strlen(path) + 1 + GuidTextLength >= PathChars)
        return false;
    strcat(path, "\\");
    strcat(path, guid);
    return true;
}

HANDLE OpenFromSet(HDEVINFO set, char* text)
{
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof(data);
    if (!api->enumInterfaces(set, nullptr, &PipelineInterfaceClass, 0, &data)) {
        SetLastErrorAsHResult();
        SetOutcome(text, GetLastError() == ERROR_NO_MORE_ITEMS ? 0x80700002 : 0x80700003);
        return 0;
    }
    alignas(DWORD) char detailBuffer[DetailBytes] = {};
    auto* detail = (PSP_DEVICE_INTERFACE_DETAIL_DATA_A)detailBuffer;
    detail->cbSize = DetailFixedSize;
    if (!api->getInterfaceDetail(set, &data, detail, DetailBytes, nullptr, nullptr)) {
        SetLastErrorAsHResult();
        SetOutcome(text, 0x80700004);
        return 0;
    }
    if (!AppendClassGuid(detail->DevicePath)) {
        SetOutcome(text, 0x80700004);
        return 0;
    }
    HANDLE device = api->createFile(detail->DevicePath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        SetOutcome(text, 0x80700005);
        return 0;
    }
    return device;
}

} // namespace

void SetPipelineApi(const PipelineApi* replacement)
{
    api = replacement ? replacement : &systemApi;
}

HANDLE OpenPipelineDevice(char* errorText)
{
    char ownText[TextSize];
    char* text = errorText ? errorText : ownText;
    SafeStrCopy(text, "No Error", TextSize);
    HDEVINFO set = api->getClassDevs(&PipelineInterfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        SetLastErrorAsHResult();
        SetOutcome(text, 0x80700001);
        return 0;
    }
    HANDLE device = OpenFromSet(set, text);
    // Destroying the set must not disturb the last error the failing step left.
    DWORD error = GetLastError();
    api->destroyInfoList(set);
    SetLastError(error);
    return device;
}

void SetLastErrorAsHResult()
{
    DWORD error = GetLastError();
    if ((error & 0xE0000000) != 0xE0000000)
        return;
    DWORD hresult = 0x800F0000 | (error & 0xFFFF);
    if (hresult != error)
        SetLastError(hresult);
}
