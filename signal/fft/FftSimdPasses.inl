// The complex passes of the SSE, SSE2 and SSE3 engines (see FftSimdVector.inl): first pass
// with or without bit reversal, radix-4 passes in split layout, the radix-4 transform, the
// fused transform, scaling and the leaves of the large steps. Needs RealFftSpec.

// d -/+ i e into x1 and d +/- i e into x3 (forward/inverse), without a negation.
template <bool Inv>
inline void QuarterTurn(Vc d, Vc e, Vc& x1, Vc& x3)
{
    const __m128 reP = _mm_add_ps(d.re, e.im), reM = _mm_sub_ps(d.re, e.im);
    const __m128 imP = _mm_add_ps(d.im, e.re), imM = _mm_sub_ps(d.im, e.re);
    x1 = Inv ? Vc{reM, imP} : Vc{reP, imM};
    x3 = Inv ? Vc{reP, imM} : Vc{reM, imP};
}

// Four-point DFT of natural-order inputs, natural-order outputs.
template <bool Inv>
inline void Dft4(Vc& x0, Vc& x1, Vc& x2, Vc& x3)
{
    const Vc s02 = x0 + x2;
    const Vc d02 = x0 - x2;
    const Vc s13 = x1 + x3;
    const Vc d13 = x1 - x3;
    x0 = s02 + s13;
    x2 = s02 - s13;
    QuarterTurn<Inv>(d02, d13, x1, x3);
}

// The eighth-turn constant of the radix-8 pass: 0.70710683, one unit in the last place above
// the float nearest to sqrt(1/2).
const float kFftHalfSqrt2 = 0.70710683f;

// The first pass's helpers are always inlined: called once per group, out of line they pass
// every vector through memory and lose the constant sizes.
#define FFT_INLINE inline __attribute__((always_inline))

// Eight-point DFT in place; W_8 from constants. X[m] ends in a[Slot8(m)].
template <bool Inv>
FFT_INLINE void Dft8(Vc* a)
{
    const float h = kFftHalfSqrt2;
    Dft4<Inv>(a[0], a[2], a[4], a[6]);
    Dft4<Inv>(a[1], a[3], a[5], a[7]);
    a[3] = Mul<Inv>(a[3], Broadcast(h, -h));
    a[5] = Rotate<Inv>(a[5]);
    a[7] = Mul<Inv>(a[7], Broadcast(-h, -h));
    for (int k = 0; k < 8; k += 2) {
        const Vc e = a[k];
        a[k] = e + a[k + 1];
        a[k + 1] = e - a[k + 1];
    }
}

constexpr int Slot8(int m)
{
    return m < 4 ? 2 * m : 2 * (m - 4) + 1;
}

// Sixteen-point DFT in place as four-by-four; W_16^(qk) from the first twiddle section
// (stage 16). X[m] ends in a[Slot16(m)].
template <bool Inv>
FFT_INLINE void Dft16(Vc* a, const float* section)
{
    for (int q = 0; q < 4; ++q)
        Dft4<Inv>(a[q], a[q + 4], a[q + 8], a[q + 12]);
    for (int q = 1; q < 4; ++q) {
        const float* w = section + 8 * (q - 1);
        for (int k = 1; k < 4; ++k)
            a[q + 4 * k] = Mul<Inv>(a[q + 4 * k], Broadcast(w[k], w[4 + k]));
    }
    for (int k = 0; k < 4; ++k)
        Dft4<Inv>(a[4 * k], a[4 * k + 1], a[4 * k + 2], a[4 * k + 3]);
}

constexpr int Slot16(int m)
{
    return 4 * (m % 4) + m / 4;
}

