#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KernelStreaming/ksplatformwin32.h"

namespace {
CKsWin32Platform g_win32Platform;
CKsPlatform* g_pPlatform = &g_win32Platform;
} // namespace

CKsPlatform* KsPlatform()
{
    return g_pPlatform;
}

CKsPlatform* KsSetPlatform(CKsPlatform* platform)
{
    CKsPlatform* previous = g_pPlatform;
    g_pPlatform = platform ? platform : &g_win32Platform;
    return previous;
}
