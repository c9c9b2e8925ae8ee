#pragma once
// Bilinear row loops: source rows are interpolated horizontally once into two row buffers,
// and each destination row blends the two. 8u and 16u use Q14 integer weights, 32f floats.
// Included only by the processor-variant files (internal linkage).
#include <cstdint>
#include <utility>

#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeKernelMath.h"

namespace {

// 8u and 16u: Q14 weights in both passes, 28 fraction bits in all; the horizontal pass keeps
// 14 - kHorzShift of them (six for 8u: x64) in its 16-bit results.
template <class A, class S>
struct LinearMath {
    using Buffer = uint16_t;
    static constexpr int kHorzShift = sizeof(S) == 1 ? 8 : 14;
    static constexpr int kVertShift = 28 - kHorzShift;
    static uint32_t RowWeight(const void* weights, int y) { return static_cast<const uint16_t*>(weights)[y]; }
    static Buffer Horz(uint32_t a, uint32_t b, const void* weights, int x)
    {
        const uint16_t* w = static_cast<const uint16_t*>(weights) + 2 * x;
        return static_cast<Buffer>((w[0] * a + w[1] * b + (1u << (kHorzShift - 1))) >> kHorzShift);
    }
    static S Vert(uint32_t upper, uint32_t lower, uint32_t w)
    {
        return static_cast<S>((upper * (16384 - w) + lower * w + (1u << (kVertShift - 1))) >> kVertShift);
    }
};

template <class A>
struct LinearMath<A, float> {
    using Buffer = float;
    static float RowWeight(const void* fractions, int y) { return static_cast<const float*>(fractions)[y]; }
    static Buffer Horz(float a, float b, const void* fractions, int x)
    {
        return A::LinearHorz(a, b, static_cast<const float*>(fractions)[x]);
    }
    static float Vert(float upper, float lower, float t) { return A::LinearVert(upper, lower, t); }
};

template <class A, class S>
void LinearFilterRow(const S* row, const ResizeJob& job, const RowLayout& layout,
                     typename LinearMath<A, S>::Buffer* out)
{
    for (int x = 0; x < job.dstWidth; ++x) {
        const S* pixel = row + job.colOffsets[x];
        for (int c = 0; c < layout.channels; ++c) {
            *out++ = LinearMath<A, S>::Horz(pixel[c], pixel[c + layout.tapStep], job.colWeights, x);
        }
    }
}

template <class A, class S>
void ResizeLinearRows(const ResizeJob& job, const RowLayout& layout)
{
    using Buffer = typename LinearMath<A, S>::Buffer;
    const S* src = static_cast<const S*>(job.src);
    Buffer* upper = static_cast<Buffer*>(job.buffers[0]);
    Buffer* lower = static_cast<Buffer*>(job.buffers[1]);
    LinearFilterRow<A>(src + job.rowOffsets[0], job, layout, lower);
    int last = job.rowOffsets[0] - 1;
    for (int y = 0; y < job.dstHeight; ++y) {
        int r = job.rowOffsets[y];
        if (r > last) {
            std::swap(upper, lower);
            LinearFilterRow<A>(src + r + job.srcStep, job, layout, lower);
            if (r > last + job.srcStep) {
                LinearFilterRow<A>(src + r, job, layout, upper);
            }
            last = r;
        }
        auto w = LinearMath<A, S>::RowWeight(job.rowWeights, y);
        const Buffer* u = upper;
        const Buffer* l = lower;
        StoreRow(static_cast<S*>(job.dst) + y * job.dstStep, job.dstWidth, layout,
                 [&](int e, bool) { return LinearMath<A, S>::Vert(u[e], l[e], w); });
    }
}

template <class A, class S>
void ResizeLinearC1(const ResizeJob& job)
{
    ResizeLinearRows<A, S>(job, LayoutOf(job, true));
}

template <class A, class S>
void ResizeLinearC3C4(const ResizeJob& job)
{
    ResizeLinearRows<A, S>(job, LayoutOf(job, false));
}

} // namespace
