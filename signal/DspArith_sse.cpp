// Element-wise arithmetic: SSE variant.
#include <xmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse {
namespace {

#include "signal/DspArithKernels.inl"

} // namespace

LibStatus dspsMul_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        BinaryKernel<MulOp>(pSrc1, pSrc2, pDst, len, true);
    return st;
}

LibStatus dspsMul_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        BinaryKernel<MulOp>(pSrc, pSrcDst, pSrcDst, len, false);
    return st;
}

LibStatus dspsAdd_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        BinaryKernel<AddOp>(pSrc, pSrcDst, pSrcDst, len, false);
    return st;
}

LibStatus dspsMulC_32f_I(float val, float* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0f || val != val)
        return st;
    if (val == 0.0f)
        return dspsZero_32f(pSrcDst, len);
    ScaleKernel(pSrcDst, val, len, 131072);
    return StatusOk;
}

LibStatus dspsMulC_64f_I(double val, double* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0 || val != val)
        return st;
    if (val == 0.0)
        return dspsZero_64f(pSrcDst, len);
    for (int i = 0; i < len; ++i)
        pSrcDst[i] = pSrcDst[i] * val;
    return StatusOk;
}

} // namespace sse
} // namespace dsp
