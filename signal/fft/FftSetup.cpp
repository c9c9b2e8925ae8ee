// Generic bodies of the specification functions.
#include "signal/DspBodies.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/FftPlan.h"
#include "signal/fft/FftSpec.h"

namespace dsp::generic {

LibStatus dspsFFTInitAlloc_R_32f(RealFftSpec** ppSpec, int order, int flag, int hint)
{
    return FftCreateSpec(ppSpec, order, flag, hint, VariantGeneric, FftBuildPlan);
}

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

LibStatus dspsFFTFree_R_32f(RealFftSpec* pSpec)
{
    const LibStatus status = FftCheckSpec(pSpec);
    if (status != StatusOk)
        return status;
    const FftFreeBody owner = FftOwnerFree(pSpec);
    if (owner != &dspsFFTFree_R_32f)
        return owner(pSpec);
    dspsFFTReleaseSpec(pSpec);
    return StatusOk;
}

} // namespace dsp::generic
