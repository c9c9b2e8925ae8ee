#include "image/resize/ResizeCore.h"

#include <algorithm>
#include <cstdint>

#include "image/resize/ResizeAxisWalker.h"
#include "image/resize/ResizeBlockList.h"
#include "image/resize/ResizeChecks.h"
#include "image/resize/ResizeMemory.h"
#include "image/resize/ResizePlanes.h"

namespace {

const int kQ14One = 16384;

struct CoreCall {
    int method;
    int pixelType;
    int channels;
    int planar;
    int factorMode;
};

int FallBackMethod(int method, ImageSize image)
{
    int smaller = image.width < image.height ? image.width : image.height;
    if (smaller < 8 && method == InterpLanczos) {
        method = InterpCubic;
    }
    if (smaller < 4 && method == InterpCubic) {
        method = InterpLinear;
    }
    return smaller < 2 ? InterpNearest : method;
}

int RowBufferCount(int method)
{
    switch (method) {
    case InterpLinear: return 2;
    case InterpCubic: return 4;
    case InterpLanczos: return 6;
    default: return 0;
    }
}

bool UsesQ14(const CoreCall& call)
{
    return call.method == InterpLinear && call.pixelType != PixelType32f;
}

int RowBufferElements(const CoreCall& call, int dstWidth)
{
    if (call.planar || call.channels == 1) {
        return dstWidth + 4;
    }
    return call.channels == 3 ? 3 * dstWidth + 12 : 4 * dstWidth + 16;
}

int KernelIndex(const CoreCall& call)
{
    bool oneChannel = call.planar || call.channels == 1;
    int row;
    switch (call.method) {
    case InterpLanczos: row = oneChannel ? RowLanczosC1 : RowLanczosC3C4; break;
    case InterpCubic: row = oneChannel ? RowCubicC1 : RowCubicC3C4; break;
    case InterpLinear: row = oneChannel ? RowLinearC1 : RowLinearC3C4; break;
    default: row = oneChannel ? RowNearestC1 : call.channels == 4 ? RowNearestC4 : RowNearestC3; break;
    }
    return row * 3 + call.pixelType;
}

// Offsets and weights (Q14 or float fractions) of one axis; pairs for Q14 columns.
void FillAxis(ResizeAxisWalker& walker, int count, int offsetScale, bool q14, bool pairs, int32_t* offsets,
              void* weights)
{
    for (int i = 0; i < count; ++i) {
        int32_t index;
        double fraction;
        walker.Next(&index, &fraction);
        offsets[i] = index * offsetScale;
        if (!weights) {
            continue;
        }
        if (!q14) {
            static_cast<float*>(weights)[i] = static_cast<float>(fraction);
            continue;
        }
        uint16_t w = static_cast<uint16_t>(static_cast<int>(fraction * kQ14One + 1e-7));
        uint16_t* q = static_cast<uint16_t*>(weights);
        if (pairs) {
            q[2 * i] = static_cast<uint16_t>(kQ14One - w);
            q[2 * i + 1] = w;
        } else {
            q[i] = w;
        }
    }
}

void* AllocWeights(const CoreCall& call, int count, int perEntry)
{
    if (call.method == InterpNearest) {
        return nullptr;
    }
    return UsesQ14(call) ? ResizeAlloc16s(count * perEntry) : ResizeAlloc32f(count);
}

struct AxisTables {
    int32_t* offsets;
    void* weights;
};

// Offsets, then (all but nearest) weights or fractions; rows first, then columns.
bool AllocTables(const CoreCall& call, ResizeBlockList& blocks, const ResizeJob& job, AxisTables* rows,
                 AxisTables* cols)
{
    rows->offsets = static_cast<int32_t*>(ResizeAlloc32f(job.dstHeight));
    if (!blocks.Keep(rows->offsets)) {
        return false;
    }
    cols->offsets = static_cast<int32_t*>(ResizeAlloc32f(job.dstWidth));
    if (!blocks.Keep(cols->offsets)) {
        return false;
    }
    if (call.method == InterpNearest) {
        return true;
    }
    rows->weights = AllocWeights(call, job.dstHeight, 1);
    if (!blocks.Keep(rows->weights)) {
        return false;
    }
    cols->weights = AllocWeights(call, job.dstWidth, 2);
    return blocks.Keep(cols->weights);
}

bool AllocBuffers(const CoreCall& call, ResizeBlockList& blocks, ResizeJob& job)
{
    int elements = RowBufferElements(call, job.dstWidth);
    for (int i = 0; i < RowBufferCount(call.method); ++i) {
        void* buffer = UsesQ14(call) ? ResizeAlloc16s(elements) : ResizeAlloc32f(elements);
        if (!blocks.Keep(buffer)) {
            return false;
        }
        job.buffers[i] = buffer;
    }
    return true;
}

// Lanczos row loops take six weights per position in place of the fractions.
bool AllocLanczosWeights(const ResizeVariant& variant, ResizeBlockList& blocks, ResizeJob& job)
{
    float* cols = static_cast<float*>(ResizeAlloc32f(6 * job.dstWidth));
    if (!blocks.Keep(cols)) {
        return false;
    }
    float* rows = static_cast<float*>(ResizeAlloc32f(6 * job.dstHeight));
    if (!blocks.Keep(rows)) {
        return false;
    }
    variant.lanczosWeights(static_cast<const float*>(job.colWeights), job.dstWidth, cols);
    variant.lanczosWeights(static_cast<const float*>(job.rowWeights), job.dstHeight, rows);
    job.colWeights = cols;
    job.rowWeights = rows;
    return true;
}

// A block size in elements, 0 (which no allocation takes) beyond the int range.
int BlockCount(int64_t elements)
{
    return elements <= INT32_MAX ? static_cast<int>(elements) : 0;
}

// What the variant's four-channel Lanczos rows take beyond the row buffers (LanczosExtras).
bool AllocLanczosExtras(const ResizeVariant& variant, const CoreCall& call, ResizeBlockList& blocks, ResizeJob& job)
{
    const int kTaps = 6;
    const int kLanes = 4; // one pixel's channels
    if (call.planar || call.channels != kLanes || variant.lanczosExtras == LanczosExtrasNone) {
        return true;
    }
    const int weights = kTaps * job.dstWidth;
    float* broadcast = static_cast<float*>(ResizeAlloc32f(BlockCount(int64_t(kLanes) * weights)));
    if (!blocks.Keep(broadcast)) {
        return false;
    }
    const float* cols = static_cast<const float*>(job.colWeights);
    for (int i = 0; i < weights; ++i) {
        std::fill(broadcast + kLanes * i, broadcast + kLanes * (i + 1), cols[i]);
    }
    job.colWeightsBroadcast = broadcast;
    if (variant.lanczosExtras != LanczosExtrasBroadcastWide || call.pixelType == PixelType32f) {
        return true;
    }
    // Rows of kLanes x dstWidth doubles, each the room of two floats.
    const int64_t rowFloats = int64_t(2) * kLanes * job.dstWidth;
    float* wide = static_cast<float*>(ResizeAlloc32f(BlockCount(kTaps * rowFloats)));
    if (!blocks.Keep(wide)) {
        return false;
    }
    for (int i = 0; i < kTaps; ++i) {
        job.wideRows[i] = reinterpret_cast<double*>(wide + i * rowFloats);
    }
    // The taps reach two pixels left of the region.
    job.wideSource = static_cast<float*>(ResizeAlloc32f(BlockCount(int64_t(kLanes) * (job.srcRightExtent + 2))));
    return blocks.Keep(job.wideSource);
}

void RunKernel(const ResizeVariant& variant, const CoreCall& call, ResizeJob& job, const void* pSrc, void* pDst,
               int regionOffset)
{
    if (call.planar) {
        job.pixelStep = 0;
        job.channels = 0;
    }
    ResizeRunPlanes(variant.kernels[KernelIndex(call)], job, pSrc, pDst, regionOffset,
                    call.planar ? ResizePlaneCount(call.channels) : 0);
}

LibStatus CheckCoreArguments(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, const void* pDst,
                             int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor, int pixelStep,
                             int channels, int pixelType, int planar, int interpolation)
{
    LibStatus status = ResizeCheckCommon(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor);
    if (status != StatusOk) {
        return status;
    }
    if (interpolation != InterpNearest && interpolation != InterpLinear && interpolation != InterpCubic &&
        interpolation != InterpLanczos) {
        return StatusInterpolationError;
    }
    return ResizeCheckLayout(pSrc, pDst, srcStep, dstStep, pixelStep, channels, pixelType, planar);
}

// Offsets, weights, row buffers and (Lanczos) tap weights; false when memory ran out.
bool PrepareTables(const ResizeVariant& variant, const CoreCall& call, ResizeAxisWalker& rowWalker,
                   ResizeAxisWalker& colWalker, ResizeBlockList& blocks, ResizeJob& job)
{
    AxisTables rows = {};
    AxisTables cols = {};
    if (!AllocTables(call, blocks, job, &rows, &cols)) {
        return false;
    }
    bool q14 = UsesQ14(call);
    FillAxis(rowWalker, job.dstHeight, job.srcStep, q14, false, rows.offsets, rows.weights);
    FillAxis(colWalker, job.dstWidth, call.planar ? 1 : job.pixelStep, q14, true, cols.offsets, cols.weights);
    job.rowOffsets = rows.offsets;
    job.colOffsets = cols.offsets;
    job.rowWeights = rows.weights;
    job.colWeights = cols.weights;
    if (!AllocBuffers(call, blocks, job)) {
        return false;
    }
    return call.method != InterpLanczos ||
           (AllocLanczosWeights(variant, blocks, job) && AllocLanczosExtras(variant, call, blocks, job));
}

} // namespace

