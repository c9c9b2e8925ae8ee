// Spectrum multiplies: SSE3 variant (duplicated parts and one alternating subtract-add).
#include <xmmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspSpectrumMulKernels.inl"

const PairTuning PermPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairs = {5, 4, 0, 0x7FFFFFFF, StoresStreamWhenAllAligned, 10922};
const PairTuning ComplexPairsInPlace = {5, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};

} // namespace

LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPermKernel(pSrc1, pSrc2, pDst, len, PermPairs);
    return st;
}

LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPermKernel(pSrc, pSrcDst, pSrcDst, len, PermPairs);
    return st;
}

LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPairsKernel(&pSrc1->re, &pSrc2->re, &pDst->re, len, ComplexPairs);
    return st;
}

LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPairsKernel(&pSrc->re, &pSrcDst->re, &pSrcDst->re, len, ComplexPairsInPlace);
    return st;
}

} // namespace sse3
} // namespace dsp
