// Index-form bit reversal and the real recombinations of the SSE, SSE2 and SSE3
// engines (see FftSimdVector.inl). Needs <utility>, RealFftSpec and FftBitRev.h.

// Runs body(m) for every m below count (a power of two) in groups of eight m, count/8 apart,
// whose reversals differ only in the three lowest bits: a group reads eight neighbouring points,
// whole cache lines, where m in order would fetch each line anew for every point of a large
// transform (measured: about three times faster from 32768 points up, and no slower below).
template <class Body>
void ForEachInLineGroups(int count, Body body)
{
    const int group = count < 8 ? 1 : 8;
    const int part = count / group;
    for (int m = 0; m < part; ++m)
        for (int k = 0; k < group; ++k)
            body(m + k * part);
}

// Index-form bit reversal: position 4m + i takes point rev(m) + {0, n/2, n/4, 3n/4}[i]. The
// four points of one m fill 32 consecutive bytes, so they move as two vectors.
void BitRevCopy(const float* src, float* dst, int n, const int* bitRev)
{
    const __m128 zero = _mm_setzero_ps();
    ForEachInLineGroups(n / 4, [=](int m) {
        const float* p = src + 2 * (bitRev[m] / 2);
        const __m128 lo =
            _mm_loadh_pi(_mm_loadl_pi(zero, reinterpret_cast<const __m64*>(p)), reinterpret_cast<const __m64*>(p + n));
        const __m128 hi = _mm_loadh_pi(_mm_loadl_pi(zero, reinterpret_cast<const __m64*>(p + n / 2)),
                                       reinterpret_cast<const __m64*>(p + 3 * n / 2));
        _mm_storeu_ps(dst + 8 * m, lo);
        _mm_storeu_ps(dst + 8 * m + 4, hi);
    });
}

// The same permutation in place: each pair of positions is swapped once, from its lower end,
// so the order of the m does not matter.
void BitRevInPlace(float* x, int n, const int* bitRev)
{
    const int offsets[4] = {0, n / 2, n / 4, 3 * n / 4};
    ForEachInLineGroups(n / 4, [&](int m) {
        const int base = bitRev[m] / 2;
        for (int i = 0; i < 4; ++i) {
            const int p = 4 * m + i;
            const int q = base + offsets[i];
            if (p < q) {
                std::swap(x[2 * p], x[2 * q]);
                std::swap(x[2 * p + 1], x[2 * q + 1]);
            }
        }
    });
}

void BitReverse(const float* src, float* dst, int n, const RealFftSpec* spec)
{
    if (spec->bitRevIndexForm) {
        if (src == dst)
            BitRevInPlace(dst, n, spec->bitRev);
        else
            BitRevCopy(src, dst, n, spec->bitRev);
    } else if (src == dst) {
        generic::FftBitRevInPlace(dst, n, spec->bitRev);
    } else {
        generic::FftBitRevCopy(src, dst, n, spec->bitRev);
    }
}

inline Vc Times(Vc v, __m128 s)
{
    return {_mm_mul_ps(v.re, s), _mm_mul_ps(v.im, s)};
}

// Forward real recombination, four k from each end at a time up to k = n/2 (whose table entry
// (0, 0) makes the formula conjugate the middle point). Each point is read once, before any is
// written, so Scaled multiplies it by scale as it is read.
template <bool Scaled>
void RecombineFwdOf(float* x, int n, const float* table, float scale)
{
    const __m128 s = _mm_set1_ps(scale);
    for (int k = 1; k <= n / 2; k += 4, table += 8) {
        Vc a = LoadInterleaved(x + 2 * k);
        Vc b = Reverse(LoadInterleaved(x + 2 * (n - k - 3)));
        if (Scaled) {
            a = Times(a, s);
            b = Times(b, s);
        }
        const __m128 A = _mm_load_ps(table);
        const __m128 B = _mm_load_ps(table + 4);
        const __m128 d = _mm_sub_ps(a.re, b.re);
        const __m128 e = _mm_add_ps(a.im, b.im);
        const __m128 D = _mm_add_ps(_mm_mul_ps(B, d), _mm_mul_ps(A, e));
        const __m128 E = _mm_sub_ps(_mm_mul_ps(B, e), _mm_mul_ps(A, d));
        StoreInterleaved(x + 2 * k, {_mm_add_ps(b.re, D), _mm_sub_ps(E, b.im)});
        StoreInterleaved(x + 2 * (n - k - 3), Reverse({_mm_sub_ps(a.re, D), _mm_sub_ps(E, a.im)}));
    }
}

// Inverse pre-recombination of points 1..n-1 into dst (twice the half-size spectrum).
void PreRecombineInv(const float* src, float* dst, int n, const float* table)
{
    for (int k = 1; k <= n / 2; k += 4, table += 8) {
        const Vc a = LoadInterleaved(src + 2 * k);
        const Vc b = Reverse(LoadInterleaved(src + 2 * (n - k - 3)));
        const __m128 t0 = _mm_load_ps(table);
        const __m128 t1 = _mm_load_ps(table + 4);
        const __m128 dr = _mm_sub_ps(a.re, b.re);
        const __m128 si = _mm_add_ps(a.im, b.im);
        const __m128 sr = _mm_add_ps(a.re, b.re);
        const __m128 di = _mm_sub_ps(a.im, b.im);
        const __m128 u = _mm_sub_ps(_mm_mul_ps(t1, dr), _mm_mul_ps(t0, si));
        const __m128 v = _mm_add_ps(_mm_mul_ps(t0, dr), _mm_mul_ps(t1, si));
        StoreInterleaved(dst + 2 * k, {_mm_add_ps(sr, u), _mm_add_ps(di, v)});
        StoreInterleaved(dst + 2 * (n - k - 3), Reverse({_mm_sub_ps(sr, u), _mm_sub_ps(v, di)}));
    }
}
