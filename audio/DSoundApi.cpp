#include "audio/DSoundApi.h"

namespace {

// Wine's DirectSound keeps the GUID of every device an enumeration names in a table of ten, and the
// eleventh and later overwrite whatever lies behind it in the library, up to pointers it calls.
const int WineGuidTableSize = 10;

int SystemEnumerationLimit()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") ? WineGuidTableSize : 0;
}

const DSoundApi systemApi = {
    DirectSoundCaptureCreate, DirectSoundCaptureEnumerateA, DirectSoundCreate,
    DirectSoundEnumerateA,    WaitForMultipleObjects,       GetTickCount,
    SystemEnumerationLimit(),
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
