// Element-wise arithmetic: SSE3 variant (Mul and Add run the SSE2 bodies).
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspArithKernels.inl"

} // namespace

LibStatus dspsMulC_32f_I(float val, float* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0f || val != val)
        return st;
    if (val == 0.0f)
        return dspsZero_32f(pSrcDst, len);
    ScaleKernel(pSrcDst, val, len, 262144);
    return StatusOk;
}

LibStatus dspsMulC_64f_I(double val, double* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0 || val != val)
        return st;
    if (val == 0.0)
        return dspsZero_64f(pSrcDst, len);
    ScaleKernel64(pSrcDst, val, len, 131072);
    return StatusOk;
}

} // namespace sse3
} // namespace dsp
