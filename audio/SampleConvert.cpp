#include "audio/SampleConvert.h"
#include <climits>

int32_t FloatToSample(float value)
{
    double scaled = (double)value * 32767.0;
    if (scaled != scaled)
        return 0;
    if (scaled >= (double)INT32_MAX)
        return INT32_MAX;
    if (scaled <= (double)INT32_MIN)
        return INT32_MIN;
    return (int32_t)scaled;
}

int ClampFrames(int frames, int bytes, int frameBytes)
{
    if (frameBytes < 1 || bytes < 1)
        return 0;
    int held = bytes / frameBytes;
    return held < frames ? held : frames;
}

void DeinterleaveInt16(const int16_t* src, int32_t** channels, int channelCount, int frames)
{
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channelCount; c++)
            channels[c][f] = *src++;
}

void DeinterleaveFloat(const float* src, int32_t** channels, int channelCount, int frames)
{
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channelCount; c++)
            channels[c][f] = FloatToSample(*src++);
}

void InterleaveInt16(int32_t* const* channels, int16_t* dst, int channelCount, int frames)
{
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channelCount; c++)
            *dst++ = (int16_t)(uint16_t)(uint32_t)channels[c][f];
}

void InterleaveFloat(int32_t* const* channels, float* dst, int channelCount, int frames)
{
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channelCount; c++)
            *dst++ = (float)channels[c][f] * 3.0517578125e-05f;
}
