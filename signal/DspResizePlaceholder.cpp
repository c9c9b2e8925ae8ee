// The image resize is built in image/, which installs its bodies with
// dspiInstallResizeBodies; until then its entry writes nothing and says why.
#include "signal/DspBodies.h"

namespace dsp {
namespace placeholder {

LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                            unsigned char* pDst, int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation)
{
    return StatusResizeNotLinked;
}

} // namespace placeholder
} // namespace dsp
