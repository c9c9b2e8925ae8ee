#include "app/views/CRtaPanel.h"
#include "analysis/CBandBank.h"
#include "common/CFifo.h"
#include "common/CTickSource.h"
#include "common/DebugTrace.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/graphics/ColorHelpers.h"
#include <algorithm>
#include <climits>
#include <new>

namespace {
const int kBlockBytes = CRtaPanel::kBlockSamples * int(sizeof(int32_t));
const DWORD kWorkerWaitMs = 1000; // a wake per block; the time-out only lets a stop through
const int32_t kClipHigh = 32766;  // samples past these are clipped at 16-bit scale
const int32_t kClipLow = -32767;

// Engine band levels to bars.
const float kBarPerDb = 1.51f; // 100 / 1.51: the bar's -66.2 dB floor
const float kBarOffset = 100.0f;
const float kBarTenths = 10.0f; // 0..100 to thousandths

// The scale runs 0 to -66 dB over the bar, labelled every 12 dB.
const double kPositionPerDb = 1000.0 / 66.0;
const double kPositionAtZeroDb = 1000.0;
const float kScaleStart = 0.0f, kScaleEnd = -66.0f, kScaleSpan = 66.0f, kScaleStep = 12.0f;
const float kLowestLabelOfShortScale = -50.0f; // a short scale leaves out -60
const int kShortScaleHeight = 85;
const int kScaleTextOffset = 7;
const int kLargeScaleWidth = 20, kSmallScaleWidth = 15;

// Fonts and label strips: the large ones from a pane above 210 x 150.
const int kLargeMinWidth = 210, kLargeMinHeight = 150;
const int kLargeStrip = 12, kSmallStrip = 8;
const int kLargeFontHeight = 12, kSmallFontHeight = 9;

const int kBitmapSlack = 50;                                // the views' bitmaps exceed the pane by this
const int kMaxSeparatedBars = CRtaPanel::kThirdOctaveBands; // narrower 1/6-octave bars get no gap
const double kBandTableBinWidth = 11.71875;                 // 48000 / 4096 Hz: labels only, whatever the rate
const int kFullWeight = 100;                                // hundredths: the last bar as wide as the others

// Label colours: a light blue-grey over a dark shadow (pixel values).
const uint32_t kLabelBase = 0x4A515C;
const float kLabelBrightness = 1.7f;
const uint32_t kShadowBase = 0x2D3138;
const COLORREF kViewBackground = 0x0FFFFF;

// Bar ramps (pixel values): amber lit, dark red unlit, red when clipping.
const uint32_t kLitTop = 0xFFCA00, kLitBottom = 0xCCA600;
const uint32_t kUnlitTop = 0x400000, kUnlitBottom = 0x200000;
const uint32_t kClipBottom = 0xFF0000, kClipTop = 0xFF4040;
const uint32_t kWhite = 0xFFFFFF;
const float kHalf = 0.5f;
const float kWindowBrightening = 2.0f;
const double kCentreFraction = 0.0005; // (lo + hi) / 2 / 1000
const int kFullPosition = CColorGradient::kFullPosition;

HFONT MakeFont(int height, const char* face)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_SWISS, face);
}

void SetStops(CColorGradient& ramp, std::initializer_list<CColorGradient::Stop> stops)
{
    ramp.stopCount = 0;
    for (const CColorGradient::Stop& s : stops)
        ramp.stops[ramp.stopCount++] = s;
}

COLORREF LabelColour()
{
    return ScaleColor(SwapRedBlue(kLabelBase), kLabelBrightness);
}

COLORREF ShadowColour()
{
    return ScaleColor(SwapRedBlue(kShadowBase), 1.0f);
}
} // namespace

CRtaPanel::CRtaPanel()
    : m_config{nullptr,           0, 0, 0, 0, 0,     0,       0,      0,     0, 0, kThirdOctaveBands,
               kSixthOctaveBands, 0, 0, 1, 1, 48000, nullptr, -33.0f, -30.0f},
      m_smallFont(nullptr), m_largeFont(nullptr), m_resolution(1), m_averages(1), m_activeView(nullptr), m_clipTime(0),
      m_bandValues(), m_shownBandCount(0), m_firstBandBar(0), m_input(InputState::Live), m_ticks(CTickSource::System()),
      m_resultCount(0)
{}

