#include "analysis/DspAlloc.h"
#include "signal/Dsp.h"

float* AllocZeroedFloats(int count)
{
    float* p = dspsMalloc_32f(count);
    if (p)
        dspsSet_32f(0.0f, p, count);
    return p;
}

bool AllocFftWork(const RealFftSpec* spec, unsigned char** buffer)
{
    int size = 0;
    *buffer = nullptr;
    if (dspsFFTGetBufSize_R_32f(spec, &size) != StatusOk)
        return false;
    if (size <= 0)
        return true;
    *buffer = dspsMalloc_8u(size);
    if (*buffer)
        dspsSet_8u(0, *buffer, size);
    return *buffer != nullptr;
}
