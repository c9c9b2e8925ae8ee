// Spectrum multiply entries of the SIMD variants, included inside each
// variant's own namespace after DspSpectrumMulKernels.inl so that each file
// keeps its own copy. The variant provides the tunings PermPairs,
// ComplexPairs, ComplexPairsInPlace and (but for SSE3, which runs the SSE2
// Pack bodies) PackPairs.

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

#ifndef __SSE3__
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
#endif

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
