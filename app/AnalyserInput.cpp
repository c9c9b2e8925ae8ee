#include "app/AnalyserInput.h"
#include "analysis/CLoudnessMeter.h"
#include "analysis/CScopeSignalPath.h"
#include "analysis/DcBlockQ12.h"
#include "analysis/Saturate.h"
#include "app/AnalyserSettings.h"
#include "app/CSettingsApplier.h"
#include "app/PaneLayout.h"
#include "app/views/CRtaPanel.h"

namespace {
const int kGainStepShift = 4; // the gain's low bits are dropped: steps of 1/256
const int kProductShift = 8;
const int kStereo = 2;
const int kScopeDelay = 0;

// A settings cell the GUI thread writes whole, read once per block.
int ReadCell(const int& cell)
{
    return __atomic_load_n(&cell, __ATOMIC_RELAXED);
}
} // namespace

AnalyserInput::AnalyserInput(const Analysers& analysers, const AnalyserSettings& settings, const CSettingsApplier& gain)
    : m_analysers(analysers), m_settings(settings), m_gain(gain), m_dcLeft(), m_dcRight(), m_rtaActive(false),
      m_scope1Active(false), m_scope2Active(false)
{
    ResetDcBlockers();
}

void AnalyserInput::ResetDcBlockers()
{
    m_dcLeft.Init(0, 0);
    m_dcRight.Init(0, 0);
}

void AnalyserInput::SetActivePanes(const PaneFlags& flags)
{
    m_rtaActive.store(flags.rtaActive, std::memory_order_relaxed);
    m_scope1Active.store(flags.scope1Active, std::memory_order_relaxed);
    m_scope2Active.store(flags.scope2Active, std::memory_order_relaxed);
}

void AnalyserInput::ApplyGain(int32_t* samples, int count, int gainQ12)
{
    const int64_t factor = gainQ12 >> kGainStepShift;
    for (int i = 0; i < count; ++i)
        samples[i] = SaturateInt32((samples[i] * factor) >> kProductShift);
}

void AnalyserInput::Process(int32_t* const* channels, int frames)
{
    if (!channels || !channels[0] || !channels[1] || frames < 1)
        return;
    int32_t* left = channels[0];
    int32_t* right = channels[1];
    const int gain = m_gain.GetInputGainQ12();
    if (gain != CSettingsApplier::kUnityGainQ12) {
        ApplyGain(left, frames, gain);
        ApplyGain(right, frames, gain);
    }
    if (ReadCell(m_settings.iDCBlock)) {
        DcBlockQ12(&m_dcLeft, left, frames);
        DcBlockQ12(&m_dcRight, right, frames);
    }
    if (m_rtaActive.load(std::memory_order_relaxed) && m_analysers.rta)
        m_analysers.rta->Feed(ReadCell(m_settings.rta_channel) == 1 ? right : left, frames);
    if (m_analysers.loudness)
        m_analysers.loudness->Process(channels, kStereo, frames);
    if (m_scope1Active.load(std::memory_order_relaxed) && m_analysers.scope1)
        m_analysers.scope1->Input(left, frames, kScopeGainQ12, kScopeDelay);
    if (m_scope2Active.load(std::memory_order_relaxed) && m_analysers.scope2)
        m_analysers.scope2->Input(right, frames, kScopeGainQ12, kScopeDelay);
}
