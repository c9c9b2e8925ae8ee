// Forward and inverse CCS transform time per size and processor variant, as "key: value".
#include "FftBenchTiming.h"
#include "signal/Dsp.h"
#include "signal/DspRegistry.h"
#include "signal/fft/RealFftSpec.h"
#include <cpuid.h>
#include <cstdio>

namespace {

struct Variant {
    int index;
    const char* name;
};

bool Supported(int index)
{
    unsigned a, b, c, d;
    if (index == VariantGeneric)
        return true;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    return index == VariantSse ? (d & bit_SSE) != 0 : index == VariantSse2 ? (d & bit_SSE2) != 0 : (c & bit_SSE3) != 0;
}

void BenchOrder(const Variant& v, int order)
{
    const int n = 1 << order;
    RealFftSpec* spec = nullptr;
    if (dspsFFTInitAlloc_R_32f(&spec, order, FftScaleForward, 1) != StatusOk)
        return;
    int size = 0;
    dspsFFTGetBufSize_R_32f(spec, &size);
    unsigned char* work = size ? dspsMalloc_8u(size) : nullptr;
    float* x = dspsMalloc_32f(n + 2);
    float* y = dspsMalloc_32f(n + 2);
    FillBenchSignal(x, n);
    const double fwd = TimePerCall([&] { dspsFFTFwd_RToCCS_32f(x, y, spec, work); });
    const double inv = TimePerCall([&] { dspsFFTInv_CCSToR_32f(y, x, spec, work); });
    std::printf("fft.fwd_ccs.%d.%s.ns: %.0f\n", n, v.name, fwd);
    std::printf("fft.inv_ccs.%d.%s.ns: %.0f\n", n, v.name, inv);
    dspsFree(x);
    dspsFree(y);
    dspsFree(work);
    dspsFFTFree_R_32f(spec);
}

} // namespace

int main()
{
    const Variant variants[] = {
        {VariantGeneric, "generic"}, {VariantSse, "sse"}, {VariantSse2, "sse2"}, {VariantSse3, "sse3"}};
    for (const Variant& v : variants) {
        if (!Supported(v.index))
            continue;
        dspsStoreVariant(v.index);
        for (int order = 6; order <= 16; ++order)
            BenchOrder(v, order);
    }
    dspsStoreVariant(VariantGeneric);
    return 0;
}
