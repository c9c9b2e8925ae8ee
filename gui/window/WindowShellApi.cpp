#include "gui/window/WindowShellApi.h"

namespace {

const WindowShellApi systemApi = {SHAppBarMessage, GetForegroundWindow, GetMonitorInfoA};

const WindowShellApi* currentApi = &systemApi;

} // namespace

const WindowShellApi& CurrentWindowShellApi()
{
    return *currentApi;
}

void SetWindowShellApi(const WindowShellApi* api)
{
    currentApi = api ? api : &systemApi;
}
