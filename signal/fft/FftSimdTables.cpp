#include "signal/fft/FftSimdTables.h"
#include "signal/fft/FftTables.h"

namespace dsp::simd {

using generic::FftAllocBlock;
using generic::FftAllocFloats;
using generic::FftTwiddle;

namespace {

// W_L^p for four consecutive p from p0 + i * dp, as four real then four imaginary parts.
void TwiddleGroup(const float* sine, int sineOrder, int order, uint32_t p0, uint32_t dp, float* out)
{
    const uint32_t L = 1u << order;
    const uint32_t st = 1u << (sineOrder - order);
    for (uint32_t i = 0; i < 4; ++i) {
        float w[2];
        FftTwiddle(sine, st, L, p0 + i * dp, w);
        out[i] = w[0];
        out[4 + i] = w[1];
    }
}

// The recombination pairs of k = 1..N/4 in groups of four.
float* InitRecomb(int order, const float* sine, bool inverse)
{
    const uint32_t q = (1u << order) / 4;
    float* w = FftAllocFloats(2 * uint64_t(q));
    if (!w)
        return nullptr;
    for (uint32_t k = 1; k <= q; ++k) {
        float pair[2];
        generic::FftRecombPair(sine, q, k, inverse, pair);
        float* group = w + 8 * ((k - 1) / 4) + (k - 1) % 4;
        group[0] = pair[0];
        group[4] = pair[1];
    }
    return w;
}

} // namespace

int32_t* FftInitBitRevIndex(int c)
{
    const int32_t p = 1 << (c - 2);
    auto* t = static_cast<int32_t*>(FftAllocBlock((uint64_t(p) + 1) * sizeof(int32_t)));
    if (!t)
        return nullptr;
    for (int32_t i = 0; i < p; ++i)
        t[i] = 2 * int32_t(generic::FftReverseBits(uint32_t(i), c - 2));
    t[p] = 0;
    return t;
}

float* FftInitRadix4Twiddles(const float* sine, int sineOrder, int t)
{
    const uint64_t L = uint64_t(1) << t;
    float* w = FftAllocFloats(L < 9 ? 2 : 2 * L);
    if (!w)
        return nullptr;
    float* out = w;
    for (int u = (t & 1) + 4; u <= t; u += 2) {
        for (uint32_t k = 0; k < (1u << u) / 4; k += 4, out += 24) {
            TwiddleGroup(sine, sineOrder, u, k, 1, out);
            TwiddleGroup(sine, sineOrder, u, 2 * k, 2, out + 8);
            TwiddleGroup(sine, sineOrder, u, 3 * k, 3, out + 16);
        }
    }
    return w;
}

float* FftInitQuarterTwiddlesSse(const float* sine, int sineOrder, int t)
{
    float* w = FftAllocFloats(uint64_t(1) << t);
    if (!w)
        return nullptr;
    float* out = w;
    for (int v = t; v >= 11; --v) {
        for (uint32_t k = 0; k < (1u << v) / 4; k += 4, out += 8)
            TwiddleGroup(sine, sineOrder, v, k, 1, out);
    }
    return w;
}

float* FftInitRecombFwd(int order, const float* sine)
{
    return InitRecomb(order, sine, false);
}

float* FftInitRecombInv(int order, const float* sine)
{
    return InitRecomb(order, sine, true);
}

float* FftInitLevelMatrixSse(const float* sine, int sineOrder, int c, int r)
{
    float* w = generic::FftInitLevelMatrix(sine, sineOrder, c, r);
    if (!w)
        return nullptr;
    for (uint64_t g = 0; g < (uint64_t(1) << c); g += 4) {
        float* p = w + 2 * g;
        const float v[8] = {p[0], p[2], p[4], p[6], p[1], p[3], p[5], p[7]};
        for (int i = 0; i < 8; ++i)
            p[i] = v[i];
    }
    return w;
}

// Per block of K = 2^(b - r) columns j0: the radix-4 stages u = m + 2, m + 4, ... (each group
// g < 4^s of rows, each run of four columns: W^j, W^2j, W^3j of 2^u with j = g * 2^m + j0 + i),
// then for odd r the radix-2 stage of order c (W^j of 2^c). The order in which the column
// passes read them.
float* FftInitLevelMatrixColumns(const float* sine, int sineOrder, int c, int r, int b)
{
    float* w = FftAllocFloats(2 * (uint64_t(1) << c));
    if (!w)
        return nullptr;
    const int m = c - r;
    const uint32_t rowPoints = 1u << m;
    const uint32_t cols = 1u << (b - r);
    float* out = w;
    for (uint32_t j0 = 0; j0 < rowPoints; j0 += cols) {
        uint32_t groups = 1;
        for (int u = m + 2; u <= c; u += 2, groups *= 4) {
            for (uint32_t g = 0; g < groups; ++g) {
                for (uint32_t i = 0; i < cols; i += 4, out += 24) {
                    const uint32_t j = g * rowPoints + j0 + i;
                    TwiddleGroup(sine, sineOrder, u, j, 1, out);
                    TwiddleGroup(sine, sineOrder, u, 2 * j, 2, out + 8);
                    TwiddleGroup(sine, sineOrder, u, 3 * j, 3, out + 16);
                }
            }
        }
        if (r & 1) {
            for (uint32_t g = 0; g < groups; ++g) {
                for (uint32_t i = 0; i < cols; i += 4, out += 8)
                    TwiddleGroup(sine, sineOrder, c, g * rowPoints + j0 + i, 1, out);
            }
        }
    }
    return w;
}

} // namespace dsp::simd
