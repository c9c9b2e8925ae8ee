#pragma once
#include "analysis/OnePoleCascade.h"
#include <atomic>
#include <cstdint>

struct AnalyserSettings;
struct PaneFlags;
class CLoudnessMeter;
class CRtaPanel;
class CScopeSignalPath;
class CSettingsApplier;

// What the capture thread does with every block: input gain, DC block, the
// chosen channel into the RTA panel's ring, both channels into the loudness
// meter, and each channel into its oscilloscope path.
//
// Threads: Process runs on the capture thread; everything else on the GUI
// thread. Process takes no lock of its own (the ring, the meter and the scope
// paths guard themselves) and allocates nothing. What it reads of the GUI
// side are single aligned values, each loaded once per block: the Q12 gain
// (the applier's), cp.iDCBlock and cp.rta_channel (the settings record's
// cells, written whole by the GUI thread) and the three active flags set here.
// A change so takes effect at a block boundary, never inside a block.
// ResetDcBlockers only while no block is delivered (before opening).
//
// The analysers and sources belong to the owner and outlive this object.
class AnalyserInput {
public:
    static constexpr int kScopeGainQ12 = 3700; // a little below unity

    struct Analysers {
        CRtaPanel* rta;
        CLoudnessMeter* loudness;
        CScopeSignalPath* scope1; // the left channel
        CScopeSignalPath* scope2; // the right channel
    };

    AnalyserInput(const Analysers& analysers, const AnalyserSettings& settings, const CSettingsApplier& gain);
    AnalyserInput(const AnalyserInput&) = delete;
    AnalyserInput& operator=(const AnalyserInput&) = delete;

    void ResetDcBlockers();
    // Which of the RTA and the two scopes are fed; the loudness meter always is.
    void SetActivePanes(const PaneFlags& flags);
    bool IsRtaActive() const { return m_rtaActive.load(std::memory_order_relaxed); }
    bool IsScope1Active() const { return m_scope1Active.load(std::memory_order_relaxed); }
    bool IsScope2Active() const { return m_scope2Active.load(std::memory_order_relaxed); }

    // channels[0] left, channels[1] right, frames samples each at 16-bit
    // scale; changed in place. A null channel or no frames does nothing.
    void Process(int32_t* const* channels, int frames);

    // (x * (gain >> 4)) >> 8, in steps of 1/256; held to the int range, so a
    // hand-edited gain saturates instead of wrapping.
    static void ApplyGain(int32_t* samples, int count, int gainQ12);

private:
    Analysers m_analysers;
    const AnalyserSettings& m_settings;
    const CSettingsApplier& m_gain;
    OnePoleCascade m_dcLeft;
    OnePoleCascade m_dcRight;
    std::atomic<bool> m_rtaActive;
    std::atomic<bool> m_scope1Active;
    std::atomic<bool> m_scope2Active;
};
