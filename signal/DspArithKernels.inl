// Kernels of the element-wise arithmetic, included inside each SIMD variant's
// namespace (after signal/DspAlign.h, <xmmintrin.h>, and <emmintrin.h> where
// __SSE2__ is set) so that every file keeps its own copy built with its own
// flags. The variant sets ScalePrefetchFloats and, with SSE2,
// ScalePrefetchDoubles: the counts above which scaling by a constant prefetches.

struct MulOp {
    static __m128 Apply(__m128 a, __m128 b) { return _mm_mul_ps(a, b); }
    static float Apply(float a, float b) { return _mm_cvtss_f32(_mm_mul_ss(_mm_set_ss(a), _mm_set_ss(b))); }
};

struct AddOp {
    static __m128 Apply(__m128 a, __m128 b) { return _mm_add_ps(a, b); }
    static float Apply(float a, float b) { return _mm_cvtss_f32(_mm_add_ss(_mm_set_ss(a), _mm_set_ss(b))); }
};

// Unaligned loads and stores throughout: choosing the aligned form by a
// run-time test let the compiler fold an aligned memory operand into an
// arithmetic instruction on the unaligned path.
inline __m128 LoadFloats(const float* p)
{
    return _mm_loadu_ps(p);
}

const int ScalarBelow = 11;

// d[i] = a[i] op b[i]; d may equal a or b. Blocks of 8 floats once d is
// 16-byte aligned, or unaligned throughout when d is not even float-aligned.
template <class Op>
void BinaryKernel(const float* a, const float* b, float* d, int len, bool streamBlocks)
{
    int i = 0;
    if (len < ScalarBelow) {
        for (; i < len; ++i)
            d[i] = Op::Apply(a[i], b[i]);
        return;
    }
    bool dstAligned = ElementAligned(d, 4);
    for (; dstAligned && !Aligned16(d + i); ++i)
        d[i] = Op::Apply(a[i], b[i]);
    bool stream = dstAligned && streamBlocks;
    for (; i + 8 <= len; i += 8) {
        _mm_prefetch(reinterpret_cast<const char*>(a + i + 16), _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(b + i + 16), _MM_HINT_T0);
        __m128 r0 = Op::Apply(LoadFloats(a + i), LoadFloats(b + i));
        __m128 r1 = Op::Apply(LoadFloats(a + i + 4), LoadFloats(b + i + 4));
        if (stream) {
            _mm_stream_ps(d + i, r0);
            _mm_stream_ps(d + i + 4, r1);
        } else {
            _mm_storeu_ps(d + i, r0);
            _mm_storeu_ps(d + i + 4, r1);
        }
    }
    if (stream)
        _mm_sfence();
    for (; i < len; ++i)
        d[i] = Op::Apply(a[i], b[i]);
}

// x[i] *= c in blocks of 8 floats; a non-temporal prefetch joins every block
// when the block part holds more than prefetchAbove floats.
inline void ScaleKernel(float* x, float c, int len, int prefetchAbove)
{
    int i = 0;
    if (len < ScalarBelow) {
        for (; i < len; ++i)
            x[i] = MulOp::Apply(x[i], c);
        return;
    }
    bool aligned = ElementAligned(x, 4);
    for (; aligned && !Aligned16(x + i); ++i)
        x[i] = MulOp::Apply(x[i], c);
    __m128 vc = _mm_set1_ps(c);
    bool prefetch = (len - i) / 8 * 8 > prefetchAbove;
    for (; i + 8 <= len; i += 8) {
        if (prefetch)
            _mm_prefetch(reinterpret_cast<const char*>(x + i + 16), _MM_HINT_NTA);
        __m128 r0 = _mm_mul_ps(LoadFloats(x + i), vc);
        __m128 r1 = _mm_mul_ps(LoadFloats(x + i + 4), vc);
        _mm_storeu_ps(x + i, r0);
        _mm_storeu_ps(x + i + 4, r1);
    }
    for (; i < len; ++i)
        x[i] = MulOp::Apply(x[i], c);
}

inline void ScaleFloats(float* x, float c, int len)
{
    ScaleKernel(x, c, len, ScalePrefetchFloats);
}

#ifdef __SSE2__
inline double ScaleOne(double x, double c)
{
    return _mm_cvtsd_f64(_mm_mul_sd(_mm_set_sd(x), _mm_set_sd(c)));
}

// x[i] *= c in blocks of 4 doubles after at most one element of prologue.
inline void ScaleKernel64(double* x, double c, int len, int prefetchAbove)
{
    int i = 0;
    if (len < 5) {
        for (; i < len; ++i)
            x[i] = ScaleOne(x[i], c);
        return;
    }
    bool aligned = ElementAligned(x, 8);
    if (aligned && !Aligned16(x)) {
        x[0] = ScaleOne(x[0], c);
        i = 1;
    }
    __m128d vc = _mm_set1_pd(c);
    bool prefetch = (len - i) / 4 * 4 > prefetchAbove;
    for (; i + 4 <= len; i += 4) {
        if (prefetch)
            _mm_prefetch(reinterpret_cast<const char*>(x + i + 4), _MM_HINT_NTA);
        _mm_storeu_pd(x + i, _mm_mul_pd(_mm_loadu_pd(x + i), vc));
        _mm_storeu_pd(x + i + 2, _mm_mul_pd(_mm_loadu_pd(x + i + 2), vc));
    }
    for (; i < len; ++i)
        x[i] = ScaleOne(x[i], c);
}

inline void ScaleDoubles(double* x, double c, int len)
{
    ScaleKernel64(x, c, len, ScalePrefetchDoubles);
}
#else
// Without SSE2 the x87 unit scales doubles.
inline void ScaleDoubles(double* x, double c, int len)
{
    for (int i = 0; i < len; ++i)
        x[i] = x[i] * c;
}
#endif
