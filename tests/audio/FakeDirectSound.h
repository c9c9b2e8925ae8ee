#pragma once
#include "FakeDevice.h"
#include "audio/DSoundApi.h"
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// Stand-in DirectSound devices behind the driver's function table. Capture buffers
// receive the ramp; every object records what it was asked and can fail as a real
// device does. Installs itself.
class FakeDirectSound : public FakeDevice {
public:
    FakeDirectSound();
    ~FakeDirectSound();

    // Writes the ramp into the next count capture blocks and signals their events.
    void CaptureBlocks(int count);
    // Signals the output notification of block i, as the playing buffer passes it.
    void SignalOutputBlock(int i);

    struct Device {
        GUID guid;
        std::string name;
    };
    std::vector<Device> devices;
    // Replaces the devices by count of its own, on a system that keeps the GUIDs an enumeration names in a
    // table of tableSize (0: none) and says so through its function table.
    void NameDevices(int count, int tableSize);
    int guidTableSize = 0;
    // Models a system whose released capture objects keep their last buffer's memory, and says so.
    void LeakReleasedCapture();
    // Models a sound server that went away and came back: the capture objects made before make no buffer.
    void RestartServer() { serverRuns++; }
    std::atomic<int> serverRuns{0};
    std::atomic<int> captureCreates{0}, leakedBytes{0};
    std::atomic<int> tableOverruns{0}; // devices named past the table's end
    bool enumerateFails = false;
    HRESULT captureCreateResult = S_OK;
    HRESULT streamingCreateResult = S_OK;
    int failLockAfter = -1; // Lock calls that succeed before every later one fails
    std::atomic<bool> failWait{false};
    std::atomic<bool> lost{false};
    int restoreLostReplies = 0; // Restore answers DSERR_BUFFERLOST this many times (-1: always)

    std::atomic<int> liveObjects{0}, lockCalls{0}, restoreCalls{0}, waits{0};
    GUID lastGuid = {};
    bool createdWithNull = false;
    DSCBUFFERDESC captureDesc = {};
    WAVEFORMATEX captureFormat = {}, primaryFormat = {};
    DSBUFFERDESC streamingDesc = {};
    std::vector<DSBPOSITIONNOTIFY> positions;
    std::vector<DWORD> lockOffsets;
    std::vector<char> memory; // the capture or streaming buffer's bytes
    DWORD playFlags = 0;
    int setPositionCalls = 0;
    DWORD cooperativeLevel = 0;

    std::mutex lock;
    int64_t frame = 0;
    int nextBlock = 0;
    std::atomic<HANDLE> wake{nullptr}; // the device thread's wake event, first in its wait

private:
    bool ProduceBlock() override;
    void WakeDriver() override;
    DSoundApi m_api;
};

extern FakeDirectSound* fakeDirectSound;
