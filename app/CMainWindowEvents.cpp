#include "app/AppCommands.h"
#include "app/CMainWindow.h"
#include "app/SizeLimits.h"
#include "app/views/ScopeFeed.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowGeometry.h"

namespace {
const int kAnalysisRate = CSettingsApplier::kAnalysisRate;
const float kTargetHalfWindowDb = float(CSettingsApplier::kTargetHalfWidthDb);

// Scope paths: trigger tuning, ring sizes and smoothing as the displays need them.
const int kScopeLead = 8500;
const int kScopeSamplesPerRead = 3584;
const int kScopeSearchLength = 2048;
const int kScopeSearchStart = 750;
const int kScopeRingBytes = 8192;
const int kScopeRawDelay = 65536;
const int kScopeCoefficientA = 300;
const int kScopeEnvelopeDelay = 46;
const int kScopeCoefficientB = 1500;

RtaPanelConfig RtaStartConfig(const PaneSlot& slot, int targetLevel)
{
    RtaPanelConfig config = {};
    config.right = slot.width;
    config.bottom = slot.height;
    config.marginTop = 5;    // room for the top bar's peak
    config.marginBottom = 3; // above the labels
    config.thirdOctaveBands = CRtaPanel::kThirdOctaveBands;
    config.sixthOctaveBands = CRtaPanel::kSixthOctaveBands;
    config.averages = 1;
    config.resolution = 1;
    config.sampleRate = kAnalysisRate;
    config.targetLow = float(targetLevel) - kTargetHalfWindowDb;
    config.targetHigh = float(targetLevel) + kTargetHalfWindowDb;
    return config;
}
} // namespace

void CMainWindow::OnViewEvent(int source, int code, int p1, int p2)
{
    if (source == EventSource::Relayed && code == WindowEvent::SizingClamped)
        ClampSizing(p1, reinterpret_cast<RECT*>(p2));
    else if (source == EventSource::Relayed && code == WindowEvent::Sizing && p2)
        ClampDockedThickness(*reinterpret_cast<SizeProposal*>(p2));             // docking, or sizing while docked
    else if (source == EventSource::Relayed && code == ContainerEvent::Rebuild) // a new size, a maximize or a restore
        Redraw(PaneOrder::MeterFirst);
    else if (source == EventSource::Window && code == WindowEvent::RightButtonUp)
        ShowWindowMenu();
    else if (source == EventSource::Window && code == WindowEvent::LeftDoubleClick)
        ToggleTitleBar();
    else if (source == EventSource::Window && code == WindowEvent::Moved)
        Redraw(PaneOrder::MeterLast);
    else if (source == EventSource::Window && code == WindowEvent::Timer && UINT(p1) == MainWindowId::kTickTimer)
        Tick(TickSleep::After);
}

void CMainWindow::ClampSizing(int handle, RECT* rect)
{
    if (!rect)
        return;
    const CaptionState caption = IsTitleBarShown() ? CaptionState::Shown : CaptionState::Hidden;
    const SizeLimits limits = MainWindowSizeLimits(caption, m_container.GetCaptionHeight(), m_window.GetDockedEdge());
    SizingRectClamp(*rect, handle, limits.minWidth, limits.minHeight, limits.maxWidth, limits.maxHeight);
}

void CMainWindow::CreateViews()
{
    RECT client = {};
    GetClientRect(m_window.GetHwnd(), &client);
    Layout(client.right, client.bottom);
    Step(CreationStep::Layout);

    m_meterPanel.SetController(this);
    const PaneSlot& meter = m_slots[MeterSlot];
    MeterViewCreateParams meterParams;
    meterParams.place = {meter.x, meter.y, meter.width, meter.height, nullptr, &m_container};
    meterParams.visible = meter.visible;
    m_meterPanel.CreateControl(meterParams, this);
    m_meterPanel.SetLoudnessMeter(&m_loudness);
    Step(CreationStep::MeterControl);

    CreatePane(m_scopePane1, m_slots[ScopePane1Slot]);
    CreatePane(m_scopePane2, m_slots[ScopePane2Slot]);
    Step(CreationStep::ScopePanes);

    m_rtaPanel.Start(RtaStartConfig(m_slots[RtaPaneSlot], m_settings.iRtaTargetLevel));
    m_rtaPanel.Configure(1, kAnalysisRate);
    Step(CreationStep::RtaPanel);
    CreatePane(m_rtaPane, m_slots[RtaPaneSlot]);
    Step(CreationStep::RtaPane);
    LayoutControls(client.right, client.bottom, false);
    Step(CreationStep::PlaceControls);
}