const unsigned char kRev8[8] = {0, 4, 2, 6, 1, 5, 3, 7};
const unsigned char kRev16[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

// Inputs t = 0..Size-1 of four groups, one group per lane, and where each group starts.
// From natural order (index-form table): the group of bit-reversed position rev(b) reads the
// points b + t * n/Size, so lanes of four consecutive b load four adjacent points at once; its
// position is rev(b) = 2 * table[b]. From bit-reversed order: group g at g * Size, input t at
// its position rev(t).
template <int Size>
FFT_INLINE void LoadGroups(const float* src, int n, int g0, const int* bitRev, Vc* a, int* start)
{
    const int groups = n / Size;
    if (bitRev && groups >= 4) {
        for (int i = 0; i < 4; ++i)
            start[i] = 2 * bitRev[g0 + i];
        for (int t = 0; t < Size; ++t)
            a[t] = LoadInterleaved(src + 2 * (g0 + t * groups));
        return;
    }
    const float* p[4];
    for (int i = 0; i < 4; ++i) {
        const int g = g0 + i < groups ? g0 + i : groups - 1;
        start[i] = bitRev ? 2 * bitRev[g] : g * Size;
        p[i] = src + 2 * (bitRev ? g : start[i]);
    }
    const unsigned char* order = Size == 8 ? kRev8 : kRev16;
    for (int t = 0; t < Size; ++t) {
        const int at = 2 * (bitRev ? t * groups : order[t]);
        a[t] = GatherPoints(p[0] + at, p[1] + at, p[2] + at, p[3] + at);
    }
}

template <bool Inv, int Size>
void FirstPassOf(const float* src, float* w, int n, const float* section, const int* bitRev)
{
    const int groups = n / Size;
    Vc a[Size];
    int start[4];
    for (int g0 = 0; g0 < groups; g0 += 4) {
        LoadGroups<Size>(src, n, g0, bitRev, a, start);
        if (Size == 8)
            Dft8<Inv>(a);
        else
            Dft16<Inv>(a, section);
        for (int run = 0; run < Size; run += 4) {
            Vc r[4];
            for (int i = 0; i < 4; ++i)
                r[i] = a[Size == 8 ? Slot8(run + i) : Slot16(run + i)];
            Transpose(r[0], r[1], r[2], r[3]);
            for (int i = 0; i < 4 && g0 + i < groups; ++i)
                StoreRun(w + 2 * (start[i] + run), r[i]);
        }
    }
}

// Radix-8 (odd c) or radix-16 (even c) DFTs of four groups at a time, written to w in split
// layout; from natural order with the index-form table, else from bit-reversed order.
template <bool Inv>
void FirstPass(const float* src, float* w, int n, const float* section, const int* bitRev)
{
    if (n & 0x55555555)
        FirstPassOf<Inv, 16>(src, w, n, section, bitRev);
    else
        FirstPassOf<Inv, 8>(src, w, n, section, bitRev);
}

// One radix-4 stage of the given size over n split points of w (aligned), into dst (may be w),
// as split runs or interleaved pairs; section: the stage's twiddles, restarting for every group.
// The loop walks pointers rather than indexing from several bases: 32-bit mode has too few
// registers for the bases, and every spill costs in the engine's hottest loop.
template <bool Inv, bool Interleaved>
void Radix4Stage(float* w, int n, int size, const float* section, float* dst)
{
    const int q2 = size / 2; // a quarter, in floats
    const float* const sectionEnd = section + 3 * size / 2;
    float* const end = w + 2 * n;
    for (float *p = w, *out = dst; p < end; p += 3 * q2, out += 3 * q2) {
        for (const float* tw = section; tw < sectionEnd; tw += 24, p += 8, out += 8) {
            // Ordered to keep few values alive: eight vector registers hold one leg pair.
            const Vc x0 = LoadAlignedRun(p);
            const Vc b = Mul<Inv>(LoadAlignedRun(p + q2), Twiddle(tw + 8));
            const Vc s = x0 + b;
            const Vc d = x0 - b;
            const Vc A = Mul<Inv>(LoadAlignedRun(p + 2 * q2), Twiddle(tw));
            const Vc B = Mul<Inv>(LoadAlignedRun(p + 3 * q2), Twiddle(tw + 16));
            const Vc s2 = A + B;
            StoreRun(out, s + s2, Interleaved);
            StoreRun(out + 2 * q2, s - s2, Interleaved);
            Vc x1, x3;
            QuarterTurn<Inv>(d, A - B, x1, x3);
            StoreRun(out + q2, x1, Interleaved);
            StoreRun(out + 3 * q2, x3, Interleaved);
        }
    }
}

// Radix-4 stages from the given size up to n on split data in w; the last stage writes
// interleaved pairs into out when out is not null. section: the first of these stages.
template <bool Inv>
void Radix4Passes(float* w, int n, int size, const float* section, float* out)
{
    if (size > n && out) {
        for (int p = 0; p < n; p += 4)
            StoreInterleaved(out + 2 * p, LoadRun(w + 2 * p));
        return;
    }
    for (; size <= n; section += 3 * size / 2, size *= 4) {
        if (out && size == n)
            Radix4Stage<Inv, true>(w, n, size, section, out);
        else
            Radix4Stage<Inv, false>(w, n, size, section, w);
    }
}

bool Aligned(const void* p)
{
    return (reinterpret_cast<uintptr_t>(p) & 15) == 0;
}

// The stage that follows the first pass and its twiddle section.
inline int SecondStage(int n)
{
    return (n & 0x55555555) ? 64 : 32;
}

inline const float* SecondSection(int n, const float* twiddles)
{
    return (n & 0x55555555) ? twiddles + 24 : twiddles;
}

// n bit-reversed interleaved points in x to their transform: interleaved in x when last,
// else split layout in x. Works in the work buffer when x is not aligned.
template <bool Inv>
void Radix4(float* x, int n, const float* twiddles, float* work, bool last)
{
    float* w = Aligned(x) ? x : work;
    FirstPass<Inv>(x, w, n, twiddles, nullptr);
    Radix4Passes<Inv>(w, n, SecondStage(n), SecondSection(n, twiddles), last ? x : nullptr);
    if (!last && w != x) {
        for (int p = 0; p < 2 * n; p += 8)
            StoreRun(x + p, LoadRun(w + p));
    }
}

// Bit reversal and the whole transform of n points of src into dst (interleaved).
template <bool Inv>
void Fused(const float* src, float* dst, int n, const float* twiddles, const int* bitRev, float* work)
{
    float* w = src != dst && Aligned(dst) ? dst : work;
    FirstPass<Inv>(src, w, n, twiddles, bitRev);
    Radix4Passes<Inv>(w, n, SecondStage(n), SecondSection(n, twiddles), dst);
}

// count: a multiple of four floats.
void Scale(float scale, float* x, int count)
{
    const __m128 s = _mm_set1_ps(scale);
    for (int i = 0; i < count; i += 4)
        _mm_storeu_ps(x + i, _mm_mul_ps(_mm_loadu_ps(x + i), s));
}

// A leaf of the large steps: n bit-reversed points to their transform in split layout, scaled
// when the direction is.
template <bool Inv>
void Leaf(const RealFftSpec* spec, float* x, int n, float* work)
{
    Radix4<Inv>(x, n, spec->radix4, work, false);
    if (Inv ? spec->inverseScaled : spec->forwardScaled)
        Scale(spec->scale, x, 2 * n);
}
