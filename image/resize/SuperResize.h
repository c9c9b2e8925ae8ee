#pragma once
// Supersampling kernels: every destination pixel is the area average of the source pixels it
// covers, partly covered rows and columns counting with the covered fraction.
// Included only by the processor-variant files (internal linkage).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeKernelMath.h"

namespace {

const double kSuperEpsilon = 1e-7;

// Forces a value through single precision even where the x87 keeps it wider.
inline float RoundToFloat(double v)
{
    volatile float f = static_cast<float>(v);
    return f;
}

template <class A, class S, class Acc>
class SuperPass {
public:
    SuperPass(const SuperJob& job, int channels, int stride, Acc* acc)
        : m_job(job), m_channels(channels), m_stride(stride), m_acc(acc), m_slots(job.srcWidthUsed * stride),
          m_nx(static_cast<int>(std::floor(job.xStep))), m_ny(static_cast<int>(std::floor(job.yStep)))
    {}

    void Run()
    {
        for (int y = 0; y < m_job.dstHeight; ++y) {
            A::ZeroBytes(m_acc, m_slots * static_cast<int>(sizeof(Acc)));
            AccumulateRows(y);
            Output(static_cast<S*>(Offset(m_job.dst, y * m_job.dstStep)));
        }
    }

private:
    static void* Offset(void* p, int bytes) { return static_cast<uint8_t*>(p) + bytes; }

    const S* Row(int r) const
    {
        int row = std::min(r, m_job.srcHeightUsed - 1);
        return reinterpret_cast<const S*>(static_cast<const uint8_t*>(m_job.src) + row * m_job.srcStep);
    }

    bool FractionalRows() const { return m_job.mode == SuperFractionalRows || m_job.mode == SuperFractionalBoth; }
    bool FractionalColumns() const { return m_job.mode == SuperFractionalColumns || m_job.mode == SuperFractionalBoth; }

    void AddWholeRows(int count)
    {
        if constexpr (A::kSuperDoubleTail && std::is_same<S, float>::value) {
            if (m_job.mode == SuperIntegerSteps && m_channels == 1) {
                AddWholeRowsSplit(count);
                return;
            }
        }
        for (int k = 0; k < count; ++k) {
            const S* row = Row(m_row++);
            for (int i = 0; i < m_slots; ++i) {
                m_acc[i] = static_cast<Acc>(m_acc[i] + row[i]);
            }
        }
    }

    // Row by row in single precision, except the last columns (width mod 16), summed over all
    // rows in double and rounded once.
    void AddWholeRowsSplit(int count)
    {
        int blocked = m_slots - m_slots % 16;
        for (int k = 0; k < count; ++k) {
            const S* row = Row(m_row + k);
            for (int i = 0; i < blocked; ++i) {
                m_acc[i] = static_cast<Acc>(m_acc[i] + row[i]);
            }
        }
        for (int i = blocked; i < m_slots; ++i) {
            double sum = 0.0;
            for (int k = 0; k < count; ++k) {
                sum += Row(m_row + k)[i];
            }
            m_acc[i] = static_cast<Acc>(sum);
        }
        m_row += count;
    }

    void AddWeightedRow(double weight)
    {
        const S* row = Row(m_row);
        for (int i = 0; i < m_slots; ++i) {
            m_acc[i] = static_cast<Acc>(m_acc[i] + static_cast<double>(row[i]) * weight);
        }
    }

    void AccumulateRows(int y)
    {
        if (!FractionalRows()) {
            AddWholeRows(m_ny);
            return;
        }
        if (y == 0) {
            AddWholeRows(m_ny);
            m_fraction = m_job.yStep - m_ny;
            if (m_fraction != 0.0) {
                AddWeightedRow(m_fraction);
            }
            return;
        }
        double head = 1.0 - m_fraction;
        double rest = m_job.yStep - head;
        int whole = static_cast<int>(std::floor(rest + kSuperEpsilon));
        m_fraction = rest - whole;
        if (head > kSuperEpsilon) {
            AddWeightedRow(head);
        }
        ++m_row;
        AddWholeRows(whole);
        if (m_fraction > kSuperEpsilon) {
            AddWeightedRow(m_fraction);
        }
    }

