#include "image/resize/ResizeEntry.h"

#include "image/resize/ResizeCore.h"
#include "image/resize/ResizeSuperDriver.h"
#include "image/resize/ResizeVariants.h"
#include "signal/DspRegistry.h"

namespace {

// The library's entry stub runs these bodies once they replace its placeholders.
struct ResizeBodiesInstaller {
    ResizeBodiesInstaller()
    {
        dspiInstallResizeBodies(&dsp::generic::dspiResize_8u_C4R, &dsp::sse::dspiResize_8u_C4R,
                                &dsp::sse2::dspiResize_8u_C4R, &dsp::sse3::dspiResize_8u_C4R);
    }
} g_resizeBodiesInstaller;

} // namespace

// The image library makes every program link this file (and so the installer above).
extern "C" const int ResizeBodiesLinked = 1;

LibStatus ResizeEntryRoute(const ResizeVariant& variant, const unsigned char* pSrc, ImageSize srcSize, int srcStep,
                           ImageRect srcRoi, unsigned char* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                           double yFactor, int interpolation)
{
    // Written so that a NaN factor goes to the core, which rejects it.
    if (interpolation == InterpSuper && 1.0 >= xFactor && 1.0 >= yFactor) {
        return ResizeSuperRun(variant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor, 4,
                              4, PixelType8u, 0);
    }
    return ResizeCoreRun(variant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor, 0.0, 0.0,
                         4, 4, PixelType8u, 0, interpolation, 1);
}
