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
    return FftRunGetBufSize(&dspsFFTGetBufSize_R_32f, pSpec, pSize);
}

LibStatus dspsFFTFree_R_32f(RealFftSpec* pSpec)
{
    return FftRunFree(&dspsFFTFree_R_32f, pSpec);
}

} // namespace dsp::generic
