// Fill, copy, move and zero: generic variant, the reference for the others.
#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace generic {
namespace {

typedef std::uint32_t __attribute__((may_alias, aligned(1))) Word;

void CopyBytes(const unsigned char* s, unsigned char* d, size_t n)
{
    for (; n && (reinterpret_cast<std::uintptr_t>(d) & 3); --n)
        *d++ = *s++;
    for (; n >= 32; n -= 32, s += 32, d += 32) {
        const Word* sw = reinterpret_cast<const Word*>(s);
        Word* dw = reinterpret_cast<Word*>(d);
        for (int i = 0; i < 8; ++i)
            dw[i] = sw[i];
    }
    for (; n; --n)
        *d++ = *s++;
}

void ZeroBytesKernel(unsigned char* d, size_t n)
{
    for (; n && (reinterpret_cast<std::uintptr_t>(d) & 3); --n)
        *d++ = 0;
    for (; n >= 32; n -= 32, d += 32) {
        Word* dw = reinterpret_cast<Word*>(d);
        for (int i = 0; i < 8; ++i)
            dw[i] = 0;
    }
    for (; n; --n)
        *d++ = 0;
}

// The value's bits are stored unchanged (NaN payloads and -0.0 included).
void FillWords(std::uint32_t bits, void* dst, int len)
{
    Word* d = static_cast<Word*>(dst);
    for (int i = 0; i < len; ++i)
        d[i] = bits;
}

void MoveBytes(const unsigned char* s, unsigned char* d, size_t n)
{
    if (s > d) {
        for (size_t i = 0; i < n; ++i)
            d[i] = s[i];
    } else if (s < d) {
        for (size_t i = n; i > 0; --i)
            d[i - 1] = s[i - 1];
    }
}

} // namespace

LibStatus dspsSet_8u(unsigned char val, unsigned char* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pDst[i] = val;
    return StatusOk;
}

LibStatus dspsSet_32s(int val, int* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        FillWords(static_cast<std::uint32_t>(val), pDst, len);
    return st;
}

LibStatus dspsSet_32f(float val, float* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st != StatusOk)
        return st;
    std::uint32_t bits;
    std::memcpy(&bits, &val, sizeof(bits));
    FillWords(bits, pDst, len);
    return StatusOk;
}

LibStatus dspsSet_64f(double val, double* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st != StatusOk)
        return st;
    Word bits[2];
    std::memcpy(bits, &val, sizeof(bits));
    Word* d = reinterpret_cast<Word*>(pDst);
    for (int i = 0; i < len; ++i) {
        d[2 * i] = bits[0];
        d[2 * i + 1] = bits[1];
    }
    return StatusOk;
}

LibStatus dspsCopy_16s(const short* pSrc, short* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        CopyBytes(reinterpret_cast<const unsigned char*>(pSrc), reinterpret_cast<unsigned char*>(pDst),
                  size_t(len) * 2);
    return st;
}

LibStatus dspsCopy_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        CopyBytes(reinterpret_cast<const unsigned char*>(pSrc), reinterpret_cast<unsigned char*>(pDst),
                  size_t(len) * 4);
    return st;
}

LibStatus dspsMove_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st == StatusOk)
        MoveBytes(reinterpret_cast<const unsigned char*>(pSrc), reinterpret_cast<unsigned char*>(pDst),
                  size_t(len) * 4);
    return st;
}

LibStatus dspsZero_8u(unsigned char* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytesKernel(pDst, size_t(len));
    return st;
}

LibStatus dspsZero_32f(float* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytesKernel(reinterpret_cast<unsigned char*>(pDst), size_t(len) * 4);
    return st;
}

LibStatus dspsZero_64f(double* pDst, int len)
{
    LibStatus st = CheckVector(pDst, len);
    if (st == StatusOk)
        ZeroBytesKernel(reinterpret_cast<unsigned char*>(pDst), size_t(len) * 8);
    return st;
}

} // namespace generic
} // namespace dsp
