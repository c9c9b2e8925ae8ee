// Element-wise arithmetic: generic variant (x87, rounded once on the store).
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace generic {

LibStatus dspsMul_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pDst[i] = pSrc1[i] * pSrc2[i];
    return StatusOk;
}

LibStatus dspsMul_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pSrcDst[i] = pSrc[i] * pSrcDst[i];
    return StatusOk;
}

LibStatus dspsAdd_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pSrcDst[i] = pSrc[i] + pSrcDst[i];
    return StatusOk;
}

namespace {

// A constant of 1.0 or NaN leaves the vector alone; 0.0 zero-fills it.
template <class T>
LibStatus MulConstInPlace(T val, T* pSrcDst, int len, LibStatus (*zero)(T*, int))
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == T(1) || val != val)
        return st;
    if (val == T(0))
        return zero(pSrcDst, len);
    for (int i = 0; i < len; ++i)
        pSrcDst[i] = pSrcDst[i] * val;
    return StatusOk;
}

} // namespace

LibStatus dspsMulC_32f_I(float val, float* pSrcDst, int len)
{
    return MulConstInPlace(val, pSrcDst, len, dspsZero_32f);
}

LibStatus dspsMulC_64f_I(double val, double* pSrcDst, int len)
{
    return MulConstInPlace(val, pSrcDst, len, dspsZero_64f);
}

} // namespace generic
} // namespace dsp
