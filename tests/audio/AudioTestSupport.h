#pragma once
#include "audio/CAudioCallback.h"
#include "audio/CAudioClient.h"
#include "audio/CAudioInterface.h"
#include "FakeDevice.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Polls until the condition holds; false only after limitMs (a minute: a hang, not slowness).
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = 60000);

// Records planar input blocks and checks that their samples continue a known sequence.
class RecordingClient : public CAudioClient {
public:
    using SampleFn = std::function<int32_t(int channel, int64_t frame)>;

    void OnInputPlanar(CAudioInterface* sender, int32_t** channels, int frames) override;
    void OnInputInterleaved(CAudioInterface* sender, void* deviceBuffer, int bytes) override;
    void OnFifoNotify(CAudioInterface* sender) override;

    SampleFn expected; // when set, every sample of both channels is compared with it
    std::atomic<int> blocks{0}, interleavedBlocks{0}, fifoNotes{0}, mismatches{0};
    std::atomic<bool> closed{false};
    std::atomic<int> afterClose{0};
    int64_t nextFrame = 0;
    int lastBytes = 0;
};

// Records the raw blocks a driver hands to its owner.
class RecordingOwner : public CAudioCallback {
public:
    void OnAudioBlock(CAudioDriver* driver, void* deviceBuffer, int bytes) override;

    std::function<void(void*, int)> fill; // called for each block (output prefill)
    std::mutex lock;
    std::vector<std::vector<char>> data;
    std::atomic<int> count{0};
};

// The smallest concrete driver: only the base behaviour, or only the direction of a
// sender, is under test.
class StubDriver : public CAudioDriver {
public:
    explicit StubDriver(bool input) : CAudioDriver(input) {}
    int Open(const AudioDriverSettings*) override { return AudioOpenFailed; }
    int Close() override { return AudioCloseOk; }
    void Reset() override {}
    int IsOpen() override { return 0; }
    int GetLatency() override { return 0; }
    int GetNumDevices() override { return 0; }
    void GetDeviceName(AudioDeviceEntry*, int) override {}
    bool HasFailed() override { return false; }
    void Fail(const char* text) { SetErrorText("%s", text); }
};

std::string ErrorText(const CAudioDriver& driver);
// Makes owner the driver's owner and allows the default device.
void OwnDriver(CAudioDriver& driver, RecordingOwner& owner);

// An input driver of the given type over its stand-in device, owned by a recording owner.
template <class Fake, class Driver>
class DriverTest : public ::testing::Test {
protected:
    DriverTest() : driver(true) { Own(driver); }
    void Own(CAudioDriver& d) { OwnDriver(d, owner); }
    static std::string Error(const CAudioDriver& d) { return ErrorText(d); }

    Fake fake; // first made and last gone: the driver reaches the system through it
    RecordingOwner owner;
    Driver driver;
};

// Opens and closes the interface's stream `cycles` times while the stand-in's blocks flow,
// closing half the time by destroying the driver; each open must see two blocks.
void OpenCloseCycles(CAudioInterface& ai, RecordingClient& client, int typeId, const AudioDriverSettings& s, int cycles,
                     bool restartSequence);

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

// A capture stream over a stand-in device that hands on a few blocks at once, then one block after each
// gap of the device's clock. A stall fails the driver at the first gap, with the text; gaps below the
// limit never fail it, however long the stream runs.
struct StallCase {
    int rate, frames, count;
    DWORD gap;
    const char* text; // null: the stream never stalls
};
const std::vector<StallCase>& StallCases();
void RunStallCase(CAudioDriver& driver, FakeDevice& device, RecordingOwner& owner, const StallCase& c,
                  const std::function<void()>& deliverBlock);

AudioDriverSettings StereoSettings(const char* device, int frames, int count, int bits = 16);
