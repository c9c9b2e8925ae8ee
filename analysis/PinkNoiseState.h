#pragma once
#include <cstdint>

// Row state of a multi-row (Voss-McCartney) pink-noise generator.
struct PinkNoiseState {
    static constexpr int kMaxRows = 30;

    int32_t rows[kMaxRows];
    int32_t runningSum;
    int32_t counter;
    int32_t mask;
    float scale;
};

// rows is limited to 0..30; false for a null state.
bool InitPinkNoise(PinkNoiseState* state, int rows);
