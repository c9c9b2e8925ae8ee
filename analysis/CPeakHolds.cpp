#include "analysis/CPeakHolds.h"
#include "analysis/PeakHold.h"
#include <algorithm>

CPeakHolds::CPeakHolds() : m_holdA(0), m_holdB(0)
{}

void CPeakHolds::SetSpans(const LoudnessConfig& config)
{
    m_slidingA.Init(4, config.slidingSpanA);
    m_slidingB.Init(4, config.slidingSpanB);
}

void CPeakHolds::Update(int32_t peak, int frames, const LoudnessConfig& config)
{
    m_slidingA.Update(peak, frames);
    m_slidingB.Update(peak, frames);
    m_holdA = std::max(DecayHold(m_holdA, config.decayA, frames), m_slidingA.GetMax());
    m_holdB = std::max(DecayHold(m_holdB, config.decayB, frames), m_slidingB.GetMax());
}
