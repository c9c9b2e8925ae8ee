#include "analysis/CBandToneTable.h"
#include "analysis/CBandBank.h"
#include <cmath>

namespace {
const double kPi = 3.14159265358979323846;
const double kFullScale = 2097152.0;   // 2^21
const double kPeriodUnits = 4194304.0; // 2^22
const double kHighestTone = 0.475;     // of the sample rate
} // namespace

CBandToneTable::CBandToneTable() : m_sine(nullptr), m_phase(), m_increment(), m_bandCount(0)
{
    m_sine = reinterpret_cast<int32_t*>(m_sineBlock.Resize((kSteps + 1) * static_cast<int>(sizeof(int32_t))));
    if (!m_sine)
        return;
    for (int i = 0; i <= kSteps; ++i)
        m_sine[i] = static_cast<int32_t>(std::sin(2.0 * kPi * i / kSteps) * kFullScale);
}

CBandToneTable::~CBandToneTable() = default;

void CBandToneTable::Setup(int resolution, int sampleRate)
{
    CBandBank bank;
    bank.Build(resolution, 0.0);
    m_bandCount = bank.GetBandCount();
    if (sampleRate <= 0)
        return;
    for (int i = 0; i < m_bandCount; ++i) {
        const double centre = bank.GetBand(i).centre;
        m_increment[i] =
            centre > kHighestTone * sampleRate ? 0 : static_cast<int32_t>(centre * kPeriodUnits / sampleRate);
    }
}

int32_t CBandToneTable::GetIncrement(int band) const
{
    return band >= 0 && band < kMaxBands ? m_increment[band] : 0;
}

int32_t CBandToneTable::GetPhase(int band) const
{
    return band >= 0 && band < kMaxBands ? m_phase[band] : 0;
}
