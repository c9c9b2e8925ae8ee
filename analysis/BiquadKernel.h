#pragma once
// Block kernels of CBiquadCascade, one per processor variant (BiquadKernel.cpp
// is plain x87 code, BiquadKernel_sse2.cpp scalar SSE2), computing the same
// operations in the same order.
//
// The sections run in direct form I, in steps that give each section its own
// sample (see BiquadKernel.inl), so the processor overlaps the sections'
// feedback chains; the result is that of every sample passing all sections
// in turn. Section s
// reads coefficients[5s..5s+4] = b0, b1, b2, a1, a2 (divided by a0). The
// histories are shared: history[2s], history[2s+1] hold the last two inputs of
// section s, which are the last two outputs of section s - 1, so a cascade of
// n sections keeps 2n + 2 values. Input and output may be the same buffer.
struct BiquadBlock {
    const double* coefficients;
    double* history;
    int sections;
    float outputGain;
};

constexpr int kBiquadPairMaxSections = 8;

void BiquadRunGeneric(const BiquadBlock& block, const float* input, float* output, int count);
void BiquadRunSse2(const BiquadBlock& block, const float* input, float* output, int count);
// Two cascades of the same section count (at most kBiquadPairMaxSections) on
// one input, one in each lane of the SSE2 registers; each output equals what
// BiquadRunSse2 gives (band-pass sections skip their products by 1 and 0,
// which changes no output). The outputs may not overlap the input.
void BiquadRunPairSse2(const BiquadBlock& a, const BiquadBlock& b, const float* input, float* outputA, float* outputB,
                       int count);
