#pragma once
#include <windows.h>

// Wall-clock seconds from the performance counter.
inline double BenchNow()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}
