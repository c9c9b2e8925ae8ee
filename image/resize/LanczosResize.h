#pragma once
// Lanczos-3 row loops: six taps per destination column into a ring of six float rows, then a
// six-tap vertical combination. Taps outside the image repeat the edge sample; samples outside
// the region but inside the image are used as they are.
// Included only by the processor-variant files (internal linkage).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeKernelMath.h"

namespace {

template <class A, class S>
void LanczosFilterRow(const S* row, const ResizeJob& job, const RowLayout& layout, float* out)
{
    const float* weights = static_cast<const float*>(job.colWeights);
    int step = layout.tapStep;
    int low = -std::min(job.srcLeft, 2) * step;
    int high = (job.srcRightExtent - 1) * step;
    if constexpr (A::kVectorRows) {
        if (layout.channels == 4) {
            A::LanczosRow4(row, job.colOffsets, job.colWeightsBroadcast, job.dstWidth, low, high, out);
            return;
        }
    }
    for (int x = 0; x < job.dstWidth; ++x) {
        int base = job.colOffsets[x];
        int taps[6];
        bool inner = base - 2 * step >= low && base + 3 * step <= high;
        for (int k = 0; k < 6; ++k) {
            int tap = base + (k - 2) * step;
            taps[k] = inner ? tap : std::min(std::max(tap, low), high);
        }
        const float* w = weights + 6 * x;
        for (int c = 0; c < layout.channels; ++c) {
            float s[6];
            for (int k = 0; k < 6; ++k) {
                s[k] = static_cast<float>(row[taps[k] + c]);
            }
            *out++ = A::LanczosHorz(s, w);
        }
    }
}

template <class A, class S>
struct LanczosOutput {
    static S Convert(const float s[6], const float* w) { return ClampTruncate<S>(A::LanczosVert(s, w) + 1e-7); }
};

template <class A>
struct LanczosOutput<A, float> {
    static float Convert(const float s[6], const float* w) { return A::LanczosVertFloat(s, w); }
};

// Whether a variant's rows of these samples may be widened (the core then gives wideRows for
// four channels).
template <class A, class S>
constexpr bool kLanczosWide = A::kLanczosExtras == LanczosExtrasBroadcastWide && !std::is_same<S, float>::value;

// The four-channel horizontal pass into widened rows, from the source row widened to floats
// between the lowest tap and the highest one used (end, exclusive).
template <class A, class S>
void LanczosFilterRowWide(const S* row, const ResizeJob& job, int end, double* out)
{
    if constexpr (kLanczosWide<A, S>) {
        int low = -std::min(job.srcLeft, 2) * 4;
        int high = (job.srcRightExtent - 1) * 4;
        A::Widen(row + low, end - low, job.wideSource);
        A::LanczosRow4(job.wideSource - low, job.colOffsets, job.colWeightsBroadcast, job.dstWidth, low, high, out);
    }
}

// The element after the last pixel any four-channel tap reads: the right-most tap lies three
// pixels right of a column's offset, held to the image.
inline int LanczosTapEnd(const ResizeJob& job)
{
    const int kPixel = 4; // elements
    int last = 0;
    for (int x = 0; x < job.dstWidth; ++x) {
        last = std::max(last, job.colOffsets[x] + 3 * kPixel);
    }
    return std::min(last, (job.srcRightExtent - 1) * kPixel) + kPixel;
}

// Six row buffers at ring positions 0..5 holding source rows r-2 .. r+3, clamped to the image:
// float rows, or rows widened to double where the core gave them (four channels, integer
// samples, a variant that sums them in double).
template <class A, class S>
class LanczosRing {
public:
    LanczosRing(const ResizeJob& job, const RowLayout& layout)
        : m_job(job), m_layout(layout), m_src(static_cast<const S*>(job.src)), m_wide(job.wideRows[0] != nullptr),
          m_tapEnd(m_wide ? LanczosTapEnd(job) : 0)
    {
        for (int i = 0; i < 6; ++i) {
            m_slot[i] = static_cast<float*>(job.buffers[i]);
            m_wideSlot[i] = job.wideRows[i];
        }
    }

