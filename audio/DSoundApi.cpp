#include "audio/DSoundApi.h"

namespace {

const DSoundApi systemApi = {
    DirectSoundCaptureCreate, DirectSoundCaptureEnumerateA, DirectSoundCreate,
    DirectSoundEnumerateA,    WaitForMultipleObjects,       GetTickCount,
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
