// Fill, copy, move and zero: SSE2 variant (16-byte stores, streaming for large blocks).
#include "signal/DspCopyFill_sse2.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse2 {
namespace {

#include "signal/DspCopyBlocks.inl"

struct UnalignedLoad {
    static __m128i Get(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
};

const size_t StreamingFillBytes = 524288;
const size_t AliasingRuleBytes = 262144;

// Copies above 262144 bytes pick their stores by how the source and the
// destination fall on 64 KiB boundaries.
CopyKind KindOfLargeCopy(const void* src, const void* dst)
{
    std::uintptr_t s = reinterpret_cast<std::uintptr_t>(src);
    std::uintptr_t d = (s - (reinterpret_cast<std::uintptr_t>(dst) & 0xFFFF)) & 0xFFFF;
    bool wordAligned = (s & 7) == 0;
    std::uintptr_t low = wordAligned ? 0xFE50 : 0xFE8C;
    std::uintptr_t mid = wordAligned ? 0xFEB0 : 0xFEFC;
    std::uintptr_t high = wordAligned ? 0xFF38 : 0xFFEE;
    if (d == 0 || d < low || d > high)
        return CopyKindStreaming;
    return d < mid ? CopyKindNonTemporal : CopyKindCached;
}

void Copy(const void* src, void* dst, size_t n)
{
    CopyKind kind = n > AliasingRuleBytes ? KindOfLargeCopy(src, dst) : CopyKindCached;
    CopyBytes<UnalignedLoad>(src, dst, n, kind);
}

// Up to 32 bytes in one step, all loaded before any is stored.
void MoveStep(const unsigned char* s, unsigned char* d, size_t size)
{
    if (size == 32) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), b);
    } else if (size == 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
    } else if (size == 8) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)));
    } else {
        *d = *s;
    }
}

size_t SmallStep(size_t n)
{
    return n >= 32 ? 32 : n >= 16 ? 16 : n >= 8 ? 8 : 1;
}

void MoveForward(const unsigned char* s, unsigned char* d, size_t n)
{
    if (n >= 64) {
        for (; Misaligned(d, 16); --n)
            *d++ = *s++;
        for (; n >= 32; n -= 32, s += 32, d += 32)
            MoveStep(s, d, 32);
    }
    for (size_t step; n; n -= step, s += step, d += step) {
        step = SmallStep(n);
        MoveStep(s, d, step);
    }
}

void MoveBackward(const unsigned char* s, unsigned char* d, size_t n)
{
    if (n >= 64) {
        for (; Misaligned(d + n, 16); --n)
            d[n - 1] = s[n - 1];
        for (; n >= 32; n -= 32)
            MoveStep(s + n - 32, d + n - 32, 32);
    }
    for (size_t step; n; n -= step) {
        step = SmallStep(n);
        MoveStep(s + n - step, d + n - step, step);
    }
}

// pattern[i % 8] lands at offset i; non-temporal when streamAlways is set or
// when more than 524288 bytes are left once the destination is aligned.
void FillBytes(void* dst, size_t n, const unsigned char pattern[8], bool streamAlways)
{
    unsigned char* d = static_cast<unsigned char*>(dst);
    size_t phase = 0;
    for (; n && Misaligned(d, 16); --n, ++phase)
        *d++ = pattern[phase & 7];
    unsigned char rotated[16];
    for (int j = 0; j < 16; ++j)
        rotated[j] = pattern[(phase + j) & 7];
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rotated));
    __m128i* q = reinterpret_cast<__m128i*>(d);
    size_t vectors = n / 16;
    if (streamAlways || n > StreamingFillBytes) {
        for (size_t i = 0; i < vectors; ++i)
            _mm_stream_si128(q + i, v);
        _mm_sfence();
    } else {
        size_t i = 0;
        for (; i + 4 <= vectors; i += 4) {
            _mm_store_si128(q + i, v);
            _mm_store_si128(q + i + 1, v);
            _mm_store_si128(q + i + 2, v);
            _mm_store_si128(q + i + 3, v);
        }
        for (; i < vectors; ++i)
            _mm_store_si128(q + i, v);
    }
    CopyTail(rotated, d + vectors * 16, n % 16);
}

} // namespace

// A value wider than a byte streams by the whole length.
void FillValue(void* dst, size_t n, const void* value, size_t valueSize)
{
    unsigned char pattern[8];
    for (size_t j = 0; j < 8; j += valueSize)
        std::memcpy(pattern + j, value, valueSize);
    FillBytes(dst, n, pattern, valueSize > 1 && n > StreamingFillBytes);
}

void ZeroBytes(void* dst, size_t n)
{
    static const unsigned char zero[8] = {};
    FillBytes(dst, n, zero, false);
}

void Move(const void* src, void* dst, size_t n)
{
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    if (d > s)
        MoveBackward(s, d, n);
    else if (d < s)
        MoveForward(s, d, n);
}

#include "signal/DspCopyFillEntries.inl"

} // namespace sse2
} // namespace dsp