CRtaPanel::~CRtaPanel()
{
    m_thread.Stop();
    if (m_smallFont)
        DeleteObject(m_smallFont);
    if (m_largeFont)
        DeleteObject(m_largeFont);
}

int CRtaPanel::Start(const RtaPanelConfig& config)
{
    if (m_thread.IsRunning())
        return 1;
    if (!m_smallFont)
        m_smallFont = MakeFont(kSmallFontHeight, "Small Fonts");
    if (!m_largeFont)
        m_largeFont = MakeFont(kLargeFontHeight, "Tahoma");
    m_config = config;
    m_activeView = nullptr;
    m_clipTime = 0;
    m_averages = std::clamp(config.averages, 1, kMaxAverages);
    Configure(config.resolution, config.sampleRate);
    Resize(config.window, {config.left, config.top, config.right, config.bottom});
    // Without a ring every block is dropped; the worker then only idles.
    m_fifo.reset(new (std::nothrow) CFifo(kFifoBytes));
    m_thread.SetRunnable(this);
    return m_thread.Start();
}

void CRtaPanel::Configure(int resolution, int sampleRate)
{
    m_resolution = resolution ? 1 : 0;
    // A refused set-up disables the engine; the bars then keep their last heights.
    m_engine.Setup(m_resolution, sampleRate, m_averages);
}

void CRtaPanel::SetAverages(int n)
{
    m_averages = std::clamp(n, 1, kMaxAverages);
    m_engine.SetAverages(m_averages);
}

void CRtaPanel::SetTargetWindow(float lowDb, float highDb)
{
    m_config.targetLow = lowDb;
    m_config.targetHigh = highDb;
    // Both views, shown or not: either may be the next one drawn.
    m_lock.Lock();
    for (CBarGraphView* view : {&m_thirdOctaveView, &m_sixthOctaveView})
        for (int i = 0; i < view->GetRendererCount(); ++i)
            if (CSegmentBarRenderer* bar = view->GetSegmentRenderer(i)) {
                ColourBandBar(bar);
                bar->RebuildGradients();
            }
    m_lock.Unlock();
}

void CRtaPanel::Resize(HWND window, RECT area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    RECT client;
    if (window) {
        const bool known = GetClientRect(window, &client) != FALSE;
        width = known ? client.right : 0;
        height = known ? client.bottom : 0;
    }
    if (width <= 0 || height <= 0)
        return;
    m_lock.Lock();
    BuildView({&m_thirdOctaveView, m_config.thirdOctaveBands, 0, m_config.thirdOctaveFirstBand}, window, area, width,
              height);
    BuildView({&m_sixthOctaveView, m_config.sixthOctaveBands, 1, m_config.sixthOctaveFirstBand}, window, area, width,
              height);
    m_lock.Unlock();
}

void CRtaPanel::BuildView(const ViewPass& pass, HWND window, const RECT& area, int width, int height)
{
    CBarGraphView& view = *pass.view;
    view.DeleteRenderers();
    BarGraphViewDesc desc = *view.Reset();
    desc.window = window;
    desc.areaLeft = area.left;
    desc.areaTop = area.top;
    desc.areaRight = area.right;
    desc.areaBottom = area.bottom;
    desc.width = width + kBitmapSlack;
    desc.height = height + kBitmapSlack;
    DebugTrace("RTA width: %i\n", width);
    const bool large = height > kLargeMinHeight && width > kLargeMinWidth;
    desc.labelFont = large ? m_largeFont : m_smallFont;
    desc.labelRowHeight = m_config.labelStripExtra + (large ? kLargeStrip : kSmallStrip);
    desc.labelShadow = 1;
    desc.labelColor = LabelColour();
    desc.labelShadowColor = ShadowColour();
    desc.labelBackground = kViewBackground;
    desc.labelOffset = m_config.labelOffset;
    desc.marginLeft = m_config.marginLeft;
    desc.marginTop = m_config.marginTop;
    desc.marginRight = m_config.marginRight;
    desc.marginBottom = m_config.marginBottom;
    desc.separateBars = pass.bands <= kMaxSeparatedBars ? 1 : 0;
    if (view.Configure(desc) != 0)
        return;
    AddScale(view, height, large);
    m_firstBandBar = view.GetRendererCount();
    for (int k = 0; k < pass.bands; ++k) {
        CSegmentBarRenderer* bar = static_cast<CSegmentBarRenderer*>(view.CreateRenderer(BarRendererType::Segment));
        if (!bar)
            break; // more bands than the view holds
        std::fill(bar->values, bar->values + CSegmentBarRenderer::kSegmentCount, 0);
        ColourBandBar(bar);
    }
    view.Layout();
    if (m_config.background && view.GetTarget()) {
        const RECT& a = view.GetArea();
        view.GetTarget()->CopyFrom(*m_config.background, m_config.left, m_config.top, a.right - a.left,
                                   a.bottom - a.top, 0, 0);
    }
    AddLabels(pass, width);
    view.SaveBackground();
}

