#include "app/CInputWatch.h"
#include "common/CTickSource.h"
#include <algorithm>

namespace {
const int64_t kMsPerSecond = 1000;
// Tick differences are unsigned: a longer quiet time could not be told apart
// from a block that came just now.
const int64_t kLongestQuietMs = UINT32_MAX / 2;
} // namespace

CInputWatch::CInputWatch(CTickSource* ticks)
    : m_ticks(ticks ? ticks : CTickSource::System()), m_blocks(0), m_seenBlocks(0), m_lastBlockTime(0),
      m_quietMs(kQuietMs), m_state(InputState::Stopped)
{}

void CInputWatch::SetBlockSize(int frames, int sampleRate)
{
    const int64_t blockMs = sampleRate > 0 && frames > 0 ? int64_t(frames) * kMsPerSecond / sampleRate : 0;
    m_quietMs = uint32_t(std::clamp<int64_t>(blockMs * kQuietBlocks, kQuietMs, kLongestQuietMs));
}

InputState CInputWatch::Check()
{
    const uint32_t now = m_ticks->Now();
    const uint32_t blocks = m_blocks.load(std::memory_order_relaxed);
    if (blocks != m_seenBlocks) {
        m_seenBlocks = blocks;
        m_lastBlockTime = now;
        m_state = InputState::Live;
    } else if (now - m_lastBlockTime >= m_quietMs) { // unsigned: safe across the wrap
        m_state = InputState::Stopped;
    }
    return m_state;
}

void CInputWatch::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}
