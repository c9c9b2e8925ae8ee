#include "audio/AudioDriverSettings.h"

AudioDriverSettings::AudioDriverSettings()
    : size(sizeof(AudioDriverSettings)), deviceName("Default Device"), sampleRate(0), channels(0), outputChannels(0),
      repeatChannels(false), bufferFrames(0), bufferCount(0), fifoFrames(0), interleaved(0), bits(16),
      prefillOutput(false)
{}

void AudioDriverSettings::Clear()
{
    deviceName.clear();
    sampleRate = channels = outputChannels = 0;
    bufferFrames = bufferCount = fifoFrames = interleaved = bits = 0;
    repeatChannels = prefillOutput = false;
}
