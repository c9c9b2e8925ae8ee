#pragma once
#include <string>

// What CAudioInterface::Open hands to its driver; every driver keeps a copy.
struct AudioDriverSettings {
    AudioDriverSettings();
    // Closed state of the audio interface's copy: empty name, every number zero.
    void Clear();

    int size;
    std::string deviceName;
    int sampleRate;
    int channels;        // interleaved channels per device frame, at most 32
    int outputChannels;  // Kernel Streaming output only; 0 = as channels
    bool repeatChannels; // Kernel Streaming output only
    int bufferFrames;    // frames per device block
    int bufferCount;     // device buffers queued by the driver
    int fifoFrames;      // 0 = no FIFO
    int interleaved;     // 0 = planar delivery
    int bits;            // 16 = signed 16-bit PCM, 32 = float
    bool prefillOutput;  // output only: fill the initial buffers before starting
};
