#include "signal/DspBodies.h"
#include "signal/fft/FftBitRev.h"
#include "signal/fft/FftLarge.h"
#include "signal/fft/FftLayout.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/FftPlan.h"
#include "signal/fft/FftRadix4.h"
#include "signal/fft/FftRecombine.h"
#include "signal/fft/FftSmallOrder.h"
#include "signal/fft/FftWorkBuffer.h"

namespace dsp::generic {

namespace {

void SmallOrder(const float* src, float* dst, const RealFftSpec* spec, FftLayout layout)
{
    const int n = 1 << spec->order;
    const float scale = spec->inverseScaled ? spec->scale : 1.0f;
    if (layout == FftLayout::Perm) {
        FftSmallInv(spec->order, src, dst, scale);
        return;
    }
    FftLayoutToPerm(src, dst, n, layout);
    FftSmallInv(spec->order, dst, dst, scale);
}

// Half-size spectrum Z (twice over) into dst; the CCS slots [1] and [N+1] are never read.
void PreRecombine(const float* src, float* dst, const RealFftSpec* spec, FftLayout layout)
{
    const int n = 1 << spec->order;
    FftInvPreRecombine(FftInvFirstPoint(src, dst, n, layout), dst, n / 2, spec->recombInv);
}

void ComplexHalf(float* dst, const RealFftSpec* spec, float* work)
{
    const int c = spec->order - 1;
    const int n = 1 << c;
    FftBitRevInPlace(dst, n, spec->bitRev);
    if (c <= kFftRadix4MaxOrder) {
        FftInvRadix4(dst, n, spec->radix4);
        if (spec->inverseScaled)
            FftScale(spec->scale, dst, 2 * n);
    } else {
        FftInvLarge(spec, dst, c, work);
    }
}

LibStatus Inverse(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer,
                  FftLayout layout)
{
    if (spec->order <= kFftSmallOrderMax) {
        SmallOrder(src, dst, spec, layout);
        return StatusOk;
    }
    FftWorkBuffer work(spec, buffer);
    if (!work.IsValid())
        return StatusNoMemory;
    PreRecombine(src, dst, spec, layout);
    ComplexHalf(dst, spec, work.Get());
    return StatusOk;
}

} // namespace

FFT_TRANSFORM_BODY(dspsFFTInv_PermToR_32f, Inverse, FftEntry::InvPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTInv_PackToR_32f, Inverse, FftEntry::InvPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTInv_CCSToR_32f, Inverse, FftEntry::InvCcs, FftLayout::Ccs)

} // namespace dsp::generic
