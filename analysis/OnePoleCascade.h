#pragma once
#include <cstdint>

// One to five integer one-pole low-passes in series on 16-bit samples; the
// coefficient's bits 4..11 are a Q8 factor. A plain record: the input DC
// blocker keeps its state in the first stage.
struct OnePoleCascade {
    static constexpr int kMaxPoles = 5;
    static constexpr int32_t kStateLimit = 8388608;

    int32_t coefficient;
    int32_t poles;
    int32_t state[kMaxPoles];
    int32_t shift;

    void Init(int32_t coefficientValue, int32_t poleCount);
    // Writes nothing unless poles is 1..5; input and output may be one buffer.
    bool Process(const int16_t* in, int16_t* out, int count);
};
