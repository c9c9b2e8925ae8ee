#pragma once
#include "audio/AudioDriverSettings.h"
#include "audio/CAudioSink.h"
#include "audio/CKsEngine.h"
#include "audio/KsSettings.h"
#include "tests/audio/KernelStreaming/FakeKsPlatform.h"
#include <atomic>
#include <mutex>
#include <vector>

// The stand-in's capture filter that the engine, driver and interface tests stream from.
const char kPath[] = "\\\\?\\fake#capture";

inline void AddLineIn(CFakeKsPlatform& fake)
{
    fake.filters = {FakeKs::CaptureFilter(kPath, "Line In")};
}

// Stereo 48 kHz settings naming that filter.
inline AudioDriverSettings LineInSettings(int frames, int count)
{
    AudioDriverSettings settings;
    settings.deviceName = "Line In";
    settings.sampleRate = 48000;
    settings.channels = 2;
    settings.bufferFrames = frames;
    settings.bufferCount = count;
    return settings;
}

// Collects every captured packet.
class CRecordingSink : public CAudioSink {
public:
    int accept = 1;
    std::atomic<int> packetsDone{0};
    std::atomic<int> captured{0};
    std::vector<std::vector<short>> packets;
    std::mutex lock;

    void OnPacketDone() override { ++packetsDone; }
    int OnCaptured(CKsEngine*, void* data, int bytes) override
    {
        std::lock_guard<std::mutex> guard(lock);
        const short* samples = (const short*)data;
        packets.emplace_back(samples, samples + bytes / sizeof(short));
        ++captured;
        return accept;
    }
    int OnRender(CKsEngine*, void*, int) override { return 0; }
};

// Settings as the driver builds them, without reading any file.
inline KsSettings EngineSettings(int packetBytes, int packetCount, int fifoBytes = 4096)
{
    KsSettings settings("C:\\no-such-folder\\none.ini");
    settings.outputBufferSize = packetBytes;
    settings.outputBufferCount = packetCount;
    settings.inputBufferSize = fifoBytes;
    return settings;
}

// Waits until the condition holds; a generous bound only keeps a broken build from hanging.
template <class Condition>
bool WaitFor(Condition condition)
{
    for (int i = 0; i < 6000 && !condition(); ++i)
        Sleep(5);
    return condition();
}
