#pragma once
// What the resize core hands to a row loop of its kernel table, and what the supersampling
// driver hands to its kernels. Steps are in elements for row loops, in bytes for supersampling.
#include <cstdint>

struct ResizeJob {
    const void* src; // first element of the region
    void* dst;
    int srcStep;
    int dstStep;
    int dstWidth;
    int dstHeight;
    const int32_t* rowOffsets; // source row index x srcStep
    const int32_t* colOffsets; // source column index x pixelStep (index alone for one channel)
    const void* rowWeights;    // Q14 weights, float fractions or six Lanczos weights per row
    const void* colWeights;    // Q14 pairs, float fractions or six Lanczos weights per column
    void* buffers[6];
    // Four-channel Lanczos rows of the vector variants (see LanczosExtras), else null: every
    // column weight four times over; six rows for the horizontal sums widened to double, and
    // one source row's samples as floats (srcRightExtent + 2 pixels).
    const float* colWeightsBroadcast;
    double* wideRows[6];
    float* wideSource;
    int srcLeft;         // image columns left of the region
    int srcTop;          // image rows above the region
    int srcRightExtent;  // image width - region x
    int srcBottomExtent; // image height - region y
    int advanceByOne;    // rows never advance by more than one source row
    int pixelStep;
    int channels;
};

using ResizeRowLoop = void (*)(const ResizeJob& job);

constexpr int kResizeKernelCount = 27;

// The core's table rows; index = row * 3 + pixel type.
enum ResizeKernelRow : int {
    RowLanczosC3C4 = 0,
    RowLanczosC1 = 1,
    RowCubicC3C4 = 2,
    RowCubicC1 = 3,
    RowLinearC3C4 = 4,
    RowLinearC1 = 5,
    RowNearestC3 = 6,
    RowNearestC1 = 7,
    RowNearestC4 = 8,
};

enum SuperMode : int {
    SuperIntegerSteps = 0,
    SuperFractionalRows = 1,
    SuperFractionalColumns = 2,
    SuperFractionalBoth = 3,
};

struct SuperJob {
    const void* src; // first pixel of the clipped region
    void* dst;
    int srcStep;       // bytes
    int dstStep;       // bytes
    int srcWidthUsed;  // columns the kernel may read
    int srcHeightUsed; // rows the kernel may read
    int dstWidth;
    int dstHeight;
    double xStep;
    double yStep;
    double area;
    int pixelStep; // three-channel kernels only
    int mode;
    void* accumulator; // one row: srcWidthUsed x slots per pixel, 32-bit cells
};

using SuperKernel = void (*)(const SuperJob& job);

// Super kernels per variant: index = pixel type * 3 + layout (0 one channel, 1 three, 2 four).
constexpr int kSuperKernelCount = 9;

// What a variant's four-channel Lanczos rows take beyond the row buffers: the vector variants
// multiply whole pixels by broadcast column weights, and those that sum the vertical pass of
// integer samples in double widen each filtered row once rather than for each of the up to six
// output rows that read it, and each source sample once rather than for each of its taps.
enum LanczosExtras : int {
    LanczosExtrasNone = 0,
    LanczosExtrasBroadcast = 1,
    LanczosExtrasBroadcastWide = 2,
};

using LanczosWeightsFn = void (*)(const float* fractions, int count, float* weights);

// What distinguishes one processor variant of the core and the supersampling driver.
struct ResizeVariant {
    const ResizeRowLoop* kernels;
    LanczosWeightsFn lanczosWeights;
    const SuperKernel* superKernels;
    LanczosExtras lanczosExtras;
};
