#pragma once
// Cubic row loops: the interpolating cubic through four samples, separably; four float row
// buffers hold the horizontally filtered source rows around the current source row.
// Included only by the processor-variant files (internal linkage).
#include <cstdint>

#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeKernelMath.h"

namespace {

template <class A, class S>
void CubicFilterRow(const S* row, const ResizeJob& job, const RowLayout& layout, float* out)
{
    const float* t = static_cast<const float*>(job.colWeights);
    int step = layout.tapStep;
    for (int x = 0; x < job.dstWidth; ++x) {
        const S* p = row + job.colOffsets[x];
        for (int c = 0; c < layout.channels; ++c) {
            *out++ = A::CubicHorz(p[c - step], p[c], p[c + step], p[c + 2 * step], t[x]);
        }
    }
}

// Integer outputs truncate value + 1e-7; a four-wide pass rounds value + 1e-5 to nearest.
template <class A, class S>
struct CubicOutput {
    static S Convert(double value, bool bulk)
    {
        if constexpr (A::kFourWideRounding) {
            if (bulk) {
                return ClampInt<S>(A::RoundNearest(static_cast<float>(value)));
            }
        }
        return ClampTruncate<S>(value + 1e-7);
    }
};

template <class A>
struct CubicOutput<A, float> {
    static float Convert(double value, bool) { return static_cast<float>(value); }
};

// rows[0..3] hold the filtered source rows r-1 .. r+2 of the current source row r.
template <class A, class S>
void ResizeCubicRows(const ResizeJob& job, const RowLayout& layout)
{
    const S* src = static_cast<const S*>(job.src);
    const float* fractions = static_cast<const float*>(job.rowWeights);
    int step = job.srcStep;
    float* rows[4] = {static_cast<float*>(job.buffers[3]), static_cast<float*>(job.buffers[0]),
                      static_cast<float*>(job.buffers[1]), static_cast<float*>(job.buffers[2])};
    int first = job.rowOffsets[0];
    for (int i = 1; i < 4; ++i) {
        CubicFilterRow<A>(src + first + (i - 2) * step, job, layout, rows[i]);
    }
    int last = first - 1;
    for (int y = 0; y < job.dstHeight; ++y) {
        int r = job.rowOffsets[y];
        if (r > last) {
            // Rows still inside the window stay; only the new ones are filtered.
            TurnRows(rows, 3);
            CubicFilterRow<A>(src + r + 2 * step, job, layout, rows[3]);
            if (r >= last + 2 * step) {
                TurnRows(rows, 2);
                CubicFilterRow<A>(src + r + step, job, layout, rows[2]);
            }
            if (r >= last + 3 * step) {
                TurnRows(rows, 1);
                CubicFilterRow<A>(src + r, job, layout, rows[1]);
            }
            if (r >= last + 4 * step) {
                CubicFilterRow<A>(src + r - step, job, layout, rows[0]);
            }
            last = r;
        }
        float t = fractions[y];
        const float* r0 = rows[0];
        const float* r1 = rows[1];
        const float* r2 = rows[2];
        const float* r3 = rows[3];
        StoreRow(static_cast<S*>(job.dst) + y * job.dstStep, job.dstWidth, layout, [&](int e, bool bulk) {
            return CubicOutput<A, S>::Convert(A::CubicVert(r0[e], r1[e], r2[e], r3[e], t), bulk);
        });
    }
}

template <class A, class S>
void ResizeCubicC1(const ResizeJob& job)
{
    ResizeCubicRows<A, S>(job, LayoutOf(job, true));
}

template <class A, class S>
void ResizeCubicC3C4(const ResizeJob& job)
{
    ResizeCubicRows<A, S>(job, LayoutOf(job, false));
}

} // namespace
