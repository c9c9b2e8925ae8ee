#pragma once
// The image entry dspiResize_8u_C4R: supersampling for reductions that ask for it, the core
// for everything else, on four-channel 8-bit pixels.
#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeTypes.h"

LibStatus ResizeEntryRoute(const ResizeVariant& variant, const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                           ImageRect srcRoi, unsigned char* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                           double yFactor, int interpolation);
