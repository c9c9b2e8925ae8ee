#pragma once
// Helpers of the row loops. Included only by the processor-variant files: everything here has
// internal linkage, so each variant keeps its own copy compiled with its own flags.
#include <cstdint>

#include "image/resize/ResizeJob.h"

namespace {

template <class S>
struct SampleLimit;
template <>
struct SampleLimit<uint8_t> {
    static const int kMax = 255;
};
template <>
struct SampleLimit<uint16_t> {
    static const int kMax = 65535;
};

// trunc(v) limited to 0..max; a NaN gives 0.
template <class S>
inline S ClampTruncate(double v)
{
    if (!(v > 0.0)) {
        return 0;
    }
    if (v >= SampleLimit<S>::kMax) {
        return static_cast<S>(SampleLimit<S>::kMax);
    }
    return static_cast<S>(static_cast<int>(v));
}

template <class S>
inline S ClampInt(int v)
{
    if (v < 0) {
        return 0;
    }
    return static_cast<S>(v > SampleLimit<S>::kMax ? SampleLimit<S>::kMax : v);
}

// Channels filtered per pixel and the distance between horizontal taps.
struct RowLayout {
    int channels;
    int tapStep;
    bool c3in4; // destination pixels of four elements, three of them written
};

inline RowLayout LayoutOf(const ResizeJob& job, bool oneChannel)
{
    if (oneChannel) {
        return {1, 1, false};
    }
    if (job.channels == 3) {
        return {3, job.pixelStep, job.pixelStep != 3};
    }
    return {4, 4, false};
}

// Rotates rows 0..end by one: rows 1..end move down, row end takes the old row 0 buffer.
template <class T>
inline void TurnRows(T** rows, int end)
{
    T* spare = rows[0];
    for (int i = 0; i < end; ++i) {
        rows[i] = rows[i + 1];
    }
    rows[end] = spare;
}

// Writes one destination row from the packed values value(e, bulk): contiguously from element
// first on, or three values into each four-element pixel. bulk marks the values a four-wide
// pass would take.
template <class S, class Value>
inline void StoreRow(S* dst, int dstWidth, const RowLayout& layout, Value value, int first = 0)
{
    if (!layout.c3in4) {
        int count = dstWidth * layout.channels;
        int bulk = count - count % 4;
        for (int e = first; e < count; ++e) {
            dst[e] = value(e, e < bulk);
        }
        return;
    }
    for (int pixel = 0; pixel < dstWidth; ++pixel) {
        for (int c = 0; c < 3; ++c) {
            dst[4 * pixel + c] = value(3 * pixel + c, false);
        }
    }
}

} // namespace
