#include "common/DebugTrace.h"
#include "common/StringFormat.h"
#include <atomic>
#include <cstdarg>
#include <cstring>

namespace {

std::atomic<HANDLE> g_console{nullptr};
std::atomic<FILE*> g_logFile{nullptr};

// Latin-1 letters the console's code page 850 places elsewhere.
void ToConsoleCodePage(char* text)
{
    static const unsigned char from[] = {0xC4, 0xC5, 0xD6, 0xE4, 0xE5, 0xF6};
    static const unsigned char to[] = {0x8E, 0x8F, 0x99, 0x84, 0x86, 0x94};
    for (unsigned char* p = (unsigned char*)text; *p; ++p) {
        for (size_t i = 0; i < sizeof(from); ++i) {
            if (*p == from[i]) {
                *p = to[i];
                break;
            }
        }
    }
}

} // namespace

void DebugTrace(const char* format, ...)
{
    HANDLE console = g_console.load();
    FILE* log = g_logFile.load();
    if (!console && !log)
        return;
    char line[1024];
    va_list args;
    va_start(args, format);
    SafeVsprintf(line, sizeof(line), format, args);
    va_end(args);
    ToConsoleCodePage(line);
    if (console)
        DebugConsoleWrite(line);
    if (log) {
        std::fwrite(line, 1, std::strlen(line), log);
        std::fflush(log);
    }
}

HANDLE GetDebugConsole()
{
    return g_console.load();
}

void DebugConsoleWrite(const char* text)
{
    HANDLE console = g_console.load();
    if (!console || !text)
        return;
    DWORD written = 0;
    WriteConsoleA(console, text, (DWORD)std::strlen(text), &written, nullptr);
}

void SetDebugConsole(HANDLE console)
{
    g_console.store(console);
}

void SetDebugTraceLogFile(FILE* file)
{
    g_logFile.store(file);
}
