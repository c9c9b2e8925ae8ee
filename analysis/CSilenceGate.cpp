#include "analysis/CSilenceGate.h"
#include <cmath>

CSilenceGate::CSilenceGate()
    : m_enabled(true), m_lowThreshold(0), m_highThreshold(0), m_holdSamples(0), m_countdown(0), m_counting(false)
{}

void CSilenceGate::Configure(int levelDb, int holdMs, int sampleRate)
{
    if (levelDb <= -90 || levelDb == 0) {
        m_enabled = false;
        return;
    }
    m_enabled = true;
    m_lowThreshold = static_cast<int32_t>(std::pow(10.0, (levelDb - 3) * 0.05) * 32768.0);
    m_highThreshold = static_cast<int32_t>(std::pow(10.0, (levelDb + 3) * 0.05) * 32768.0);
    m_holdSamples = static_cast<int32_t>(static_cast<int64_t>(holdMs) * sampleRate / 1000);
    m_countdown = 0;
    m_counting = false;
}

void CSilenceGate::Update(int32_t peak, int frames)
{
    if (!m_enabled) {
        m_counting = false;
        m_countdown = 0;
        return;
    }
    if (!m_counting) {
        if (peak < m_lowThreshold) {
            m_countdown = m_holdSamples;
            m_counting = true;
        }
        return;
    }
    m_countdown -= frames;
    if (m_countdown < 0)
        m_countdown = 0;
    if (peak > m_highThreshold) {
        m_counting = false;
        m_countdown = 0;
    }
}
