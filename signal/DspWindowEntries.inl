// Float window entries of the SIMD variants, included inside each variant's
// own namespace (after DspBodies.h, DspCheck.h and DspWindow.h) so that each
// file keeps its own copy. The variant names its HammingKernel and
// BlackmanAlphaKernel.

LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    if (len < 3)
        return StatusSizeError;
    HammingKernel(pSrc, pDst, len);
    if (len % 2)
        pDst[len / 2] = pSrc[len / 2];
    return StatusOk;
}

LibStatus WinBlackmanAlpha_32f_I(float* pSrcDst, int len, float alpha)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk)
        return st;
    if (len < 3)
        return StatusSizeError;
    if (len == 3) {
        pSrcDst[0] = pSrcDst[2] = 0.0f;
        return StatusOk;
    }
    BlackmanAlphaKernel(pSrcDst, len, alpha);
    return StatusOk;
}

LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len)
{
    return WinBlackmanAlpha_32f_I(pSrcDst, len, BlackmanStdAlpha);
}
