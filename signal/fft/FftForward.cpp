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

LibStatus Forward(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer,
                  FftLayout layout)
{
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

FFT_TRANSFORM_BODY(dspsFFTFwd_RToPerm_32f, Forward, FftEntry::FwdPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToPack_32f, Forward, FftEntry::FwdPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToCCS_32f, Forward, FftEntry::FwdCcs, FftLayout::Ccs)

} // namespace dsp::generic
