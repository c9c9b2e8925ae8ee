// The work size body that the SSE2 and SSE3 variants share.
#include "signal/DspBodies.h"
#include "signal/fft/FftOwner.h"

namespace dsp::sse2 {

LibStatus dspsFFTGetBufSize_R_32f(const RealFftSpec* pSpec, int* pSize)
{
    return FftRunGetBufSize(&dspsFFTGetBufSize_R_32f, pSpec, pSize);
}

} // namespace dsp::sse2
