// Sample conversion entries of the SIMD variants, included inside each
// variant's own namespace (after DspBodies.h, DspCheck.h and DspConvert.h) so
// that each file keeps its own copy. The variant provides Int16FloatKernel,
// Int32FloatKernel and FloatToInt(src, dst, len, rndMode, sf) for int and
// short destinations, which sets its own rounding.

namespace {

bool SimdScaleExact(int sf)
{
    return sf >= SimdMinScale && sf <= SimdMaxScale;
}

} // namespace

LibStatus dspsConvert_16s32f(const short* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Int16FloatKernel(pSrc, pDst, len, false, 1.0f);
    return st;
}

LibStatus dspsConvert_32s32f(const int* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Int32FloatKernel(pSrc, pDst, len, false, 1.0f);
    return st;
}

LibStatus dspsConvert_16s32f_Sfs(const short* pSrc, float* pDst, int len, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Int16FloatKernel(pSrc, pDst, len, sf != 0, IntToFloatScale(sf, ConvertMinScale16));
    return st;
}

LibStatus dspsConvert_32s32f_Sfs(const int* pSrc, float* pDst, int len, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        Int32FloatKernel(pSrc, pDst, len, sf != 0, IntToFloatScale(sf, ConvertMinScale32));
    return st;
}

// Beyond the exact scale range a single-precision factor would be 0 or
// infinite (0 times infinity is NaN): the reference conversion runs instead.
LibStatus dspsConvert_32f32s_Sfs(const float* pSrc, int* pDst, int len, int rndMode, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    if (!SimdScaleExact(sf))
        return generic::dspsConvert_32f32s_Sfs(pSrc, pDst, len, rndMode, sf);
    FloatToInt(pSrc, pDst, len, rndMode, sf);
    return StatusOk;
}

LibStatus dspsConvert_32f16s_Sfs(const float* pSrc, short* pDst, int len, int rndMode, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    if (!SimdScaleExact(sf))
        return generic::dspsConvert_32f16s_Sfs(pSrc, pDst, len, rndMode, sf);
    FloatToInt(pSrc, pDst, len, rndMode, sf);
    return StatusOk;
}
