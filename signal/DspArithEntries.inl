// Element-wise arithmetic entries of the SIMD variants, included inside each
// variant's own namespace after DspArithKernels.inl so that each file keeps
// its own copy. The SSE3 variant runs the SSE2 Mul and Add bodies.

#ifndef __SSE3__
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
#endif

// A constant of 1.0 or NaN leaves the vector alone; 0.0 zero-fills it.
LibStatus dspsMulC_32f_I(float val, float* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0f || val != val)
        return st;
    if (val == 0.0f)
        return dspsZero_32f(pSrcDst, len);
    ScaleFloats(pSrcDst, val, len);
    return StatusOk;
}

LibStatus dspsMulC_64f_I(double val, double* pSrcDst, int len)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk || val == 1.0 || val != val)
        return st;
    if (val == 0.0)
        return dspsZero_64f(pSrcDst, len);
    ScaleDoubles(pSrcDst, val, len);
    return StatusOk;
}
