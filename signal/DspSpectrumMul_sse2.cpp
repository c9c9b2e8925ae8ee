// Spectrum multiplies: SSE2 variant (its Pack bodies serve SSE3 too).
#include <xmmintrin.h>
#include <emmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse2 {
namespace {

#include "signal/DspSpectrumMulKernels.inl"

const PairTuning PermPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairs = {5, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairsInPlace = {3, 2, 64, 65536, StoresOrdinary, 0};
const PairTuning PackPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};

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

LibStatus dspsMulPack_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPackKernel(pSrc1, pSrc2, pDst, len, PackPairs);
    return st;
}

LibStatus dspsMulPack_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPackKernel(pSrc, pSrcDst, pSrcDst, len, PackPairs);
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

} // namespace sse2
} // namespace dsp
