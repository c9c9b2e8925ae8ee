#pragma once
// The processor variants of the image entry, the resize core, the supersampling driver and
// the Lanczos weights.
// Each variant runs its own kernels; the core's own steps are the same in all of them.
#include "image/resize/ResizeTypes.h"

#define RESIZE_DECLARE_VARIANT(ns)                                                                                     \
    namespace dsp {                                                                                                    \
    namespace ns {                                                                                                     \
    LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, void* pDst,           \
                             int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor, double xShift,         \
                             double yShift, int pixelStep, int channels, int pixelType, int planar, int interpolation, \
                             int factorMode);                                                                          \
    LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, void* pDst,          \
                              int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor, int pixelStep,        \
                              int channels, int pixelType, int planar);                                                \
    void LanczosWeights(const float* fractions, int count, float* weights);                                            \
    LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,           \
                                unsigned char* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,                \
                                double yFactor, int interpolation);                                                    \
    }                                                                                                                  \
    }

RESIZE_DECLARE_VARIANT(generic)
RESIZE_DECLARE_VARIANT(sse)
RESIZE_DECLARE_VARIANT(sse2)
RESIZE_DECLARE_VARIANT(sse3)

#undef RESIZE_DECLARE_VARIANT
