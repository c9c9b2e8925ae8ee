#pragma once
#include <cstdint>

// Largest value over roughly the last span of samples, kept by up to eight
// staggered segments that each restart once per span: constant work per block
// and no per-sample history.
class CSlidingMax {
public:
    static constexpr int kMaxSegments = 8;

    CSlidingMax();

    void Init(int segments, int span);
    void Update(int32_t value, int elapsed);
    int32_t GetMax() const { return m_currentMax; }

private:
    void KeepLongBlockPeak(int32_t value, int elapsed, int longest);

    int32_t m_span;
    int32_t m_segmentMax[kMaxSegments];
    int32_t m_segmentCountdown[kMaxSegments];
    int32_t m_segmentCount;
    int32_t m_currentMax;
};
