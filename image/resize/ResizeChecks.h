#pragma once
// Argument checks shared by the resize core and the supersampling driver.
#include "image/resize/ResizeTypes.h"

// Checks shared by the core and the supersampling driver, in their order; StatusOk to go on.
LibStatus ResizeCheckCommon(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, const void* pDst,
                            int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor);

// Pixel type, channel count and pixel step must name a layout the kernels handle; then the
// steps must hold at least one sample of the pixel type.
LibStatus ResizeCheckLayout(const void* pSrc, const void* pDst, int srcStep, int dstStep, int pixelStep, int channels,
                            int pixelType, int planar);

// The region cut to the image (its origin lies inside after the checks).
ImageRect ResizeClipRegion(ImageSize image, ImageRect region);

// Bytes from the start of the image (of each plane when planar) to the region's first sample.
int ResizeRegionOffset(ImageRect region, int srcStep, int pixelStep, int pixelType, int planar);

int ResizeElementSize(int pixelType);
int ResizePlaneCount(int channels);
