#include "image/resize/ResizeChecks.h"

namespace {

bool PlanesPresent(const void* planes, int count)
{
    const void* const* p = static_cast<const void* const*>(planes);
    for (int i = 0; i < count; ++i) {
        if (!p[i]) {
            return false;
        }
    }
    return true;
}

bool InterleavedLayoutOk(int pixelStep, int channels)
{
    if (channels == 3) {
        return pixelStep == 3 || pixelStep == 4;
    }
    return (channels == 1 || channels == 4) && pixelStep == channels;
}

} // namespace

LibStatus ResizeCheckCommon(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, const void* pDst,
                            int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor)
{
    if (!pSrc || !pDst) {
        return StatusNullPointer;
    }
    if (srcSize.width < 1 || srcSize.height < 1) {
        return StatusSizeError;
    }
    if (srcStep < 1 || dstStep < 1) {
        return StatusStepError;
    }
    if (srcRoi.x < 0 || srcRoi.y < 0 || srcRoi.width < 1 || srcRoi.height < 1) {
        return StatusSizeError;
    }
    if (srcRoi.x >= srcSize.width || srcRoi.y >= srcSize.height) {
        return StatusNoIntersection;
    }
    if (dstRoiSize.width < 1 || dstRoiSize.height < 1) {
        return StatusSizeError;
    }
    // Written as negations so that a NaN fails too.
    if (!(xFactor > 0.0) || !(yFactor > 0.0)) {
        return StatusResizeFactorError;
    }
    return StatusOk;
}

LibStatus ResizeCheckLayout(const void* pSrc, const void* pDst, int srcStep, int dstStep, int pixelStep, int channels,
                            int pixelType, int planar)
{
    if (pixelType < PixelType8u || pixelType > PixelType32f) {
        return StatusDataTypeError;
    }
    if (planar) {
        if (channels != 3 && channels != 4) {
            return StatusChannelError;
        }
        int planes = ResizePlaneCount(channels);
        if (!PlanesPresent(pSrc, planes) || !PlanesPresent(pDst, planes)) {
            return StatusNullPointer;
        }
    } else if (!InterleavedLayoutOk(pixelStep, channels)) {
        return StatusChannelError;
    }
    int size = ResizeElementSize(pixelType);
    return srcStep < size || dstStep < size ? StatusStepError : StatusOk;
}

ImageRect ResizeClipRegion(ImageSize image, ImageRect region)
{
    if (region.width > image.width - region.x) {
        region.width = image.width - region.x;
    }
    if (region.height > image.height - region.y) {
        region.height = image.height - region.y;
    }
    return region;
}

int ResizeRegionOffset(ImageRect region, int srcStep, int pixelStep, int pixelType, int planar)
{
    return region.y * srcStep + region.x * (planar ? 1 : pixelStep) * ResizeElementSize(pixelType);
}

int ResizeElementSize(int pixelType)
{
    return pixelType == PixelType8u ? 1 : pixelType == PixelType16u ? 2 : 4;
}

int ResizePlaneCount(int channels)
{
    return channels == 3 ? 3 : 4;
}
