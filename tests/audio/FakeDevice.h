#pragma once
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>
#include <windows.h>

// What the stand-in devices share: the known 16-bit stereo ramp they capture,
// and a producer thread that delivers blocks as a running device does.
class FakeDevice {
public:
    // Sample of channel c at frame n of a capture (frames count from 0 at its start).
    static int16_t Sample(int c, int64_t n);
    // Writes frames of the ramp as interleaved stereo, continuing at *frame.
    static void WriteRamp(int16_t* pcm, int frames, int64_t* frame);
    // True when the blocks, blockBytes each, carry the ramp from frame 0 on, in order.
    static bool CarryTheRamp(const std::vector<std::vector<char>>& blocks, size_t blockBytes);

    // Writes frames of what this device captures: the ramp unless signal is set.
    void WriteSignal(int16_t* pcm, int frames, int64_t* frame) const;

    void StartStreaming();

    int16_t (*signal)(int c, int64_t n) = nullptr; // sample of channel c at frame n
    void StopStreaming();

    // The device's clock (ms). It stands still unless a test moves it, so no pause of a busy machine looks
    // like a silent device; it starts short of the wrap of a tick count, as on a machine up for 49 days.
    DWORD Now();
    // Moves the clock on and wakes the device thread to look at it.
    void Advance(DWORD ms);
    std::atomic<int> clockReads{0};

protected:
    FakeDevice() = default;
    // A derived device stops the stream in its own destructor, while ProduceBlock still has its object.
    ~FakeDevice() = default;
    // Delivers the next block where there is room for one; true when another may follow at once.
    virtual bool ProduceBlock() = 0;
    virtual void WakeDriver() = 0;

private:
    std::atomic<DWORD> m_clock{0xFFFFFFFFu - 10000};
    std::atomic<bool> m_streaming{false};
    std::thread m_producer;
};
