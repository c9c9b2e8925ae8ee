// The SSE2 variant of the resize functions, compiled for SSE2.
#include "image/resize/ResizeCore.h"
#include "image/resize/ResizeEntry.h"
#include "image/resize/ResizeKernelSet.h"
#include "image/resize/ResizeSuperDriver.h"
#include "image/resize/ResizeVariants.h"
#include "image/resize/SimdArith.h"
#include "signal/DspBodies.h"

namespace dsp {
namespace sse2 {

namespace {

// Row copies and zeroing go to this variant's own library bodies.
struct Arith : SimdArith<true> {
  static void CopyRow(const float* src, float* dst, int count) {
    dsp::sse2::dspsCopy_32f(src, dst, count);
  }
  static void ZeroBytes(void* block, int bytes) {
    dsp::sse2::dspsZero_8u(static_cast<unsigned char*>(block), bytes);
  }
};

using Kernels = ResizeKernelSet<Arith>;

}  // namespace

LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                         void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, double xShift, double yShift, int pixelStep,
                         int channels, int pixelType, int planar, int interpolation,
                         int factorMode) {
  return ResizeCoreRun(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep,
                       dstRoiSize, xFactor, yFactor, xShift, yShift, pixelStep, channels,
                       pixelType, planar, interpolation, factorMode);
}

LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                          void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                          double yFactor, int pixelStep, int channels, int pixelType,
                          int planar) {
  return ResizeSuperRun(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep,
                        dstRoiSize, xFactor, yFactor, pixelStep, channels, pixelType, planar);
}

void LanczosWeights(const float* fractions, int count, float* weights) {
  Arith::LanczosWeights(fractions, count, weights);
}

LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                            ImageRect srcRoi, unsigned char* pDst, int dstStep,
                            ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation) {
  return ResizeEntryRoute(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep,
                          dstRoiSize, xFactor, yFactor, interpolation);
}

}  // namespace sse2
}  // namespace dsp
