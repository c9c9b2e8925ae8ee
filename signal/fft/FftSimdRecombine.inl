// Index-form bit reversal and the real recombinations of the SSE, SSE2 and SSE3
// engines (see FftSimdVector.inl). Needs <utility>, RealFftSpec and FftBitRev.h.

// Index-form bit reversal: position 4m + i takes point rev(m) + {0, n/2, n/4, 3n/4}[i].
void BitRevCopy(const float* src, float* dst, int n, const int* bitRev)
{
    const int offsets[4] = {0, n / 2, n / 4, 3 * n / 4};
    for (int m = 0; m < n / 4; ++m) {
        const int base = bitRev[m] / 2;
        for (int i = 0; i < 4; ++i) {
            dst[2 * (4 * m + i)] = src[2 * (base + offsets[i])];
            dst[2 * (4 * m + i) + 1] = src[2 * (base + offsets[i]) + 1];
        }
    }
}

void BitRevInPlace(float* x, int n, const int* bitRev)
{
    const int offsets[4] = {0, n / 2, n / 4, 3 * n / 4};
    for (int m = 0; m < n / 4; ++m) {
        const int base = bitRev[m] / 2;
        for (int i = 0; i < 4; ++i) {
            const int p = 4 * m + i;
            const int q = base + offsets[i];
            if (p < q) {
                std::swap(x[2 * p], x[2 * q]);
                std::swap(x[2 * p + 1], x[2 * q + 1]);
            }
        }
    }
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

// Forward real recombination, four k from each end at a time up to k = n/2 (whose table entry
// (0, 0) makes the formula conjugate the middle point).
void RecombineFwd(float* x, int n, const float* table)
{
    for (int k = 1; k <= n / 2; k += 4, table += 8) {
        const Vc a = LoadInterleaved(x + 2 * k);
        const Vc b = Reverse(LoadInterleaved(x + 2 * (n - k - 3)));
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
