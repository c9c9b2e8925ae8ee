// Private windows and tone generator of the FIR designs: SSE3 variant, which
// runs the SSE2 forms.
#include "signal/DspBodies.h"

namespace dsp {
namespace sse3 {

LibStatus ToneCos_64f(double* pDst, int len, double magn, double rFreq, double* pPhase, int hint)
{
    return sse2::ToneCos_64f(pDst, len, magn, rFreq, pPhase, hint);
}

LibStatus WinBartlett_64f_I(double* pSrcDst, int len)
{
    return sse2::WinBartlett_64f_I(pSrcDst, len);
}

LibStatus WinHamming_64f_I(double* pSrcDst, int len)
{
    return sse2::WinHamming_64f_I(pSrcDst, len);
}

LibStatus WinHann_64f_I(double* pSrcDst, int len)
{
    return sse2::WinHann_64f_I(pSrcDst, len);
}

LibStatus WinBlackmanAlpha_64f_I(double* pSrcDst, int len, double alpha)
{
    return sse2::WinBlackmanAlpha_64f_I(pSrcDst, len, alpha);
}

LibStatus WinBlackmanFir_64f_I(double* pSrcDst, int len)
{
    return sse2::WinBlackmanFir_64f_I(pSrcDst, len);
}

} // namespace sse3
} // namespace dsp
