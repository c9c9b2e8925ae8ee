#pragma once
#include <windows.h>
#include <cstdio>

// Program-wide diagnostic trace. Callers end their lines with "\n" themselves.
// Every sink starts off; while all are off a call returns at once without
// formatting anything.
void DebugTrace(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));

HANDLE GetDebugConsole();
void DebugConsoleWrite(const char* text);

// Sink switches (the program itself turns none on; tests and tools may).
void SetDebugConsole(HANDLE console);
void SetDebugTraceLogFile(FILE* file);
