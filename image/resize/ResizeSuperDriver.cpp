#include "image/resize/ResizeSuperDriver.h"

#include <cmath>
#include <cstdint>

#include "image/resize/ResizeBlockList.h"
#include "image/resize/ResizeChecks.h"
#include "image/resize/ResizeMemory.h"
#include "image/resize/ResizePlanes.h"

namespace {

const double kEpsilon = 1e-7;

struct SuperAxis {
    int dstCount;
    double step;
    double factor;
};

// A region smaller than one destination pixel gives that pixel the mean of the whole region,
// so that no pass reads past the region.
SuperAxis SettleAxis(int regionSize, int requested, double factor)
{
    double scaled = regionSize * factor + kEpsilon;
    if (scaled < 1.0) {
        return {1, static_cast<double>(regionSize), 1.0 / regionSize};
    }
    int count = scaled >= requested ? requested : static_cast<int>(scaled);
    return {count, 1.0 / factor, factor};
}

// One accumulator row for every kernel call: integer cells in mode 0, floats otherwise.
// Sized in 64 bits: a row too long for a block gives no block, never a wrapped small one.
void* AllocAccumulator(const SuperJob& job, int channels, int planar)
{
    const int64_t kCellBytes = 4; // an int32 sum or a float
    int slots = planar || channels == 1 ? 1 : channels == 4 ? 4 : job.pixelStep;
    int64_t cells = static_cast<int64_t>(job.srcWidthUsed) * slots;
    int64_t bytes = cells * kCellBytes;
    if (bytes > INT32_MAX) {
        return nullptr;
    }
    return job.mode == SuperIntegerSteps ? ResizeAlloc8u(static_cast<int>(bytes))
                                         : ResizeAlloc32f(static_cast<int>(cells));
}

int SuperLayout(int channels)
{
    return channels == 1 ? 0 : channels == 4 ? 2 : 1;
}

int ModeOf(double xStep, double yStep)
{
    bool fracX = xStep - std::trunc(xStep) != 0.0;
    bool fracY = yStep - std::trunc(yStep) != 0.0;
    return (fracX ? SuperFractionalColumns : 0) + (fracY ? SuperFractionalRows : 0);
}

LibStatus CheckSuperArguments(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, const void* pDst,
                              int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor, int pixelStep,
                              int channels, int pixelType, int planar)
{
    LibStatus status = ResizeCheckCommon(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor);
    if (status != StatusOk) {
        return status;
    }
    if (xFactor > 1.0 || yFactor > 1.0) {
        return StatusResizeFactorError;
    }
    return ResizeCheckLayout(pSrc, pDst, srcStep, dstStep, pixelStep, channels, pixelType, planar);
}

SuperJob MakeSuperJob(ImageRect region, ImageSize dstRoiSize, double xFactor, double yFactor, int srcStep, int dstStep,
                      int pixelStep)
{
    SuperAxis x = SettleAxis(region.width, dstRoiSize.width, xFactor);
    SuperAxis y = SettleAxis(region.height, dstRoiSize.height, yFactor);
    double used = std::trunc(x.step * (x.dstCount + 1)) + 1.0;
    SuperJob job = {};
    job.srcStep = srcStep;
    job.dstStep = dstStep;
    job.srcWidthUsed = used < region.width ? static_cast<int>(used) : region.width;
    job.srcHeightUsed = region.height;
    job.dstWidth = x.dstCount;
    job.dstHeight = y.dstCount;
    job.xStep = x.step;
    job.yStep = y.step;
    job.area = x.factor * y.factor;
    job.pixelStep = pixelStep;
    job.mode = ModeOf(x.step, y.step);
    return job;
}

} // namespace

LibStatus ResizeSuperRun(const ResizeVariant& variant, const void* pSrc, ImageSize srcSize, int srcStep,
                         ImageRect srcRoi, void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor,
                         double yFactor, int pixelStep, int channels, int pixelType, int planar)
{
    LibStatus status = CheckSuperArguments(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor,
                                           pixelStep, channels, pixelType, planar);
    if (status != StatusOk) {
        return status;
    }
    ImageRect region = ResizeClipRegion(srcSize, srcRoi);
    SuperJob job = MakeSuperJob(region, dstRoiSize, xFactor, yFactor, srcStep, dstStep, pixelStep);
    ResizeBlockList blocks;
    job.accumulator = AllocAccumulator(job, channels, planar);
    if (!blocks.Keep(job.accumulator)) {
        return StatusNoMemory;
    }
    SuperKernel kernel = variant.superKernels[pixelType * 3 + (planar ? 0 : SuperLayout(channels))];
    ResizeRunPlanes(kernel, job, pSrc, pDst, ResizeRegionOffset(region, srcStep, pixelStep, pixelType, planar),
                    planar ? ResizePlaneCount(channels) : 0);
    return StatusOk;
}
