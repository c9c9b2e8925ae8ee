#pragma once
#include "FakeDevice.h"
#include "audio/WaveApi.h"
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// A stand-in wave device behind the Wave driver's function table. Input buffers are
// filled with the ramp, either on request (Complete) or by the producer thread
// (StartStreaming); frames count from 0 at open. Installs itself on construction.
class FakeWaveDevice : public FakeDevice {
public:
    FakeWaveDevice();
    ~FakeWaveDevice();

    // Finishes up to count queued input buffers; returns how many were finished.
    int Complete(int count);
    int QueuedBuffers();

    int failPrepareAt = -1;  // the prepare call with this number (from 0) fails
    int failQueueAfter = -1; // once this many buffers were queued, the device is gone
    bool refuseOpen = false;
    bool omitTerminator = false;
    DWORD overReport = 0; // bytes a misbehaving device claims past each input buffer's length

    std::atomic<int> opens{0}, closes{0}, prepares{0}, unprepares{0}, unpreparedWithoutData{0};
    std::atomic<int> queueCalls{0}, closeWhileQueued{0};
    WAVEFORMATEX lastFormat = {};
    UINT lastDevice = 0;
    std::vector<int16_t> lastOutput;

private:
    friend struct FakeWaveCalls;
    void FinishHead();
    bool ProduceBlock() override;
    void WakeDriver() override;

    std::mutex m_lock;
    std::deque<WAVEHDR*> m_queue;
    HANDLE m_event = 0;
    bool m_started = false;
    bool m_input = true;
    int64_t m_frame = 0;
    WaveApi m_api;
};
