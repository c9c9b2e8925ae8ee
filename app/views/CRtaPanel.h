#pragma once
#include "analysis/CRtaEngine.h"
#include "app/views/InputState.h"
#include "common/CMutex.h"
#include "common/CRunnable.h"
#include "common/CThread.h"
#include "gui/graphics/CBarGraphView.h"
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <memory>

class CBitmapDC;
class CFifo;
class CSegmentBarRenderer;
class CTickSource;

// How the owner places the RTA panel; Start copies it whole. Bar heights and
// ramp stops are thousandths of the bar (0 empty, 1000 full); the bars span
// 0 dB at the top to -66 dB at the bottom.
struct RtaPanelConfig {
    HWND window;                  // when set, Resize takes the area from its client rectangle
    int left, top, right, bottom; // the panel's area inside the pane bitmap
    int marginLeft, marginTop, marginRight, marginBottom;
    int labelOffset;     // vertical offset of the frequency labels
    int labelStripExtra; // added to the label strip's 8 or 12 px
    int thirdOctaveBands;
    int sixthOctaveBands;
    int thirdOctaveFirstBand; // first engine band shown
    int sixthOctaveFirstBand;
    int averages;
    int resolution; // 0 = 1/3 octave, other = 1/6 octave
    int sampleRate;
    CBitmapDC* background; // when set, Resize copies the area under the panel from it
    float targetLow;       // dB, the target window's edges
    float targetHigh;
};

// The fractional-octave bar display of one input channel: the capture thread
// feeds samples into a private ring, a worker thread cuts it into 512-sample
// blocks, notes clipping, runs the engine and turns each new result into bar
// heights, and the GUI thread draws the view that matches the engine's
// resolution.
//
// Threads: Start, Configure, SetAverages, SetTargetWindow, Resize and Draw on
// the GUI thread; Feed on the capture thread; the worker runs ProcessLoop.
// Lock: the panel's lock guards the shown view, the bar heights and the
// views' renderers. The GUI side waits for it; the worker only tries it and
// drops a result that meets a busy lock, so it never waits for the GUI.
// Ring: one writer (Feed), one reader (the worker). A block that does not fit
// is dropped whole; so is every block when the ring could not be made.
// Lifetime: the destructor stops the worker before anything it uses goes.
class CRtaPanel : public CRunnable {
public:
    static constexpr int kThirdOctaveBands = 31;
    static constexpr int kSixthOctaveBands = 63;
    static constexpr int kMaxBands = kSixthOctaveBands;
    static constexpr int kMaxAverages = 1000;
    static constexpr int kBlockSamples = 512;
    static constexpr int kFifoBytes = 0x40000;
    static constexpr uint32_t kClipLampMs = 50;

    CRtaPanel();
    ~CRtaPanel() override;
    CRtaPanel(const CRtaPanel&) = delete;
    CRtaPanel& operator=(const CRtaPanel&) = delete;

    // Fonts, ring, views and worker; 0 when the worker runs, 1 when it could
    // not start (also for a second call, which changes nothing).
    int Start(const RtaPanelConfig& config);
    // Any non-zero resolution means 1/6 octave.
    void Configure(int resolution, int sampleRate);
    // Held to 1..1000.
    void SetAverages(int n);
    // Recolours the bars of both views.
    void SetTargetWindow(float lowDb, float highDb);
    // Rebuilds both views; an area without width or height (and no window)
    // changes nothing.
    void Resize(HWND window, RECT area);
    // One channel of a captured block; always wakes the worker.
    void Feed(const int32_t* samples, int count);
    // The current bars into target; nothing before the first result. Changes
    // shows only the bars that changed since the last Draw (all after a
    // resize or a switch of view). Returns the part of target written.
    RECT Draw(HDC target, PresentScope scope = PresentScope::Whole);
    // Input stopping empties the bars shown; the next result raises them again.
    void SetInputState(InputState state);
    void ColourBandBar(CSegmentBarRenderer* bar) const;

    void Run(CThread* thread) override;
    void ProcessLoop(CThread* thread);

    // The clock behind the clip lamp; null restores the system tick count.
    void SetTickSource(CTickSource* ticks);

    // trunc(10 x clamp(level x 1.51 + 100, 0, 100)): -66.23 dB and below
    // empty, 0 dB and above full.
    static int BarHeight(float levelDb);
    // Bars per frequency label at this width.
    static int LabelStep(int resolution, int width);
    // A level's place on the bar, truncated and held to the int range.
    static int TargetPosition(float levelDb);

    const RtaPanelConfig& GetConfig() const { return m_config; }
    int GetResolution() const { return m_resolution; }
    int GetAverages() const { return m_averages; }
    // 0: the 1/3-octave view, other: the 1/6-octave one.
    CBarGraphView& GetView(int resolution) { return resolution ? m_sixthOctaveView : m_thirdOctaveView; }
    // Results turned into bars so far.
    int GetResultCount() const { return m_resultCount.load(); }
    // Samples in the ring, not yet taken by the worker.
    int GetQueuedSamples() const;

private:
    struct ViewPass {
        CBarGraphView* view;
        int bands;
        int resolution;
        int firstBand;
    };
    void BuildView(const ViewPass& pass, HWND window, const RECT& area, int width, int height);
    void AddScale(CBarGraphView& view, int height, bool large) const;
    void AddLabels(const ViewPass& pass, int width) const;
    void ProcessBlock(const int32_t* samples, float* levels);
    void StoreBars(const float* levels);

    RtaPanelConfig m_config;
    CBarGraphView m_thirdOctaveView;
    CBarGraphView m_sixthOctaveView;
    CRtaEngine m_engine;
    HFONT m_smallFont;
    HFONT m_largeFont;
    int m_resolution;
    int m_averages;
    CBarGraphView* m_activeView;
    std::unique_ptr<CFifo> m_fifo;
    std::atomic<uint32_t> m_clipTime;
    CMutex m_lock;
    int m_bandValues[kMaxBands];
    int m_shownBandCount;
    int m_firstBandBar;
    InputState m_input;
    CTickSource* m_ticks;
    std::atomic<int> m_resultCount;
    // Last: it is stopped first, before the members its body uses.
    CThread m_thread;
};