void CRtaPanel::AddScale(CBarGraphView& view, int height, bool large) const
{
    CBitmapBarRenderer* scale = static_cast<CBitmapBarRenderer*>(view.CreateRenderer(BarRendererType::Bitmap));
    if (!scale)
        return;
    scale->labelFont = large ? m_largeFont : m_smallFont;
    scale->labelOffset = kScaleTextOffset;
    scale->labelColor = LabelColour();
    scale->shadowColor = ShadowColour();
    scale->labelShadow = true;
    scale->fixedSize = large ? kLargeScaleWidth : kSmallScaleWidth;
    scale->scaleStart = kScaleStart;
    scale->scaleEnd = kScaleEnd;
    scale->scaleSpan = kScaleSpan;
    scale->scaleStep = kScaleStep;
    if (height < kShortScaleHeight)
        scale->lowestLabel = kLowestLabelOfShortScale;
}

void CRtaPanel::AddLabels(const ViewPass& pass, int width) const
{
    CBandBank bands;
    bands.Build(pass.resolution, kBandTableBinWidth);
    const int step = LabelStep(pass.resolution, width);
    for (int k = 0; k < pass.bands; k += step)
        pass.view->DrawLabel(m_firstBandBar + k, m_firstBandBar + k, bands.GetBand(pass.firstBand + k).label);
}

void CRtaPanel::ColourBandBar(CSegmentBarRenderer* bar) const
{
    if (!bar)
        return;
    const int lo = TargetPosition(m_config.targetLow);
    const int hi = TargetPosition(m_config.targetHigh);
    const bool window = hi > 0;
    const float t = float((double(lo) + double(hi)) * kCentreFraction); // the window's centre on the bar
    const uint32_t c1 = MixColors(kLitTop, kLitBottom, t);
    const uint32_t c2 = MixColors(c1, kWhite, kHalf);
    const uint32_t c3 = MixColors(kUnlitTop, kUnlitBottom, t);
    const uint32_t c4 = ScaleColor(c3, kWindowBrightening);
    if (window) {
        SetStops(bar->gradients[0],
                 {{kLitBottom, 0}, {c1, lo}, {c2, lo}, {c2, hi}, {c1, hi}, {kLitTop, kFullPosition}});
        SetStops(bar->background,
                 {{kUnlitBottom, 0}, {c3, lo}, {c4, lo}, {c4, hi}, {c3, hi}, {kUnlitTop, kFullPosition}});
    } else {
        SetStops(bar->gradients[0], {{kLitBottom, 0}, {kLitTop, kFullPosition}});
        SetStops(bar->background, {{kUnlitBottom, 0}, {kUnlitTop, kFullPosition}});
    }
    SetStops(bar->alternateGradients[0], {{kClipBottom, 0}, {kClipTop, kFullPosition}});
    bar->sizeWeight = kFullWeight;
    bar->fillFactor = kFullWeight;
}

void CRtaPanel::Feed(const int32_t* samples, int count)
{
    CFifo* fifo = m_fifo.get();
    // Whole blocks only: the count is compared in samples, so no byte count can overflow.
    if (fifo && samples && count > 0 && count <= fifo->GetFree() / int(sizeof(int32_t)))
        fifo->Put(samples, count * int(sizeof(int32_t)), false);
    m_thread.Wake();
}

