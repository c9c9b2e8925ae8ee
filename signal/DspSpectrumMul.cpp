// Spectrum multiplies: generic variant, each component at double precision
// and rounded once.
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace generic {
namespace {

// All four operands are read before either component is written, so d may be b.
void MulPair(const float* a, const float* b, float* d)
{
    double ar = a[0], ai = a[1], br = b[0], bi = b[1];
    d[0] = float(ar * br - ai * bi);
    d[1] = float(ar * bi + ai * br);
}

void MulPairs(const float* a, const float* b, float* d, int pairs)
{
    for (int k = 0; k < pairs; ++k)
        MulPair(a + 2 * k, b + 2 * k, d + 2 * k);
}

void MulPerm(const float* a, const float* b, float* d, int len)
{
    d[0] = a[0] * b[0];
    if (len % 2 == 0) {
        d[1] = a[1] * b[1];
        MulPairs(a + 2, b + 2, d + 2, (len - 2) / 2);
    } else {
        MulPairs(a + 1, b + 1, d + 1, (len - 1) / 2);
    }
}

void MulPack(const float* a, const float* b, float* d, int len)
{
    d[0] = a[0] * b[0];
    MulPairs(a + 1, b + 1, d + 1, (len - 1) / 2);
    if (len % 2 == 0)
        d[len - 1] = a[len - 1] * b[len - 1];
}

} // namespace

LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPerm(pSrc1, pSrc2, pDst, len);
    return st;
}

LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPerm(pSrc, pSrcDst, pSrcDst, len);
    return st;
}

LibStatus dspsMulPack_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPack(pSrc1, pSrc2, pDst, len);
    return st;
}

LibStatus dspsMulPack_32f_I(const float* pSrc, float* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPack(pSrc, pSrcDst, pSrcDst, len);
    return st;
}

LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc1, pSrc2, pDst, len);
    if (st == StatusOk)
        MulPairs(&pSrc1->re, &pSrc2->re, &pDst->re, len);
    return st;
}

LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pSrcDst, len);
    if (st == StatusOk)
        MulPairs(&pSrc->re, &pSrcDst->re, &pSrcDst->re, len);
    return st;
}

} // namespace generic
} // namespace dsp
