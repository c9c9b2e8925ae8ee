#pragma once
#include "common/DebugTrace.h"
#include <cstdio>
#include <string>

// Switches the trace's log-file sink on for the life of the object.
class TraceCapture {
public:
    TraceCapture() : m_file(std::tmpfile()) { SetDebugTraceLogFile(m_file); }
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
    FILE* m_file;
};
