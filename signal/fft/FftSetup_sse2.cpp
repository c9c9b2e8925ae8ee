// The work size body that the SSE2 and SSE3 variants share.
#include "signal/DspBodies.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/RealFftSpec.h"

namespace dsp::sse2 {

LibStatus dspsFFTGetBufSize_R_32f(const RealFftSpec* pSpec, int* pSize)
{
    const LibStatus status = pSize ? FftCheckSpec(pSpec) : StatusNullPointer;
    if (status != StatusOk)
        return status;
    const FftGetBufSizeBody owner = FftOwnerGetBufSize(pSpec);
    if (owner != &dspsFFTGetBufSize_R_32f)
        return owner(pSpec, pSize);
    *pSize = pSpec->workBytes;
    return StatusOk;
}

} // namespace dsp::sse2
