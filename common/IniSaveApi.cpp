#include "common/IniSaveApi.h"

namespace {

const IniSaveApi systemApi = {
    CopyFileA, WritePrivateProfileStringA, WritePrivateProfileStructA, FlushFileBuffers, MoveFileExA, CreateFileA,
};

const IniSaveApi* currentApi = &systemApi;

} // namespace

const IniSaveApi& CurrentIniSaveApi()
{
    return *currentApi;
}

void SetIniSaveApi(const IniSaveApi* api)
{
    currentApi = api ? api : &systemApi;
}
