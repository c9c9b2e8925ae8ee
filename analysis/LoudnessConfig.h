#pragma once
#include <cstdint>

// Settings of the loudness and level engine; the constructor holds the
// application's values (all gates off, window 3 off).
struct LoudnessConfig {
    static constexpr int kWindows = 4;
    static constexpr int kMaxChannels = 8;
    static constexpr int32_t kIntegrated = -1;

    int32_t decayA; // Q14 per 64 samples
    int32_t decayB;
    int32_t slidingSpanA; // samples
    int32_t slidingSpanB;
    int32_t sampleRate;
    int32_t channelCount;
    int32_t windowMs[kWindows];    // > 0 moving, -1 integrated, 0 off
    int32_t gateLevelDb[kWindows]; // <= -90 or 0: gate off
    int32_t gateHoldMs[kWindows];
    int32_t historyLength;
    int32_t clipRunLength;

    LoudnessConfig();
};
