#pragma once
#include <cstdint>

#include "signal/DspTypes.h"

// Real FFT specification. Built once by the set-up of one processor variant and read-only
// afterwards; its tables are laid out for that variant's kernels only.
struct RealFftSpec {
    int32_t kind;  // kRealFftSpecKind while alive, 0 once released
    int32_t order; // N = 2^order real samples
    int32_t forwardScaled;
    int32_t inverseScaled;
    float scale;
    int32_t hint;      // stored, not used
    int32_t workBytes; // scratch a transform needs, 0 for none
    int32_t* bitRev;
    float* radix4;  // leaf radix-4 twiddles
    float* quarter; // quarter twiddles of a large step without split
    void* reserved;
    float* recombFwd;
    float* recombInv;
    float* levelRadix4[3]; // column twiddles per recursion level
    float* levelMatrix[3]; // twiddle matrices per recursion level
    // The variant whose set-up built the tables, so that a transform entered under another
    // variant hands the call to the owner's body.
    int32_t variant;
    int32_t bitRevIndexForm; // 1: index form of the bit-reversal table, 0: swap list
};

namespace dsp {

constexpr int32_t kRealFftSpecKind = 6;
constexpr int kFftMaxOrder = 30;
constexpr int kFftSmallOrderMax = 3; // orders 0..3 run fixed kernels, no tables

} // namespace dsp
