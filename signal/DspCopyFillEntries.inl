// Set, copy, move and zero entries of the SIMD variants, included inside each
// variant's own namespace (after DspBodies.h and DspCheck.h) so that each file
// keeps its own copy. The variant provides, in bytes:
// FillValue(dst, n, value, valueSize), ZeroBytes(dst, n), Copy(src, dst, n)
// and Move(src, dst, n).

LibStatus dspsSet_8u(unsigned char val, unsigned char* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillValue(pDst, size_t(len), &val, 1);
    return st;
}

LibStatus dspsSet_32s(int val, int* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillValue(pDst, size_t(len) * 4, &val, 4);
    return st;
}

LibStatus dspsSet_32f(float val, float* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillValue(pDst, size_t(len) * 4, &val, 4);
    return st;
}

LibStatus dspsSet_64f(double val, double* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillValue(pDst, size_t(len) * 8, &val, 8);
    return st;
}

LibStatus dspsCopy_16s(const short* pSrc, short* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Copy(pSrc, pDst, size_t(len) * 2);
    return st;
}

LibStatus dspsCopy_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Copy(pSrc, pDst, size_t(len) * 4);
    return st;
}

LibStatus dspsMove_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Move(pSrc, pDst, size_t(len) * 4);
    return st;
}

LibStatus dspsZero_8u(unsigned char* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytes(pDst, size_t(len));
    return st;
}

LibStatus dspsZero_32f(float* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytes(pDst, size_t(len) * 4);
    return st;
}

LibStatus dspsZero_64f(double* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytes(pDst, size_t(len) * 8);
    return st;
}
