#pragma once
#include "analysis/CSlidingMax.h"
#include "analysis/LoudnessConfig.h"
#include <cstdint>

// Peak holds A and B of a channel or of the whole engine: each the larger of
// its decaying hold and the sliding maximum over its span.
class CPeakHolds {
public:
    CPeakHolds();

    // New spans; the holds themselves are kept.
    void SetSpans(const LoudnessConfig& config);
    void Clear() { m_holdA = m_holdB = 0; }
    void Update(int32_t peak, int frames, const LoudnessConfig& config);
    int32_t GetA() const { return m_holdA; }
    int32_t GetB() const { return m_holdB; }

private:
    CSlidingMax m_slidingA, m_slidingB;
    int32_t m_holdA, m_holdB;
};
