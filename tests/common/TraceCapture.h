#pragma once
#include "common/DebugTrace.h"
#include <windows.h>
#include <atomic>
#include <cstdio>
#include <string>

// Switches the trace's log-file sink on for the life of the object.
class TraceCapture {
public:
    TraceCapture() : m_file(OpenOwnFile()) { SetDebugTraceLogFile(m_file); }
    ~TraceCapture()
    {
        SetDebugTraceLogFile(nullptr);
        if (m_file)
            std::fclose(m_file);
    }
    std::string Text()
    {
        std::string text;
        if (!m_file)
            return text;
        std::fflush(m_file);
        std::rewind(m_file);
        char buf[512];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof(buf), m_file)) > 0)
            text.append(buf, n);
        std::fseek(m_file, 0, SEEK_END);
        return text;
    }

private:
    // A name of this process's own, gone when closed ('D'). The C runtime's
    // temporary file frees the name it found before it opens it, so tests
    // running side by side could both open the same file.
    static FILE* OpenOwnFile()
    {
        static std::atomic<unsigned> made{0};
        char folder[MAX_PATH], path[MAX_PATH];
        GetTempPathA(sizeof(folder), folder);
        std::snprintf(path, sizeof(path), "%squill_trace_%lu_%u.txt", folder, GetCurrentProcessId(), made++);
        return std::fopen(path, "w+bD");
    }

    FILE* m_file;
};
