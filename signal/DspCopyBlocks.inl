// Copy kernels of the SSE2 and SSE3 variants, included inside each variant's
// own namespace (after <emmintrin.h> and <cstdint>) so that each file keeps
// a copy built with its own flags. Load::Get(p) reads 16 unaligned bytes.

const size_t StreamChunk = 262144;
const size_t StreamTouchStep = 128;

inline bool Misaligned(const void* p, std::uintptr_t alignment)
{
    return (reinterpret_cast<std::uintptr_t>(p) & (alignment - 1)) != 0;
}

inline void CopyTail(const unsigned char* s, unsigned char* d, size_t n)
{
    for (size_t k = 0; k < n; ++k)
        d[k] = s[k];
}

// Below 64 bytes: 8-byte steps and a tail.
inline void CopySmall(const unsigned char* s, unsigned char* d, size_t n)
{
    for (; n >= 8; n -= 8, s += 8, d += 8)
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)));
    CopyTail(s, d, n);
}

// d is 16-byte aligned; blocks of `block` bytes with ordinary stores.
template <class Load>
void CopyCached(const unsigned char* s, unsigned char* d, size_t n, size_t block)
{
    __m128i* dq = reinterpret_cast<__m128i*>(d);
    size_t vectors = n / 16;
    size_t perBlock = block / 16;
    size_t i = 0;
    for (; i + perBlock <= vectors; i += perBlock)
        for (size_t k = 0; k < perBlock; ++k)
            _mm_store_si128(dq + i + k, Load::Get(s + 16 * (i + k)));
    for (; i < vectors; ++i)
        _mm_store_si128(dq + i, Load::Get(s + 16 * i));
    CopyTail(s + vectors * 16, d + vectors * 16, n % 16);
}

template <class Load>
void StreamVectors(const unsigned char* s, unsigned char* d, size_t vectors)
{
    __m128i* dq = reinterpret_cast<__m128i*>(d);
    for (size_t i = 0; i < vectors; ++i)
        _mm_stream_si128(dq + i, Load::Get(s + 16 * i));
}

inline void TouchSource(const unsigned char* s, size_t n)
{
    volatile unsigned char touch = 0;
    for (size_t k = 0; k < n; k += StreamTouchStep)
        touch = s[k];
    (void)touch;
}

// d is 16-byte aligned; non-temporal stores, each 262144-byte chunk of the
// source read ahead first when preRead is set; a store fence at the end.
template <class Load>
void CopyNonTemporal(const unsigned char* s, unsigned char* d, size_t n, bool preRead)
{
    for (; n >= StreamChunk; n -= StreamChunk, s += StreamChunk, d += StreamChunk) {
        if (preRead)
            TouchSource(s, StreamChunk);
        StreamVectors<Load>(s, d, StreamChunk / 16);
    }
    StreamVectors<Load>(s, d, n / 16);
    _mm_sfence();
    CopyTail(s + n / 16 * 16, d + n / 16 * 16, n % 16);
}

enum CopyKind { CopyKindCached, CopyKindNonTemporal, CopyKindStreaming };

template <class Load>
void CopyAligned(const unsigned char* s, unsigned char* d, size_t n, size_t total, CopyKind kind)
{
    if (kind == CopyKindStreaming)
        CopyNonTemporal<Load>(s, d, n, true);
    else if (kind == CopyKindNonTemporal)
        CopyNonTemporal<Load>(s, d, n, false);
    else
        CopyCached<Load>(s, d, n, total <= 1024 ? 64 : 128);
}

// The destination is aligned to 16 by single bytes before the blocks.
template <class Load>
void CopyBytes(const void* src, void* dst, size_t n, CopyKind kind)
{
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    if (n < 64) {
        CopySmall(s, d, n);
        return;
    }
    size_t total = n;
    for (; Misaligned(d, 16); --n)
        *d++ = *s++;
    CopyAligned<Load>(s, d, n, total, kind);
}
