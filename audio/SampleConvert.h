#pragma once
#include <cstdint>

// Conversions between interleaved device blocks and planar 32-bit channels at
// 16-bit scale (full scale 32768).

// Float sample times 32767, truncated toward zero; NaN gives 0 and values past
// the 32-bit range saturate.
int32_t FloatToSample(float value);
// The frames a block of the given bytes really holds, at most frames.
int ClampFrames(int frames, int bytes, int frameBytes);

void DeinterleaveInt16(const int16_t* src, int32_t** channels, int channelCount, int frames);
void DeinterleaveFloat(const float* src, int32_t** channels, int channelCount, int frames);
// Keeps the low 16 bits of every sample (wraps, no clipping).
void InterleaveInt16(int32_t* const* channels, int16_t* dst, int channelCount, int frames);
// Scales by 1/32768.
void InterleaveFloat(int32_t* const* channels, float* dst, int channelCount, int frames);
