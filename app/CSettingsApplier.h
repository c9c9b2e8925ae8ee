#pragma once
#include "app/AnalyserSettings.h"
#include <atomic>

class CRtaPanel;

// Pushes the analyser settings that changed since the last call into the RTA
// panel and recomputes the input gain; the main window's ApplySettings.
//
// The last-applied copy starts as cells that no setting holds (every byte
// 0xFE), so the first Apply configures the panel whatever was loaded. The
// settings that other readers take straight from the record need no step here.
// Threads: Apply on the GUI thread; the capture thread reads the gain at every
// block, one whole 32-bit value.
class CSettingsApplier {
public:
    static constexpr int kUnityGainQ12 = 4096;
    static constexpr int kAnalysisRate = 48000;
    static constexpr double kTargetHalfWidthDb = 1.5; // the RTA's target window: the level +/- this

    CSettingsApplier();

    void Apply(const AnalyserSettings& settings, CRtaPanel& rta);
    // The menus set the RTA's resolution and averaging themselves: noted here,
    // the next Apply does not set them again, which would restart the averaging.
    void NoteRtaSet(const AnalyserSettings& settings);
    // 4096 is unity.
    int GetInputGainQ12() const { return m_inputGainQ12.load(std::memory_order_relaxed); }
    const AnalyserSettings& GetLastApplied() const { return m_lastApplied; }

    // 10^(dB x 0.05) x 4096, truncated; held to the int range, so a hand-edited
    // gain cannot overflow.
    static int InputGainQ12(int gainDb);

private:
    AnalyserSettings m_lastApplied;
    std::atomic<int> m_inputGainQ12;
};
