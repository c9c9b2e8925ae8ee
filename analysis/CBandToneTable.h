#pragma once
#include "common/CMemBlock.h"
#include <cstdint>

// A 1024-step sine (full scale 2^21) with one phase increment per RTA band,
// a tone at each band centre; a period is 2^22 phase units.
class CBandToneTable {
public:
    static constexpr int kMaxBands = 64;
    static constexpr int kSteps = 1024;

    CBandToneTable();
    virtual ~CBandToneTable();

    // resolution as for the band bank; any other gives no bands.
    void Setup(int resolution, int sampleRate);

    int GetBandCount() const { return m_bandCount; }
    int32_t GetIncrement(int band) const;
    int32_t GetPhase(int band) const;
    // kSteps + 1 values; the last repeats the start of the period.
    const int32_t* GetSine() const { return m_sine; }

private:
    CMemBlock m_sineBlock;
    int32_t* m_sine;
    int32_t m_phase[kMaxBands];
    int32_t m_increment[kMaxBands];
    int m_bandCount;
};
