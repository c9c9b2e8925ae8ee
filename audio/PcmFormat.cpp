#include "audio/PcmFormat.h"

WAVEFORMATEX PcmFormat(const AudioDriverSettings& settings)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = (WORD)settings.channels;
    format.nSamplesPerSec = settings.sampleRate;
    format.wBitsPerSample = (WORD)settings.bits;
    format.nBlockAlign = (WORD)(settings.channels * settings.bits / 8);
    format.nAvgBytesPerSec = settings.sampleRate * settings.channels * settings.bits / 8;
    return format;
}
