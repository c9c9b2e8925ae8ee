// The work size body that the SSE2 and SSE3 variants share; the other FFT bodies of these
// variants are still the generic ones.
#include "signal/DspBodies.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/RealFftSpec.h"

namespace dsp::sse2 {

LibStatus dspsFFTGetBufSize_R_32f(const RealFftSpec* pSpec, int* pSize)
{
    if (!pSpec || !pSize)
        return StatusNullPointer;
    if (pSpec->kind != kRealFftSpecKind || !FftOwnerKnown(pSpec))
        return StatusWrongSpec;
    const FftGetBufSizeBody owner = FftOwnerGetBufSize(pSpec);
    if (owner != &dspsFFTGetBufSize_R_32f)
        return owner(pSpec, pSize);
    *pSize = pSpec->workBytes;
    return StatusOk;
}

} // namespace dsp::sse2
