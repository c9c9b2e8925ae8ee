// Fill, copy, move and zero: SSE variant (MMX stores, non-temporal from 20480 bytes).
#include <mmintrin.h>
#include <xmmintrin.h>

#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse {
namespace {

typedef __m64 __attribute__((may_alias, aligned(1))) UnalignedM64;

const size_t StreamingFillBytes = 20480;
const size_t StreamingCopyBytes = 8192;
const size_t PrefetchCopyBytes = 16384;
const size_t PrefetchBlock = 4096;

bool Misaligned(const void* p, std::uintptr_t alignment)
{
    return (reinterpret_cast<std::uintptr_t>(p) & (alignment - 1)) != 0;
}

// pattern[i % 8] is the byte at offset i of the destination.
void FillPattern(unsigned char* d, size_t n, const unsigned char pattern[8])
{
    size_t phase = 0;
    for (; n && Misaligned(d, 8); --n, ++phase)
        *d++ = pattern[phase & 7];
    unsigned char rotated[8];
    for (int j = 0; j < 8; ++j)
        rotated[j] = pattern[(phase + j) & 7];
    __m64 v;
    std::memcpy(&v, rotated, 8);
    __m64* q = reinterpret_cast<__m64*>(d);
    size_t words = n / 8;
    bool streaming = n + phase >= StreamingFillBytes;
    size_t i = 0;
    if (streaming) {
        for (; i + 8 <= words; i += 8)
            for (int k = 0; k < 8; ++k)
                _mm_stream_pi(q + i + k, v);
        for (; i < words; ++i)
            _mm_stream_pi(q + i, v);
        _mm_sfence();
    } else {
        for (; i + 8 <= words; i += 8)
            for (int k = 0; k < 8; ++k)
                q[i + k] = v;
        for (; i < words; ++i)
            q[i] = v;
    }
    _mm_empty();
    d += words * 8;
    for (size_t k = 0; k < n % 8; ++k)
        d[k] = rotated[k];
}

void FillValue(void* dst, size_t n, const void* value, size_t size)
{
    unsigned char pattern[8];
    for (size_t j = 0; j < 8; j += size)
        std::memcpy(pattern + j, value, size);
    FillPattern(static_cast<unsigned char*>(dst), n, pattern);
}

void ZeroBytes(void* dst, size_t n)
{
    static const unsigned char zero[8] = {};
    FillPattern(static_cast<unsigned char*>(dst), n, zero);
}

// 64-byte blocks of 8-byte moves, the destination aligned to 8 first.
void CopyMmx(const unsigned char* s, unsigned char* d, size_t n, bool streaming)
{
    for (; n && Misaligned(d, 8); --n)
        *d++ = *s++;
    const UnalignedM64* sq = reinterpret_cast<const UnalignedM64*>(s);
    __m64* dq = reinterpret_cast<__m64*>(d);
    size_t words = n / 8;
    size_t i = 0;
    if (streaming) {
        for (; i + 8 <= words; i += 8)
            for (int k = 0; k < 8; ++k)
                _mm_stream_pi(dq + i + k, sq[i + k]);
        for (; i < words; ++i)
            _mm_stream_pi(dq + i, sq[i]);
        _mm_sfence();
    } else {
        for (; i + 8 <= words; i += 8)
            for (int k = 0; k < 8; ++k)
                dq[i + k] = sq[i + k];
        for (; i < words; ++i)
            dq[i] = sq[i];
    }
    _mm_empty();
    for (size_t k = words * 8; k < n; ++k)
        d[k] = s[k];
}

void PrefetchBlockAhead(const unsigned char* s)
{
    volatile unsigned char touch = s[0];
    touch = s[PrefetchBlock - 1];
    (void)touch;
    for (size_t k = 0; k < PrefetchBlock; k += 32)
        _mm_prefetch(reinterpret_cast<const char*>(s + k), _MM_HINT_NTA);
}

void CopyWithBlockPrefetch(const unsigned char* s, unsigned char* d, size_t n)
{
    for (; n && Misaligned(d, 8); --n)
        *d++ = *s++;
    if (n < StreamingFillBytes) {
        CopyMmx(s, d, n, true);
        return;
    }
    size_t lead = (PrefetchBlock - (reinterpret_cast<std::uintptr_t>(s) & (PrefetchBlock - 1))) & (PrefetchBlock - 1) &
                  ~size_t(7);
    CopyMmx(s, d, lead, true);
    s += lead, d += lead, n -= lead;
    for (; n >= PrefetchBlock; s += PrefetchBlock, d += PrefetchBlock, n -= PrefetchBlock) {
        PrefetchBlockAhead(s);
        CopyMmx(s, d, PrefetchBlock, true);
    }
    CopyMmx(s, d, n, true);
}

void Copy(const void* src, void* dst, size_t n)
{
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    if (n < StreamingCopyBytes)
        CopyMmx(s, d, n, false);
    else if (n < PrefetchCopyBytes)
        CopyMmx(s, d, n, true);
    else
        CopyWithBlockPrefetch(s, d, n);
}

void Move(const void* src, void* dst, size_t n)
{
    std::memmove(dst, src, n);
}

} // namespace

#include "signal/DspCopyFillEntries.inl"

} // namespace sse
} // namespace dsp