RECT CRtaPanel::Draw(HDC target, PresentScope scope)
{
    RECT presented = {};
    m_lock.Lock();
    if (m_activeView) {
        const bool clip = m_ticks->Now() - m_clipTime.load() < kClipLampMs; // unsigned: safe across wrap
        for (int k = 0; k < m_shownBandCount; ++k)
            if (CSegmentBarRenderer* bar = m_activeView->GetSegmentRenderer(m_firstBandBar + k))
                bar->values[0] = m_bandValues[k];
        for (int i = 0; i < m_activeView->GetRendererCount(); ++i)
            if (CSegmentBarRenderer* bar = m_activeView->GetSegmentRenderer(i))
                bar->useAlternate = clip;
        m_activeView->Present(target, scope);
        presented = m_activeView->GetPresented();
    }
    m_lock.Unlock();
    return presented;
}

void CRtaPanel::SetInputState(InputState state)
{
    if (state == m_input)
        return;
    m_input = state;
    if (state != InputState::Stopped)
        return;
    m_lock.Lock();
    std::fill(m_bandValues, m_bandValues + kMaxBands, 0);
    m_lock.Unlock();
}

void CRtaPanel::Run(CThread* thread)
{
    if (thread == &m_thread)
        ProcessLoop(thread);
}

void CRtaPanel::ProcessLoop(CThread* thread)
{
    int32_t samples[kBlockSamples];
    float levels[CRtaEngine::kMaxBands];
    while (thread->Wait(kWorkerWaitMs)) {
        CFifo* fifo = m_fifo.get();
        while (fifo && fifo->GetUsed() >= kBlockBytes && fifo->Get(samples, kBlockBytes, false) == kBlockBytes)
            ProcessBlock(samples, levels);
    }
}

void CRtaPanel::ProcessBlock(const int32_t* samples, float* levels)
{
    for (int i = 0; i < kBlockSamples; ++i)
        if (samples[i] < kClipLow || samples[i] > kClipHigh) {
            m_clipTime = m_ticks->Now();
            break;
        }
    m_engine.PushSamples(samples, kBlockSamples);
    if (m_engine.IsResultReady() && m_engine.FetchBands(levels) && m_lock.TryLock()) {
        StoreBars(levels);
        m_lock.Unlock();
        ++m_resultCount;
    }
}

void CRtaPanel::StoreBars(const float* levels)
{
    const bool sixth = m_engine.GetBandCount() == kMaxBands;
    m_activeView = sixth ? &m_sixthOctaveView : &m_thirdOctaveView;
    const int count = sixth ? m_config.sixthOctaveBands : m_config.thirdOctaveBands;
    const int base = sixth ? m_config.sixthOctaveFirstBand : m_config.thirdOctaveFirstBand;
    m_shownBandCount = std::clamp(count, 0, kMaxBands);
    for (int k = 0; k < m_shownBandCount; ++k) {
        const int band = base + k;
        m_bandValues[k] = band >= 0 && band < CRtaEngine::kMaxBands ? BarHeight(levels[band]) : 0;
    }
}

int CRtaPanel::GetQueuedSamples() const
{
    return m_fifo ? m_fifo->GetUsed() / int(sizeof(int32_t)) : 0;
}

void CRtaPanel::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

int CRtaPanel::BarHeight(float levelDb)
{
    const float v = levelDb * kBarPerDb + kBarOffset;
    if (!(v > 0.0f)) // NaN too
        return 0;
    return static_cast<int>(kBarTenths * std::min(v, kBarOffset));
}

int CRtaPanel::LabelStep(int resolution, int width)
{
    struct Row {
        int maxWidth, step;
    };
    static const Row kThird[] = {{400, 3}, {800, 2}, {INT_MAX, 1}};
    static const Row kSixth[] = {{600, 6}, {1200, 3}, {1500, 2}, {INT_MAX, 1}};
    const Row* row = resolution ? kSixth : kThird;
    while (width > row->maxWidth)
        ++row;
    return row->step;
}

int CRtaPanel::TargetPosition(float levelDb)
{
    const double p = levelDb * kPositionPerDb + kPositionAtZeroDb;
    if (p != p)
        return 0;
    return static_cast<int>(std::clamp(p, double(INT_MIN), double(INT_MAX)));
}
