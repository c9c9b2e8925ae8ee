#include "analysis/EngineBuffers.h"
#include "signal/Dsp.h"

namespace {
const int kFastHint = 1;
}

float* AllocZeroedFloats(int count)
{
    float* p = dspsMalloc_32f(count);
    if (p)
        dspsSet_32f(0.0f, p, count);
    return p;
}

RealFftSpec* AllocRealFft(int order, FftFlag flag)
{
    RealFftSpec* spec = nullptr;
    return dspsFFTInitAlloc_R_32f(&spec, order, flag, kFastHint) == StatusOk ? spec : nullptr;
}

void FreeRealFft(RealFftSpec** spec)
{
    if (*spec)
        dspsFFTFree_R_32f(*spec);
    *spec = nullptr;
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
