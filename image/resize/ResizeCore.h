#pragma once
// The general resize behind the image entry: checks, method fall-back, clipping, coordinate
// tables, work buffers and one row loop of the variant's kernel table.
#include "image/resize/ResizeJob.h"
#include "image/resize/ResizeTypes.h"

// pSrc and pDst are arrays of plane pointers when planar is non-zero.
// factorMode 1: factors are size ratios; 0: source steps per destination pixel.
LibStatus ResizeCoreRun(const ResizeVariant& variant, const void* pSrc, ImageSize srcSize, int srcStep,
                        ImageRect srcRoi, void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor,
                        double xShift, double yShift, int pixelStep, int channels, int pixelType, int planar,
                        int interpolation, int factorMode);
