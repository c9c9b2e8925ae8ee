// The generic forward and inverse transform bodies.
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

// Complex transform of the n = N/2 points of src into dst, scaled by the direction's flag.
template <bool Inv>
void ComplexHalf(const float* src, float* dst, const RealFftSpec* spec, float* work)
{
    const int c = spec->order - 1;
    const int n = 1 << c;
    if (src == dst)
        FftBitRevInPlace(dst, n, spec->bitRev);
    else
        FftBitRevCopy(src, dst, n, spec->bitRev);
    if (c > kFftRadix4MaxOrder) {
        (Inv ? FftInvLarge : FftFwdLarge)(spec, dst, c, work);
        return;
    }
    (Inv ? FftInvRadix4 : FftFwdRadix4)(dst, n, spec->radix4);
    if (Inv ? spec->inverseScaled : spec->forwardScaled)
        FftScale(spec->scale, dst, 2 * n);
}

// The names the shared flows call.
void RecombineFwd(float* x, int n, const RealFftSpec* spec)
{
    FftFwdRecombine(x, n, spec->recombFwd);
}
const auto PreRecombineInv = &FftInvPreRecombine;

#include "signal/fft/FftFlows.inl"

} // namespace

FFT_TRANSFORM_BODY(dspsFFTFwd_RToPerm_32f, Forward, FftEntry::FwdPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToPack_32f, Forward, FftEntry::FwdPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToCCS_32f, Forward, FftEntry::FwdCcs, FftLayout::Ccs)
FFT_TRANSFORM_BODY(dspsFFTInv_PermToR_32f, Inverse, FftEntry::InvPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTInv_PackToR_32f, Inverse, FftEntry::InvPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTInv_CCSToR_32f, Inverse, FftEntry::InvCcs, FftLayout::Ccs)

} // namespace dsp::generic
