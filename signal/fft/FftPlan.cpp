#include "signal/fft/FftPlan.h"
#include "signal/DspBodies.h"
#include "signal/fft/FftTables.h"

namespace dsp::generic {

namespace {

const signed char kSplit[30] = {
    0, 0, 0,  0,  0,  0,  0,  0, 0,  0,  0,      // c = 0..10: radix-4 directly
    0, 0, 5,  6,  7,  8,  8,  8, 10, 10, 10, 10, // c = 11..22
    8, 8, 10, 10, 10, 10, 10,                    // c = 23..29
};

constexpr int kLargePlanExtraBytes = 16;

// 1024-point radix-4 blocks joined by radix-2 stages with quarter twiddles of order c.
int InitBlockedPlan(RealFftSpec* spec, int c, const float* sine, int sineOrder)
{
    spec->quarter = FftInitQuarterTwiddles(sine, sineOrder, c);
    spec->radix4 = FftInitRadix4Twiddles(sine, sineOrder, kFftRadix4MaxOrder);
    return spec->quarter && spec->radix4 ? StatusOk : StatusNoMemory;
}

int InitRecursivePlan(RealFftSpec* spec, int c, const float* sine, int sineOrder, int level)
{
    const int r = FftSplitOrder(c);
    const int m = c - r;
    int status = StatusOk;
    if (m <= kFftRadix4MaxOrder) {
        spec->radix4 = FftInitRadix4Twiddles(sine, sineOrder, m);
        status = spec->radix4 ? StatusOk : StatusNoMemory;
    } else if (FftSplitOrder(m)) {
        status = InitRecursivePlan(spec, m, sine, sineOrder, level + 1);
    } else {
        status = InitBlockedPlan(spec, m, sine, sineOrder);
    }
    if (status != StatusOk)
        return status;
    spec->levelRadix4[level] = FftInitRadix4Twiddles(sine, sineOrder, r);
    if (!spec->levelRadix4[level])
        return StatusNoMemory;
    spec->levelMatrix[level] = FftInitLevelMatrix(sine, sineOrder, c, r);
    if (!spec->levelMatrix[level])
        return StatusNoMemory;
    const int need = 32 << r; // four columns of 2^r complex values
    if (need > spec->workBytes)
        spec->workBytes = need;
    return StatusOk;
}

int InitLargePlan(RealFftSpec* spec, int c, const float* sine, int sineOrder)
{
    if (FftSplitOrder(c))
        return InitRecursivePlan(spec, c, sine, sineOrder, 0);
    return InitBlockedPlan(spec, c, sine, sineOrder);
}

int InitComplexHalf(RealFftSpec* spec, int c, const float* sine, int sineOrder)
{
    spec->bitRev = FftInitBitRevTable(c);
    if (!spec->bitRev)
        return StatusNoMemory;
    spec->workBytes = 0;
    if (c <= kFftRadix4MaxOrder) {
        spec->radix4 = FftInitRadix4Twiddles(sine, sineOrder, c);
        return spec->radix4 ? StatusOk : StatusNoMemory;
    }
    const int status = InitLargePlan(spec, c, sine, sineOrder);
    if (status == StatusOk)
        spec->workBytes += kLargePlanExtraBytes;
    return status;
}

} // namespace

int FftBuildPlan(RealFftSpec* spec, const float* sine)
{
    const int status = InitComplexHalf(spec, spec->order - 1, sine, spec->order);
    if (status != StatusOk)
        return status;
    spec->recombFwd = FftInitRecombFwd(spec->order, sine);
    spec->recombInv = FftInitRecombInv(spec->order, sine);
    return spec->recombFwd && spec->recombInv ? StatusOk : StatusNoMemory;
}

int FftSplitOrder(int c)
{
    return kSplit[c];
}

} // namespace dsp::generic