LibStatus ResizeCoreRun(const ResizeVariant& variant, const void* pSrc, ImageSize srcSize, int srcStep,
                        ImageRect srcRoi, void* pDst, int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor,
                        double xShift, double yShift, int pixelStep, int channels, int pixelType, int planar,
                        int interpolation, int factorMode)
{
    LibStatus status = CheckCoreArguments(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor,
                                          pixelStep, channels, pixelType, planar, interpolation);
    if (status != StatusOk) {
        return status;
    }
    CoreCall call = {FallBackMethod(interpolation, srcSize), pixelType, channels, planar, factorMode ? 1 : 0};
    ImageRect region = ResizeClipRegion(srcSize, srcRoi);
    ResizeAxisWalker colWalker({region.x, region.width, srcSize.width, xFactor, xShift}, call.method, call.factorMode);
    ResizeAxisWalker rowWalker({region.y, region.height, srcSize.height, yFactor, yShift}, call.method,
                               call.factorMode);

    int elementSize = ResizeElementSize(pixelType);
    ResizeJob job = {};
    job.srcStep = srcStep / elementSize;
    job.dstStep = dstStep / elementSize;
    job.dstWidth = colWalker.Extent(dstRoiSize.width);
    job.dstHeight = rowWalker.Extent(dstRoiSize.height);
    job.srcLeft = region.x;
    job.srcTop = region.y;
    job.srcRightExtent = srcSize.width - region.x;
    job.srcBottomExtent = srcSize.height - region.y;
    job.advanceByOne = call.factorMode ? yFactor >= 1.0 : yFactor < 1.0;
    job.pixelStep = pixelStep;
    job.channels = channels;

    ResizeBlockList blocks;
    if (!PrepareTables(variant, call, rowWalker, colWalker, blocks, job)) {
        return StatusNoMemory;
    }
    RunKernel(variant, call, job, pSrc, pDst, ResizeRegionOffset(region, srcStep, pixelStep, pixelType, planar));
    return StatusOk;
}
