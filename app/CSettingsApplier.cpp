#include "app/CSettingsApplier.h"
#include "app/views/CRtaPanel.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {
const unsigned char kNeverApplied = 0xFE; // no setting's cell holds four of these
const float kDbToExponent = 0.05f;        // single precision, as the gains were always computed
} // namespace

CSettingsApplier::CSettingsApplier() : m_inputGainQ12(kUnityGainQ12)
{
    std::memset(&m_lastApplied, kNeverApplied, sizeof m_lastApplied);
}

void CSettingsApplier::Apply(const AnalyserSettings& settings, CRtaPanel& rta)
{
    if (settings.rta_resolution != m_lastApplied.rta_resolution)
        rta.Configure(settings.rta_resolution ? 1 : 0, kAnalysisRate);
    if (settings.rta_averages != m_lastApplied.rta_averages)
        rta.SetAverages(settings.rta_averages);
    if (settings.iRtaTargetLevel != m_lastApplied.iRtaTargetLevel)
        rta.SetTargetWindow(float(settings.iRtaTargetLevel - kTargetHalfWidthDb),
                            float(settings.iRtaTargetLevel + kTargetHalfWidthDb));
    m_inputGainQ12.store(InputGainQ12(settings.iInputGain), std::memory_order_relaxed);
    m_lastApplied = settings;
}

void CSettingsApplier::NoteRtaSet(const AnalyserSettings& settings)
{
    m_lastApplied.rta_resolution = settings.rta_resolution;
    m_lastApplied.rta_averages = settings.rta_averages;
}

int CSettingsApplier::InputGainQ12(int gainDb)
{
    const double gain = std::pow(10.0, gainDb * double(kDbToExponent)) * kUnityGainQ12;
    return static_cast<int>(std::clamp(gain, double(INT_MIN), double(INT_MAX)));
}
