#pragma once
#include "audio/WaveApi.h"
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A stand-in wave device behind the Wave driver's function table. Input buffers are
// filled with a known 16-bit stereo ramp, either on request (Complete) or by a
// producer thread (StartStreaming). Installs itself on construction.
class FakeWaveDevice {
public:
    FakeWaveDevice();
    ~FakeWaveDevice();

    // Sample of channel c at frame n of an opened stream (frames count from 0 at open).
    static int16_t Sample(int c, int64_t n);

    // Finishes up to count queued input buffers; returns how many were finished.
    int Complete(int count);
    void StartStreaming();
    void StopStreaming();
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
    void Produce();

    std::mutex m_lock;
    std::deque<WAVEHDR*> m_queue;
    HANDLE m_event = 0;
    bool m_started = false;
    bool m_input = true;
    int64_t m_frame = 0;
    std::atomic<bool> m_streaming{false};
    std::thread m_producer;
    WaveApi m_api;
};
