#include "audio/DSoundApi.h"

namespace {

// Wine's DirectSound keeps the GUID of every device an enumeration names in a table of ten, and the
// eleventh and later overwrite whatever lies behind it in the library, up to pointers it calls. It also
// frees a capture object without the memory of its last capture buffer.
const int WineGuidTableSize = 10;

bool IsWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

const bool onWine = IsWine();

const DSoundApi systemApi = {
    DirectSoundCaptureCreate,
    DirectSoundCaptureEnumerateA,
    GetDeviceID,
    DirectSoundCreate,
    DirectSoundEnumerateA,
    WaitForMultipleObjects,
    GetTickCount,
    onWine ? WineGuidTableSize : 0,
    onWine,
};
const DSoundApi* currentApi = &systemApi;

} // namespace

const DSoundApi& CurrentDSoundApi()
{
    return *currentApi;
}

void SetDSoundApi(const DSoundApi* api)
{
    currentApi = api ? api : &systemApi;
}
