#pragma once
// Nearest-neighbour row loops: each destination pixel copies the source pixel the tables name.
// Included only by the processor-variant files (internal linkage).
#include <cstdint>

#include "image/resize/ResizeJob.h"

namespace {

// E is the storage element; floats travel as 32-bit words so that every bit survives.
template <class A, class E, int kChannels>
void ResizeNearest(const ResizeJob& job)
{
    const E* src = static_cast<const E*>(job.src);
    E* dst = static_cast<E*>(job.dst);
    int dstPixel = kChannels == 3 ? job.pixelStep : kChannels;
    for (int y = 0; y < job.dstHeight; ++y) {
        const E* row = src + job.rowOffsets[y];
        E* out = dst + y * job.dstStep;
        for (int x = 0; x < job.dstWidth; ++x) {
            const E* pixel = row + job.colOffsets[x];
            for (int c = 0; c < kChannels; ++c) {
                out[c] = pixel[c];
            }
            out += dstPixel;
        }
    }
}

} // namespace