    void Run()
    {
        int first = m_job.rowOffsets[0] / m_job.srcStep;
        Fill(first);
        int last = first - 1;
        for (int y = 0; y < m_job.dstHeight; ++y) {
            int r = m_job.rowOffsets[y] / m_job.srcStep;
            if (r > last) {
                if (m_job.advanceByOne) {
                    AdvanceByOne(r);
                } else {
                    Advance(r, r - last);
                }
                last = r;
            }
            Blend(y);
        }
    }

private:
    void Filter(int row, int slot)
    {
        const S* src = m_src + row * m_job.srcStep;
        if (m_wide) {
            LanczosFilterRowWide<A>(src, m_job, m_tapEnd, m_wideSlot[slot]);
        } else {
            LanczosFilterRow<A>(src, m_job, m_layout, m_slot[slot]);
        }
    }

    void Copy(int from, int to)
    {
        const int count = m_job.dstWidth * m_layout.channels;
        if (m_wide) {
            std::memcpy(m_wideSlot[to], m_wideSlot[from], count * sizeof(double));
        } else {
            A::CopyRow(m_slot[from], m_slot[to], count);
        }
    }

    void Turn(int end)
    {
        TurnRows(m_slot, end);
        TurnRows(m_wideSlot, end);
    }

    // The window of a virtual row above the first: slots 1..5 hold rows first-2 .. first+2.
    void Fill(int first)
    {
        int below = m_job.srcBottomExtent - first;
        int above = m_job.srcTop + first;
        Filter(first, 3);
        if (below == 1) {
            Copy(3, 4);
            Copy(3, 5);
        } else {
            Filter(first + 1, 4);
            below == 2 ? Copy(4, 5) : Filter(first + 2, 5);
        }
        if (above == 0) {
            Copy(3, 1);
            Copy(3, 2);
        } else {
            Filter(first - 1, 2);
            above == 1 ? Copy(2, 1) : Filter(first - 2, 1);
        }
    }

    void AdvanceByOne(int r)
    {
        Turn(5);
        r + 3 <= LastRow() ? Filter(r + 3, 5) : Copy(4, 5);
    }

    // Keeps the rows still inside the window and filters only the new ones.
    void Advance(int r, int distance)
    {
        int lastRow = LastRow();
        Turn(5);
        Filter(std::min(r + 3, lastRow), 5);
        if (distance >= 2) {
            Turn(4);
            Filter(std::min(r + 2, lastRow), 4);
        }
        if (distance >= 3) {
            Turn(3);
            Filter(std::min(r + 1, lastRow), 3);
        }
        if (distance >= 4) {
            Turn(2);
            Filter(r, 2);
        }
        if (distance >= 5) {
            Turn(1);
            Filter(r - 1, 1);
        }
        if (distance >= 6) {
            Filter(r - 2, 0);
        }
    }

    int LastRow() const { return m_job.srcBottomExtent - 1; }

    void Blend(int y)
    {
        const float* w = static_cast<const float*>(m_job.rowWeights) + 6 * y;
        float* const* slot = m_slot;
        S* dst = static_cast<S*>(m_job.dst) + y * m_job.dstStep;
        int done = 0;
        if constexpr (kLanczosWide<A, S>) {
            if (m_wide) {
                A::LanczosBlendWide(dst, m_job.dstWidth * 4, m_wideSlot, w);
                return;
            }
        }
        if constexpr (A::kVectorRows) {
            if (!m_layout.c3in4) {
                done = A::LanczosBlendBulk(dst, m_job.dstWidth * m_layout.channels, m_slot, w);
            }
        }
        StoreRow(
            dst, m_job.dstWidth, m_layout,
            [&](int e, bool) {
                float s[6] = {slot[0][e], slot[1][e], slot[2][e], slot[3][e], slot[4][e], slot[5][e]};
                return LanczosOutput<A, S>::Convert(s, w);
            },
            done);
    }

    const ResizeJob& m_job;
    RowLayout m_layout;
    const S* m_src;
    bool m_wide;
    int m_tapEnd;
    float* m_slot[6];
    double* m_wideSlot[6];
};

template <class A, class S>
void ResizeLanczosC1(const ResizeJob& job)
{
    LanczosRing<A, S>(job, LayoutOf(job, true)).Run();
}

template <class A, class S>
void ResizeLanczosC3C4(const ResizeJob& job)
{
    LanczosRing<A, S>(job, LayoutOf(job, false)).Run();
}

} // namespace
