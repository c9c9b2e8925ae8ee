#pragma once
// The processor variants of the image entry, the resize core, the supersampling driver and
// the Lanczos weights.
// Each variant runs its own kernels; the core's own steps are the same in all of them.
#include "image/resize/ResizeTypes.h"

namespace dsp {
namespace generic {
LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                         void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, double xShift, double yShift, int pixelStep,
                         int channels, int pixelType, int planar, int interpolation,
                         int factorMode);
LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                          void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                          double yFactor, int pixelStep, int channels, int pixelType,
                          int planar);
void LanczosWeights(const float* fractions, int count, float* weights);
LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                            ImageRect srcRoi, unsigned char* pDst, int dstStep,
                            ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation);
}  // namespace generic
namespace sse {
LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                         void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, double xShift, double yShift, int pixelStep,
                         int channels, int pixelType, int planar, int interpolation,
                         int factorMode);
LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                          void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                          double yFactor, int pixelStep, int channels, int pixelType,
                          int planar);
void LanczosWeights(const float* fractions, int count, float* weights);
LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                            ImageRect srcRoi, unsigned char* pDst, int dstStep,
                            ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation);
}  // namespace sse
namespace sse2 {
LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                         void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, double xShift, double yShift, int pixelStep,
                         int channels, int pixelType, int planar, int interpolation,
                         int factorMode);
LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                          void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                          double yFactor, int pixelStep, int channels, int pixelType,
                          int planar);
void LanczosWeights(const float* fractions, int count, float* weights);
LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                            ImageRect srcRoi, unsigned char* pDst, int dstStep,
                            ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation);
}  // namespace sse2
namespace sse3 {
LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                         void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, double xShift, double yShift, int pixelStep,
                         int channels, int pixelType, int planar, int interpolation,
                         int factorMode);
LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                          void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                          double yFactor, int pixelStep, int channels, int pixelType,
                          int planar);
void LanczosWeights(const float* fractions, int count, float* weights);
LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                            ImageRect srcRoi, unsigned char* pDst, int dstStep,
                            ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation);
}  // namespace sse3
}  // namespace dsp
