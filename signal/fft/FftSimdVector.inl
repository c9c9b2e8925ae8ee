// Vector complex values of the SSE, SSE2 and SSE3 engines. Like every FftSimd*.inl file it is
// included inside each variant's own namespace (in an unnamed namespace), so that every variant
// compiles the kernels with its own flags and the linker never merges copies. Needs
// <xmmintrin.h>.
//
// Inside the engine complex arrays are in split layout: runs of four points, each run four real
// parts then four imaginary parts (32 bytes). Callers see interleaved (re, im) pairs.

// Four complex values: four real parts and four imaginary parts.
struct Vc {
    __m128 re;
    __m128 im;
};

inline Vc operator+(Vc a, Vc b)
{
    return {_mm_add_ps(a.re, b.re), _mm_add_ps(a.im, b.im)};
}

inline Vc operator-(Vc a, Vc b)
{
    return {_mm_sub_ps(a.re, b.re), _mm_sub_ps(a.im, b.im)};
}

inline __m128 Negate(__m128 v)
{
    return _mm_sub_ps(_mm_setzero_ps(), v);
}

// a * w forward, a * conj(w) inverse.
template <bool Inv>
inline Vc Mul(Vc a, Vc w)
{
    if (Inv)
        return {_mm_add_ps(_mm_mul_ps(a.re, w.re), _mm_mul_ps(a.im, w.im)),
                _mm_sub_ps(_mm_mul_ps(a.im, w.re), _mm_mul_ps(a.re, w.im))};
    return {_mm_sub_ps(_mm_mul_ps(a.re, w.re), _mm_mul_ps(a.im, w.im)),
            _mm_add_ps(_mm_mul_ps(a.im, w.re), _mm_mul_ps(a.re, w.im))};
}

// -i * v forward, +i * v inverse.
template <bool Inv>
inline Vc Rotate(Vc v)
{
    if (Inv)
        return {Negate(v.im), v.re};
    return {v.im, Negate(v.re)};
}

inline Vc LoadRun(const float* p)
{
    return {_mm_loadu_ps(p), _mm_loadu_ps(p + 4)};
}

// A run of an engine array, which is always 16-byte aligned (arithmetic can then read it
// straight from memory).
inline Vc LoadAlignedRun(const float* p)
{
    return {_mm_load_ps(p), _mm_load_ps(p + 4)};
}

inline void StoreRun(float* p, Vc v)
{
    _mm_storeu_ps(p, v.re);
    _mm_storeu_ps(p + 4, v.im);
}

// A run as four interleaved (re, im) pairs.
inline void StoreInterleaved(float* p, Vc v)
{
    _mm_storeu_ps(p, _mm_unpacklo_ps(v.re, v.im));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(v.re, v.im));
}

inline void StoreRun(float* p, Vc v, bool interleaved)
{
    if (interleaved)
        StoreInterleaved(p, v);
    else
        StoreRun(p, v);
}

// Four interleaved points into a run.
inline Vc LoadInterleaved(const float* p)
{
    const __m128 lo = _mm_loadu_ps(p);
    const __m128 hi = _mm_loadu_ps(p + 4);
    return {_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1))};
}

inline Vc Reverse(Vc v)
{
    return {_mm_shuffle_ps(v.re, v.re, _MM_SHUFFLE(0, 1, 2, 3)), _mm_shuffle_ps(v.im, v.im, _MM_SHUFFLE(0, 1, 2, 3))};
}

// One interleaved point from each of four addresses.
inline Vc GatherPoints(const float* p0, const float* p1, const float* p2, const float* p3)
{
    __m128 lo = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p0));
    lo = _mm_loadh_pi(lo, reinterpret_cast<const __m64*>(p1));
    __m128 hi = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p2));
    hi = _mm_loadh_pi(hi, reinterpret_cast<const __m64*>(p3));
    return {_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1))};
}

inline void Transpose(Vc& a, Vc& b, Vc& c, Vc& d)
{
    _MM_TRANSPOSE4_PS(a.re, b.re, c.re, d.re);
    _MM_TRANSPOSE4_PS(a.im, b.im, c.im, d.im);
}

inline Vc Twiddle(const float* w)
{
    return {_mm_load_ps(w), _mm_load_ps(w + 4)};
}

inline Vc Broadcast(float re, float im)
{
    return {_mm_set1_ps(re), _mm_set1_ps(im)};
}
