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
    // While held, the calls that ask the sound system (the count, the names, the open, the close) wait, as every wave
    // function does while the first one waits for a sound server that never answers. A held call goes on
    // by itself after kHoldLimitMs, so a fault that waits for it fails its test instead of hanging it.
    void Hold();
    void Release();
    static const DWORD kHoldLimitMs = 10000;
    std::atomic<int> waitingCalls{0}, heldCalls{0}; // waiting now; ever held

    int failPrepareAt = -1;  // the prepare call with this number (from 0) fails
    int failQueueAfter = -1; // once this many buffers were queued, the device is gone
    UINT devices = 2;        // listed in each direction
    bool refuseOpen = false;
    MMRESULT openAnswer = MMSYSERR_NOERROR; // what every open answers, when not success
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
    void WaitWhileHeld();

    std::mutex m_lock;
    std::deque<WAVEHDR*> m_queue;
    HANDLE m_event = 0;
    HANDLE m_released; // set while not held
    bool m_started = false;
    bool m_input = true;
    int64_t m_frame = 0;
    WaveApi m_api;
};