    // Columns of one destination pixel: a leading part, whole columns, a trailing part.
    struct Span {
        int head;
        double headWeight; // 0: no leading part
        int wholeFirst;
        int wholeCount;
        int tail;
        double tailWeight; // 0: no trailing part
    };

    Span NextSpan(int k)
    {
        if (!FractionalColumns()) {
            return {0, 0.0, k * m_nx, m_nx, 0, 0.0};
        }
        if (k == 0) {
            m_colFraction = m_job.xStep - m_nx;
            m_column = m_nx;
            return {0, 0.0, 0, m_nx, m_nx, m_colFraction};
        }
        double head = 1.0 - m_colFraction;
        double rest = m_job.xStep - head;
        int whole = static_cast<int>(std::floor(rest + kSuperEpsilon));
        m_colFraction = rest - whole;
        Span span = {m_column,
                     head > kSuperEpsilon ? head : 0.0,
                     m_column + 1,
                     whole,
                     m_column + whole + 1,
                     m_colFraction > kSuperEpsilon ? m_colFraction : 0.0};
        m_column += whole + 1;
        return span;
    }

    Acc Slot(int column, int c) const { return m_acc[std::min(column, m_job.srcWidthUsed - 1) * m_stride + c]; }

    double SpanSum(const Span& span, int c) const
    {
        if constexpr (std::is_integral<Acc>::value) {
            // 64 bits: a large footprint of 16-bit samples would wrap in 32.
            uint64_t sum = 0;
            for (int i = 0; i < span.wholeCount; ++i) {
                sum += Slot(span.wholeFirst + i, c);
            }
            return static_cast<double>(sum);
        } else {
            double sum = 0.0;
            if (span.headWeight != 0.0) {
                sum += Slot(span.head, c) * span.headWeight;
            }
            for (int i = 0; i < span.wholeCount; ++i) {
                sum += Slot(span.wholeFirst + i, c);
            }
            if (span.tailWeight != 0.0) {
                sum += Slot(span.tail, c) * span.tailWeight;
            }
            return RoundToFloat(sum);
        }
    }

    void Output(S* out)
    {
        for (int k = 0; k < m_job.dstWidth; ++k) {
            Span span = NextSpan(k);
            for (int c = 0; c < m_channels; ++c) {
                out[k * m_stride + c] = Convert(SpanSum(span, c));
            }
        }
    }

    S Convert(double sum) const
    {
        if constexpr (sizeof(S) == 4) {
            return static_cast<float>(sum * m_job.area);
        } else {
            return ClampTruncate<S>(sum * m_job.area + 0.5);
        }
    }

    const SuperJob& m_job;
    int m_channels;
    int m_stride;
    Acc* m_acc;
    int m_slots;
    int m_nx;
    int m_ny;
    int m_row = 0;
    double m_fraction = 0.0;
    int m_column = 0;
    double m_colFraction = 0.0;
};

// kLayout: 1, 3 or 4 channels; three channels step by the job's pixel step. Mode 0 of 8u
// and 16u sums whole integers; everything else sums floats.
template <class A, class S, int kLayout>
void ResizeSuper(const SuperJob& job)
{
    int stride = kLayout == 3 ? job.pixelStep : kLayout;
    if (job.mode == SuperIntegerSteps && sizeof(S) < 4) {
        uint32_t* acc = static_cast<uint32_t*>(job.accumulator);
        SuperPass<A, S, uint32_t>(job, kLayout, stride, acc).Run();
    } else {
        float* acc = static_cast<float*>(job.accumulator);
        SuperPass<A, S, float>(job, kLayout, stride, acc).Run();
    }
}

} // namespace
