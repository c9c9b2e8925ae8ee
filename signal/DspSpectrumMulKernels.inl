// Complex pair kernels of the spectrum multiplies, included inside each SIMD
// variant's namespace after <xmmintrin.h> (and <pmmintrin.h> for SSE3) and
// signal/DspAlign.h.
// Every product and sum is rounded to single precision, in the blocks and in
// the pairs done one by one alike.

// Two complex products: a = (ar0, ai0, ar1, ai1), b likewise.
inline __m128 MulTwo(__m128 a, __m128 b)
{
#ifdef __SSE3__
    __m128 p1 = _mm_mul_ps(a, _mm_moveldup_ps(b));
    __m128 p2 = _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 3, 0, 1)), _mm_movehdup_ps(b));
    return _mm_addsub_ps(p1, p2);
#else
    const __m128 negateReal = _mm_set_ps(0.0f, -0.0f, 0.0f, -0.0f);
    __m128 p1 = _mm_mul_ps(a, _mm_shuffle_ps(b, b, _MM_SHUFFLE(2, 2, 0, 0)));
    __m128 p2 =
        _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 3, 0, 1)), _mm_shuffle_ps(b, b, _MM_SHUFFLE(3, 3, 1, 1)));
    return _mm_add_ps(p1, _mm_xor_ps(p2, negateReal));
#endif
}

inline void MulOnePair(const float* a, const float* b, float* d)
{
    __m128 ar = _mm_set_ss(a[0]), ai = _mm_set_ss(a[1]);
    __m128 br = _mm_set_ss(b[0]), bi = _mm_set_ss(b[1]);
    __m128 re = _mm_sub_ss(_mm_mul_ss(ar, br), _mm_mul_ss(ai, bi));
    __m128 im = _mm_add_ss(_mm_mul_ss(ar, bi), _mm_mul_ss(ai, br));
    d[0] = _mm_cvtss_f32(re);
    d[1] = _mm_cvtss_f32(im);
}

inline float MulReal(float a, float b)
{
    return _mm_cvtss_f32(_mm_mul_ss(_mm_set_ss(a), _mm_set_ss(b)));
}

enum PairStores { StoresOrdinary, StoresStreamWhenDstAligned, StoresStreamWhenAllAligned };

struct PairTuning {
    int scalarBelow;     // fewer pairs than this go one by one
    int pairsPerStep;    // 2 or 4
    int prefetchBytes;   // 0: no prefetch
    int ntPrefetchAbove; // pairs left for the blocks above which the prefetch bypasses the cache
    PairStores stores;
    int streamAboveSteps; // StoresStreamWhenAllAligned: more steps than this
};

// Unaligned loads throughout: an aligned load chosen by a run-time test was
// folded by the compiler into a multiply on the unaligned path.
inline __m128 LoadPairs(const float* p)
{
    return _mm_loadu_ps(p);
}

inline void Prefetch(const float* p, bool nonTemporal)
{
    if (nonTemporal)
        _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_NTA);
    else
        _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0);
}

// d[k] = a[k] * b[k] for n complex pairs; d may equal b (in place).
inline void MulPairsKernel(const float* a, const float* b, float* d, int n, const PairTuning& t)
{
    int k = 0;
    if (n < t.scalarBelow) {
        for (; k < n; ++k)
            MulOnePair(a + 2 * k, b + 2 * k, d + 2 * k);
        return;
    }
    if (ElementAligned(d, 8) && !Aligned16(d)) {
        MulOnePair(a, b, d);
        k = 1;
    }
    int steps = (n - k) / t.pairsPerStep;
    bool dstAligned = Aligned16(d + 2 * k);
    bool stream = dstAligned && (t.stores == StoresStreamWhenDstAligned ||
                                 (t.stores == StoresStreamWhenAllAligned && steps > t.streamAboveSteps &&
                                  Aligned16(a + 2 * k) && Aligned16(b + 2 * k)));
    bool ntPrefetch = steps * t.pairsPerStep > t.ntPrefetchAbove;
    for (; k + t.pairsPerStep <= n; k += t.pairsPerStep) {
        if (t.prefetchBytes) {
            Prefetch(a + 2 * k + t.prefetchBytes / 4, ntPrefetch);
            Prefetch(b + 2 * k + t.prefetchBytes / 4, ntPrefetch);
        }
        for (int h = 0; h < t.pairsPerStep; h += 2) {
            const int f = 2 * (k + h);
            __m128 r = MulTwo(LoadPairs(a + f), LoadPairs(b + f));
            if (stream)
                _mm_stream_ps(d + f, r);
            else
                _mm_storeu_ps(d + f, r);
        }
    }
    if (stream)
        _mm_sfence();
    for (; k < n; ++k)
        MulOnePair(a + 2 * k, b + 2 * k, d + 2 * k);
}

inline void MulPermKernel(const float* a, const float* b, float* d, int len, const PairTuning& t)
{
    d[0] = MulReal(a[0], b[0]);
    if (len % 2 == 0) {
        d[1] = MulReal(a[1], b[1]);
        MulPairsKernel(a + 2, b + 2, d + 2, (len - 2) / 2, t);
    } else {
        MulPairsKernel(a + 1, b + 1, d + 1, (len - 1) / 2, t);
    }
}

inline void MulPackKernel(const float* a, const float* b, float* d, int len, const PairTuning& t)
{
    d[0] = MulReal(a[0], b[0]);
    MulPairsKernel(a + 1, b + 1, d + 1, (len - 1) / 2, t);
    if (len % 2 == 0)
        d[len - 1] = MulReal(a[len - 1], b[len - 1]);
}