void CMainWindow::CreatePane(CImageControl& pane, const PaneSlot& slot)
{
    ImageControlParams params;
    params.place = {slot.x, slot.y, slot.width, slot.height, nullptr, &m_container};
    params.visible = slot.visible;
    params.listener = this;
    pane.Create(params);
}

void CMainWindow::StartAnalysers()
{
    m_loudness.Configure(LoudnessConfig());
    Step(CreationStep::LoudnessMeter);
    for (CScopeSignalPath* path : {&m_scopePath1, &m_scopePath2}) {
        path->SetTuning(kScopeLead, kScopeSamplesPerRead, kScopeSearchLength, kScopeSearchStart);
        path->Setup(kScopeRingBytes, kScopeRawDelay);
    }
    for (CScopeSignalPath* path : {&m_scopePath1, &m_scopePath2})
        path->SetDisplayParams(kScopeCoefficientA, kScopeEnvelopeDelay, kScopeCoefficientB);
    Step(CreationStep::ScopePaths);
    m_input.ResetDcBlockers();
    Step(CreationStep::DcBlockers);
    ApplySettings();
    Step(CreationStep::ApplySettings);
    // A device still opening is watched by the tick; the window goes on meanwhile.
    if (!OpenAudioInterface() && !m_audio.IsDeviceJobRunning())
        OpenSettingsWindow(true); // the status text tells why; the views run idle
    Step(CreationStep::OpenAudio);
    m_window.SetTimer(MainWindowId::kTickTimer, MainWindowId::kTickPeriodMs);
    Step(CreationStep::Timer);
}

void CMainWindow::Tick(TickSleep sleep)
{
    ++m_ticks;
    WatchInput();
    Redraw(PaneOrder::MeterFirst);
    if (sleep == TickSleep::After)
        Sleep(MainWindowId::kTickSleepMs);
}

void CMainWindow::Redraw(PaneOrder order)
{
    // Each pane knows whether it is hidden or minimized; whether other windows
    // cover the whole window is asked once here.
    const bool seen = m_window.IsShownAndNotMinimized() && !m_window.IsWhollyCovered();
    FeedScopes(seen ? WindowSight::Seen : WindowSight::Unseen);
    if (!seen)
        return;
    if (order == PaneOrder::MeterFirst)
        m_meterPanel.GetMeterControl().Refresh();
    m_scopePane1.Present();
    m_scopePane2.Present();
    m_rtaPane.Present();
    if (order == PaneOrder::MeterLast)
        m_meterPanel.GetMeterControl().Refresh();
}

void CMainWindow::FeedScopes(WindowSight sight)
{
    // A display no pane shows is not plotted, and its old trace is painted out
    // when a pane shows it again: its first picture holds what was read then.
    CImageControl* panes[2] = {&m_scopePane1, &m_scopePane2};
    CScopeDisplay* displays[2] = {&m_scopeDisplay1, &m_scopeDisplay2};
    for (int k = 0; k < 2; ++k) {
        if (sight == WindowSight::Unseen || !panes[k]->IsOnScreen()) {
            displays[k]->Darken();
            displays[k] = nullptr;
        }
    }
    if (!m_input.IsScope1Active() && !m_input.IsScope2Active())
        return; // no audio reaches either path
    // Without blocks a path gives its last samples again: silence is plotted instead.
    const bool live = m_inputState == InputState::Live;
    const ScopePair pair = {{live ? &m_scopePath1 : nullptr, live ? &m_scopePath2 : nullptr},
                            {displays[0], displays[1]}};
    // One read spans the width the display draws, inside the pane's frame.
    const RECT& inside = m_scopePane1.GetInterior();
    FeedScopePair(pair, inside.right - inside.left, m_settings.fScopeLines_dB);
}

void CMainWindow::RenderScope(CScopeDisplay& display, CImageControl& pane)
{
    pane.MarkChanged(display.Render(*pane.GetBackBuffer(), pane.GetInterior()));
}

void CMainWindow::DrawRta()
{
    const PresentScope scope = m_rtaPane.IsBackBufferBlank() ? PresentScope::Whole : PresentScope::Changes;
    m_rtaPane.MarkChanged(m_rtaPanel.Draw(m_rtaPane.GetBackBuffer()->GetDC(), scope));
}

void CMainWindow::ResizeRta()
{
    m_rtaPanel.Resize(nullptr, m_rtaPane.GetInterior()); // the frame covers the rest
}
