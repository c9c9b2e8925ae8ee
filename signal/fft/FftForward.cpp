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

// This variant's bodies by layout, to tell a specification of another variant.
const FftTransformBody kBodies[] = {
    &dspsFFTFwd_RToPerm_32f,
    &dspsFFTFwd_RToPack_32f,
    &dspsFFTFwd_RToCCS_32f,
};

FftEntry Entry(FftLayout layout)
{
    return static_cast<FftEntry>(static_cast<int>(layout));
}

void ComplexHalf(const float* src, float* dst, const RealFftSpec* spec, float* work)
{
    const int c = spec->order - 1;
    const int n = 1 << c;
    if (src == dst)
        FftBitRevInPlace(dst, n, spec->bitRev);
    else
        FftBitRevCopy(src, dst, n, spec->bitRev);
    if (c <= kFftRadix4MaxOrder) {
        FftFwdRadix4(dst, n, spec->radix4);
        if (spec->forwardScaled)
            FftScale(spec->scale, dst, 2 * n);
    } else {
        FftFwdLarge(spec, dst, c, work);
    }
}

int Forward(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer,
            FftLayout layout)
{
    LibStatus status;
    const FftTransformBody self = kBodies[static_cast<int>(layout)];
    if (FftTransformPrologue(src, dst, spec, buffer, Entry(layout), self, &status))
        return status;
    const int n = 1 << spec->order;
    if (spec->order <= kFftSmallOrderMax) {
        FftSmallFwd(spec->order, src, dst, spec->forwardScaled ? spec->scale : 1.0f);
        FftPermToLayout(dst, n, layout);
        return StatusOk;
    }
    FftWorkBuffer work(spec, buffer);
    if (!work.IsValid())
        return StatusNoMemory;
    ComplexHalf(src, dst, spec, work.Get());
    const float re = dst[0];
    const float im = dst[1];
    dst[0] = re + im;
    dst[1] = re - im;
    FftFwdRecombine(dst, n / 2, spec->recombFwd);
    FftPermToLayout(dst, n, layout);
    return StatusOk;
}

} // namespace

int dspsFFTFwd_RToPerm_32f(const float* pSrc, float* pDst, const RealFftSpec* pSpec,
                           unsigned char* pBuffer)
{
    return Forward(pSrc, pDst, pSpec, pBuffer, FftLayout::Perm);
}

int dspsFFTFwd_RToPack_32f(const float* pSrc, float* pDst, const RealFftSpec* pSpec,
                           unsigned char* pBuffer)
{
    return Forward(pSrc, pDst, pSpec, pBuffer, FftLayout::Pack);
}

int dspsFFTFwd_RToCCS_32f(const float* pSrc, float* pDst, const RealFftSpec* pSpec,
                          unsigned char* pBuffer)
{
    return Forward(pSrc, pDst, pSpec, pBuffer, FftLayout::Ccs);
}

} // namespace dsp::generic
