#include "audio/StallWatch.h"
#include "audio/CAudioDriver.h"
#include <algorithm>
#include <cstdint>

namespace {

// Longer than any pause of a live device on a busy machine.
const DWORD kStallFloorMs = 3000;
// A device that hands its blocks over in bursts still hands one over each ring; a big ring at a slow rate
// is slow, not silent.
const uint64_t kStallRings = 4;
const uint64_t kMsPerSecond = 1000;

DWORD LimitMs(const AudioDriverSettings& s)
{
    // The audio interface refuses slower rates; a driver opened without it is judged at the slowest.
    uint64_t rate = (uint64_t)std::max(s.sampleRate, (int)AudioMinSampleRate);
    uint64_t ringMs = (uint64_t)s.bufferCount * (uint64_t)s.bufferFrames * kMsPerSecond / rate;
    return (DWORD)std::max<uint64_t>(kStallFloorMs, kStallRings * ringMs);
}

} // namespace

StallWatch::StallWatch(const AudioDriverSettings& settings, DWORD now) : m_limitMs(LimitMs(settings)), m_lastBlock(now)
{}

bool StallWatch::Stalled(bool handedOn, DWORD now)
{
    if (handedOn) {
        m_lastBlock = now;
        return false;
    }
    return now - m_lastBlock >= m_limitMs; // unsigned: right across the wrap of the tick count
}

int StallWatch::LimitSeconds() const
{
    return (int)(m_limitMs / kMsPerSecond);
}
