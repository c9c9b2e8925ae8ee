#pragma once
// Runs a row loop or supersampling kernel on the region of an interleaved image, or on that
// region of every plane.
#include <cstdint>

// planes 0: pSrc and pDst are the image; otherwise arrays of that many plane pointers.
template <class Job>
void ResizeRunPlanes(void (*kernel)(const Job& job), Job& job, const void* pSrc, void* pDst, int regionOffset,
                     int planes)
{
    if (!planes) {
        job.src = static_cast<const uint8_t*>(pSrc) + regionOffset;
        job.dst = pDst;
        kernel(job);
        return;
    }
    const void* const* srcPlanes = static_cast<const void* const*>(pSrc);
    void* const* dstPlanes = static_cast<void* const*>(pDst);
    for (int plane = 0; plane < planes; ++plane) {
        job.src = static_cast<const uint8_t*>(srcPlanes[plane]) + regionOffset;
        job.dst = dstPlanes[plane];
        kernel(job);
    }
}
