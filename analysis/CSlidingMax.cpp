#include "analysis/CSlidingMax.h"
#include <algorithm>

CSlidingMax::CSlidingMax() : m_span(0), m_segmentMax(), m_segmentCountdown(), m_segmentCount(0), m_currentMax(0)
{}

void CSlidingMax::Init(int segments, int span)
{
    m_segmentCount = std::min(std::max(segments, 0), kMaxSegments);
    m_currentMax = 0;
    m_span = span;
    if (m_segmentCount < 1)
        return;
    const int step = span / m_segmentCount;
    for (int i = 0; i < m_segmentCount; ++i) {
        m_segmentMax[i] = 0;
        m_segmentCountdown[i] = i * step;
    }
}

void CSlidingMax::Update(int32_t value, int elapsed)
{
    m_currentMax = 0;
    int longest = -1;
    for (int i = 0; i < m_segmentCount; ++i) {
        m_segmentMax[i] = std::max(m_segmentMax[i], value);
        m_segmentCountdown[i] -= elapsed;
        if (m_segmentCountdown[i] < 0) {
            // The restarted segment forgets this block's value as well.
            m_segmentMax[i] = 0;
            m_segmentCountdown[i] += m_span;
            // A block longer than the span would leave the countdown negative and restart it on every update.
            if (m_segmentCountdown[i] < 0 && m_span > 0)
                m_segmentCountdown[i] = m_span - 1 - (-m_segmentCountdown[i] - 1) % m_span;
        }
        if (longest < 0 || m_segmentCountdown[i] > m_segmentCountdown[longest])
            longest = i;
        m_currentMax = std::max(m_currentMax, m_segmentMax[i]);
    }
    KeepLongBlockPeak(value, elapsed, longest);
}

void CSlidingMax::KeepLongBlockPeak(int32_t value, int elapsed, int longest)
{
    // A block longer than a segment can restart every segment at once; its own peak then stays in the
    // segment that runs longest, or the hold would read nothing while the block was loud.
    if (longest < 0 || value <= m_currentMax || elapsed <= m_span / m_segmentCount)
        return;
    m_segmentMax[longest] = value;
    m_currentMax = value;
}
