#pragma once
#include "audio/CAudioCallback.h"
#include "audio/CAudioClient.h"
#include "audio/CAudioInterface.h"
#include <windows.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Polls until the condition holds; false only after a minute (a hang, not slowness).
bool WaitUntil(const std::function<bool()>& condition);

// Records planar input blocks and checks that their samples continue a known sequence.
class RecordingClient : public CAudioClient {
public:
    using SampleFn = std::function<int32_t(int channel, int64_t frame)>;

    void OnInputPlanar(CAudioInterface* sender, int32_t** channels, int frames) override;
    void OnInputInterleaved(CAudioInterface* sender, void* deviceBuffer, int bytes) override;
    void OnFifoNotify(CAudioInterface* sender) override;

    SampleFn expected;           // when set, every sample is compared with it
    int channelCount = 2;
    std::atomic<int> blocks{0}, interleavedBlocks{0}, fifoNotes{0}, mismatches{0};
    std::atomic<bool> closed{false};
    std::atomic<int> afterClose{0};
    std::vector<int32_t> firstFrame;  // channel values of frame 0 of the last block
    int64_t nextFrame = 0;
    int lastBytes = 0;
};

// Records the raw blocks a driver hands to its owner.
class RecordingOwner : public CAudioCallback {
public:
    void OnAudioBlock(CAudioDriver* driver, void* deviceBuffer, int bytes) override;

    std::function<void(void*, int)> fill;  // called for each block (output prefill)
    std::mutex lock;
    std::vector<std::vector<char>> data;
    std::atomic<int> count{0};
};

// A unique .ini path in the temporary folder, deleted by the destructor.
class TempIni {
public:
    TempIni();
    ~TempIni();
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Handle count and busy heap bytes of the process, for leak checks.
struct ResourceUse {
    static ResourceUse Now();
    DWORD handles;
    size_t heapBytes;
};

AudioDriverSettings StereoSettings(const char* device, int frames, int count, int bits = 16);
