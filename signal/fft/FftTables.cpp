#include "signal/fft/FftTables.h"
#include "signal/DspBodies.h"
#include <climits>
#include <cmath>

namespace dsp::generic {

void FftTwiddle(const float* s, uint32_t st, uint32_t L, uint32_t p, float* out)
{
    const uint32_t q = L / 4;
    if (p <= q) {
        out[0] = s[(q - p) * st];
        out[1] = -s[p * st];
    } else if (p <= 2 * q) {
        out[0] = -s[(p - q) * st];
        out[1] = -s[(2 * q - p) * st];
    } else if (p <= 3 * q) {
        out[0] = -s[(3 * q - p) * st];
        out[1] = s[(p - 2 * q) * st];
    } else {
        out[0] = s[(p - 3 * q) * st];
        out[1] = s[(L - p) * st];
    }
}

uint32_t FftReverseBits(uint32_t v, int bits)
{
    uint32_t r = 0;
    for (int b = 0; b < bits; ++b, v >>= 1)
        r = (r << 1) | (v & 1);
    return r;
}

// Sizes are formed in 64 bits so that an order too large for the address space fails
// cleanly instead of wrapping into a small block.
void* FftAllocBlock(uint64_t bytes)
{
    if (bytes == 0 || bytes > static_cast<uint64_t>(INT_MAX) - 64)
        return nullptr;
    return dspsMalloc_8u(static_cast<int>(bytes));
}

float* FftAllocFloats(uint64_t count)
{
    return static_cast<float*>(FftAllocBlock(count * sizeof(float)));
}

float* FftInitSineTable(int order)
{
    const uint32_t n = 1u << order;
    const uint32_t q = n / 4;
    float* s = FftAllocFloats(uint64_t(q) + 1);
    if (!s)
        return nullptr;
    const double step = 6.283185307179586 / double(n);
    // No argument above pi/4: the upper half comes from the cosine.
    for (uint32_t k = 0; k <= n / 8; ++k)
        s[k] = static_cast<float>(std::sin(double(k) * step));
    for (uint32_t k = n / 8 + 1; k <= q; ++k)
        s[k] = static_cast<float>(std::cos(double(q - k) * step));
    return s;
}

// Swap-list form: pairs (4i, 4j) from the front, a 0, fixed points from the back, a final 0.
int32_t* FftInitBitRevTable(int c)
{
    const int32_t p = 1 << (c - 2);
    int32_t* t = static_cast<int32_t*>(FftAllocBlock((uint64_t(p) + 1) * sizeof(int32_t)));
    if (!t)
        return nullptr;
    int32_t front = 0;
    int32_t back = p - 1;
    int32_t j = 0;
    for (int32_t i = 1; i < p; ++i) {
        int32_t h = p / 2;
        while (h <= j) {
            j -= h;
            h /= 2;
        }
        j += h;
        if (i < j) {
            t[front++] = 4 * i;
            t[front++] = 4 * j;
        } else if (i == j) {
            t[back--] = 4 * i;
        }
    }
    t[front] = 0;
    t[p] = 0;
    return t;
}

// Entries k = 0..L/4, each W^k, W^2k, W^3k as (re, im) pairs.
float* FftInitRadix4Twiddles(const float* sine, int sineOrder, int t)
{
    const uint32_t L = 1u << t;
    float* w = FftAllocFloats(6 * (uint64_t(L) / 4 + 1));
    if (!w)
        return nullptr;
    const uint32_t st = 1u << (sineOrder - t);
    for (uint32_t k = 0; k <= L / 4; ++k) {
        FftTwiddle(sine, st, L, k, w + 6 * k);
        FftTwiddle(sine, st, L, 2 * k, w + 6 * k + 2);
        FftTwiddle(sine, st, L, 3 * k, w + 6 * k + 4);
    }
    return w;
}

float* FftInitQuarterTwiddles(const float* sine, int sineOrder, int t)
{
    const uint32_t L = 1u << t;
    const uint32_t count = L / 4 ? L / 4 : 1;
    float* w = FftAllocFloats(2 * uint64_t(count));
    if (!w)
        return nullptr;
    const uint32_t st = 1u << (sineOrder - t);
    for (uint32_t k = 0; k < count; ++k)
        FftTwiddle(sine, st, L, k, w + 2 * k);
    return w;
}

void FftRecombPair(const float* sine, uint32_t q, uint32_t k, bool inverse, float* out)
{
    if (inverse) {
        out[0] = sine[q - k];
        out[1] = -sine[k];
    } else {
        out[0] = static_cast<float>(0.5 * double(sine[q - k]));
        out[1] = static_cast<float>(double(sine[k]) * -0.5 + 0.5);
    }
}

namespace {

// The pairs of k = 0..N/4-1.
float* InitRecomb(int order, const float* sine, bool inverse)
{
    const uint32_t q = (1u << order) / 4;
    float* w = FftAllocFloats(2 * uint64_t(q));
    if (!w)
        return nullptr;
    for (uint32_t k = 0; k < q; ++k)
        FftRecombPair(sine, q, k, inverse, w + 2 * k);
    return w;
}

} // namespace

float* FftInitRecombFwd(int order, const float* sine)
{
    return InitRecomb(order, sine, false);
}

float* FftInitRecombInv(int order, const float* sine)
{
    return InitRecomb(order, sine, true);
}

// 2^c = 2^m columns * 2^r rows: for each group of four columns i0..i0+3 and each bit-reversed
// row position p, the four values W_(2^c)^((i0 + l) * rev_r(p)), in the order the column step
// reads them.
float* FftInitLevelMatrix(const float* sine, int sineOrder, int c, int r)
{
    float* w = FftAllocFloats(2 * (uint64_t(1) << c));
    if (!w)
        return nullptr;
    const uint32_t L = 1u << c;
    const uint32_t rows = 1u << r;
    const uint32_t cols = L >> r;
    const uint32_t st = 1u << (sineOrder - c);
    for (uint32_t p = 0; p < rows; ++p) {
        const uint32_t j = FftReverseBits(p, r);
        for (uint32_t i0 = 0; i0 < cols; i0 += 4) {
            float* out = w + 8 * ((i0 / 4) * uint64_t(rows) + p);
            for (uint32_t l = 0; l < 4; ++l)
                FftTwiddle(sine, st, L, (i0 + l) * j, out + 2 * l);
        }
    }
    return w;
}

} // namespace dsp::generic
