#include "audio/PcmFormat.h"
#include <cstdint>

WAVEFORMATEX PcmFormat(const AudioDriverSettings& settings)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = (WORD)settings.channels;
    format.nSamplesPerSec = settings.sampleRate;
    format.wBitsPerSample = (WORD)settings.bits;
    format.nBlockAlign = (WORD)(settings.channels * settings.bits / 8);
    // Unsigned 64 bits: a product of rate, channels and bits past 2^31 must not wrap before the division.
    format.nAvgBytesPerSec =
        (DWORD)((uint64_t)(DWORD)settings.sampleRate * (DWORD)settings.channels * (DWORD)settings.bits / 8);
    return format;
}
