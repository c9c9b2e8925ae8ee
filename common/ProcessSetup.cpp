#include "common/ProcessSetup.h"
#include "common/CDllLoader.h"
#include "common/StringFormat.h"
#include <windows.h>

namespace {
bool g_dpiAwarenessDone = false;
}

void EnableDpiAwareness()
{
    if (g_dpiAwarenessDone)
        return;
    // Set first so that a failed attempt is never repeated.
    g_dpiAwarenessDone = true;
    CDllLoader user32;
    if (user32.Load("user32.dll"))
        user32.CallFunction("SetProcessDPIAware");
}

void GetLastErrorText(int errorCode, char* text, unsigned size)
{
    if (!text || size == 0)
        return;
    text[0] = '\0';
    char* message = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, (DWORD)errorCode,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&message, 0, nullptr);
    if (n != 0 && message)
        SafeStrCopy(text, message, size);
    if (message)
        LocalFree(message);
}
