#pragma once
#include <cstdint>

// One reading of the loudness engine. Levels and peaks are hundredths of a dB
// relative to full scale; column 0 is the power sum (overall for peaks and
// lamps), columns 1..8 the channels.
struct LoudnessReading {
    static constexpr int kRows = 4;
    static constexpr int kColumns = 9;
    static constexpr int16_t kFloor = -14400;

    uint32_t stamp; // 0 in the history; the reader's copy gets the write position
    uint32_t reserved[2];
    int16_t level[kRows][kColumns];
    int16_t peakA[kColumns];
    int16_t peakB[kColumns];
    uint8_t clipLamp[kColumns];
};
