// Fill, copy, move and zero: SSE3 variant. Fill, zero and move run the SSE2
// kernels; the copy loads through the SSE3 unaligned load and streams from
// 524288 bytes without the SSE2 aliasing rule.
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspCopyFill_sse2.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspCopyBlocks.inl"

struct UnalignedLoad {
    static __m128i Get(const void* p) { return _mm_lddqu_si128(static_cast<const __m128i*>(p)); }
};

const size_t StreamingFillBytes = 524288;
const size_t StreamingCopyBytes = 524288;

void Copy(const void* src, void* dst, size_t n)
{
    CopyBytes<UnalignedLoad>(src, dst, n,
                             n >= StreamingCopyBytes ? CopyKindStreaming : CopyKindCached);
}

void FillRepeated(void* dst, size_t n, const void* value, size_t size, bool streamAlways)
{
    unsigned char pattern[8];
    for (size_t j = 0; j < 8; j += size)
        std::memcpy(pattern + j, value, size);
    sse2::FillBytes(dst, n, pattern, streamAlways);
}

void ZeroBytes(void* dst, size_t n)
{
    static const unsigned char zero[8] = {};
    sse2::FillBytes(dst, n, zero, false);
}

} // namespace

LibStatus dspsSet_8u(unsigned char val, unsigned char* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillRepeated(pDst, size_t(len), &val, 1, false);
    return st;
}

LibStatus dspsSet_32s(int val, int* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillRepeated(pDst, size_t(len) * 4, &val, 4, size_t(len) * 4 > StreamingFillBytes);
    return st;
}

LibStatus dspsSet_32f(float val, float* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillRepeated(pDst, size_t(len) * 4, &val, 4, size_t(len) * 4 > StreamingFillBytes);
    return st;
}

LibStatus dspsSet_64f(double val, double* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillRepeated(pDst, size_t(len) * 8, &val, 8, size_t(len) * 8 > StreamingFillBytes);
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
        sse2::MoveBytes(pSrc, pDst, size_t(len) * 4);
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

} // namespace sse3
} // namespace dsp
