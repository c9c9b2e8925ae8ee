#pragma once
#include <cstdint>

// Holds a loudness window shut for a while once the block peak drops below the
// gate level minus 3 dB; a peak above the level plus 3 dB opens it at once.
class CSilenceGate {
public:
    CSilenceGate();

    void Configure(int levelDb, int holdMs, int sampleRate);
    void Update(int32_t peak, int frames);
    bool IsGated() const { return m_countdown != 0; }

    bool IsEnabled() const { return m_enabled; }
    int32_t GetLowThreshold() const { return m_lowThreshold; }
    int32_t GetHighThreshold() const { return m_highThreshold; }
    int32_t GetHoldSamples() const { return m_holdSamples; }

private:
    bool m_enabled;
    int32_t m_lowThreshold;
    int32_t m_highThreshold;
    int32_t m_holdSamples;
    int32_t m_countdown;
    bool m_counting;
};
