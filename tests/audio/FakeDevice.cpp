#include "FakeDevice.h"
#include <windows.h>

int16_t FakeDevice::Sample(int c, int64_t n)
{
    uint16_t v = (uint16_t)(n * 7 + 3);
    return (int16_t)(c == 0 ? v : (uint16_t)~v);
}

void FakeDevice::WriteRamp(int16_t* pcm, int frames, int64_t* frame)
{
    for (int f = 0; f < frames; f++, (*frame)++) {
        pcm[2 * f] = Sample(0, *frame);
        pcm[2 * f + 1] = Sample(1, *frame);
    }
}

void FakeDevice::WriteSignal(int16_t* pcm, int frames, int64_t* frame) const
{
    if (!signal) {
        WriteRamp(pcm, frames, frame);
        return;
    }
    for (int f = 0; f < frames; f++, (*frame)++) {
        pcm[2 * f] = signal(0, *frame);
        pcm[2 * f + 1] = signal(1, *frame);
    }
}

bool FakeDevice::CarryTheRamp(const std::vector<std::vector<char>>& blocks, size_t blockBytes)
{
    int64_t frame = 0;
    for (const auto& block : blocks) {
        if (block.size() != blockBytes)
            return false;
        auto* pcm = (const int16_t*)block.data();
        for (size_t f = 0; f < blockBytes / 4; f++, frame++)
            if (pcm[2 * f] != Sample(0, frame) || pcm[2 * f + 1] != Sample(1, frame))
                return false;
    }
    return true;
}

void FakeDevice::StartStreaming()
{
    m_streaming = true;
    m_producer = std::thread([this] {
        while (m_streaming)
            Sleep(ProduceBlock() ? 0 : 1);
    });
}

void FakeDevice::StopStreaming()
{
    m_streaming = false;
    if (m_producer.joinable())
        m_producer.join();
}

DWORD FakeDevice::Now()
{
    clockReads++;
    return m_clock;
}

void FakeDevice::Advance(DWORD ms)
{
    m_clock += ms;
    WakeDriver();
}
