#pragma once
#include <cstdint>

// Peak-hold arithmetic shared by the engine and its channels.

// Falls by decay/16384 once per whole 64 samples of the block; the remainder
// is not carried over.
int32_t DecayHold(int32_t hold, int32_t decay, int frames);
// The clip time, or 0 (none) once it is more than 10 s old.
uint32_t ForgetOldClip(uint32_t clipTime, uint32_t now);
// 100 x 20 log10(p / 32768), floored at LoudnessReading::kFloor; 0 gives the floor.
int16_t PeakLevel(int32_t p);
// 100 x 10 log10(P / 2^24), floored likewise; 0 or less gives the floor.
int16_t PowerLevel(int64_t power);
