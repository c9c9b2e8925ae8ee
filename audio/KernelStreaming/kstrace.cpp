#include "audio/KernelStreaming/kstrace.h"
#include "audio/KernelStreaming/ksplatform.h"
#include <cstdarg>
#include <cstdio>

int g_nKsTraceLevel = 0;

void KsTrace(int level, const char* format, ...)
{
    if (level > g_nKsTraceLevel || !format)
        return;
    char text[260];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    text[sizeof(text) - 1] = 0;
    KsPlatform()->OutputDebugStringA(text);
}
