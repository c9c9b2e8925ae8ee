#pragma once
// Supersampling (area-average) reduction: checks, clipping, destination size, mode, and the
// variant's kernel for the pixel type and channel layout.
#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeTypes.h"

// pSrc and pDst are arrays of plane pointers when planar is non-zero. Both factors must lie
// in (0, 1].
LibStatus ResizeSuperRun(const ResizeVariant& variant, const void* pSrc, ImageSize srcSize, int srcStep,
                         ImageRect srcRoi, void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, int pixelStep, int channels, int pixelType, int planar);
