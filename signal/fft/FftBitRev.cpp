#include "signal/fft/FftBitRev.h"
#include <utility>

// The table permutes u of c - 2 bits; point k = t*n/2 + 2u + s goes to s*n/2 + 2*rev(u) + t.
// An entry 4u is the float offset of point 2u, and n floats are n/2 points.
namespace dsp::generic {

namespace {

inline void Move(float* dst, int d, const float* src, int s)
{
    dst[d] = src[s];
    dst[d + 1] = src[s + 1];
}

inline void Swap(float* x, int a, int b)
{
    std::swap(x[a], x[b]);
    std::swap(x[a + 1], x[b + 1]);
}

inline void CopyFour(const float* src, float* dst, int n, int ei, int ej)
{
    Move(dst, ej, src, ei);
    Move(dst, ej + 2, src, n + ei);
    Move(dst, n + ej, src, ei + 2);
    Move(dst, n + ej + 2, src, n + ei + 2);
}

} // namespace

void FftBitRevCopy(const float* src, float* dst, int n, const int32_t* table)
{
    const int32_t* t = table;
    for (; *t; t += 2) {
        CopyFour(src, dst, n, t[0], t[1]);
        CopyFour(src, dst, n, t[1], t[0]);
    }
    do {
        CopyFour(src, dst, n, *t, *t);
        ++t;
    } while (*t);
}

void FftBitRevInPlace(float* x, int n, const int32_t* table)
{
    const int32_t* t = table;
    for (; *t; t += 2) {
        const int ei = t[0];
        const int ej = t[1];
        Swap(x, ei, ej);
        Swap(x, ei + 2, n + ej);
        Swap(x, n + ei, ej + 2);
        Swap(x, n + ei + 2, n + ej + 2);
    }
    do {
        Swap(x, *t + 2, n + *t);
        ++t;
    } while (*t);
}

} // namespace dsp::generic
