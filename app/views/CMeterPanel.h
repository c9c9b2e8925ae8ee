#pragma once
#include "analysis/LoudnessReading.h"
#include "app/views/CMeterDisplay.h"
#include "app/views/InputState.h"
#include "gui/controls/CMeterViewControl.h"
#include <windows.h>

class CAppController;
class CBitmapBarRenderer;
class CLoudnessMeter;

// The loudness meter: one bar for the power sum or two for left and right,
// each with a peak marker and clip indication, beside a dB scale when there
// is room. The bars live in the view of the skinned meter control; the panel
// answers that control's phases: on a rebuild it chooses the layout (1) and
// creates the renderers (2), on every refresh (4) it loads the newest
// loudness reading into the bars.
//
// The panel creates the control as its owner and answers its phases itself;
// every other record of the control (the context request) goes on to the
// listener given at creation. The owner gives the panel its controller and
// loudness meter; until both are set no bars are made and nothing is read.
// Threads: GUI thread only. The reading comes from the meter's history
// without its lock (CLoudnessMeter::ReadLatest); when the writer overtook the
// read, the bars keep what they showed.
class CMeterPanel : public CListener {
public:
    static const int kMaxPassedRecords = 200;

    CMeterPanel();
    virtual ~CMeterPanel();
    CMeterPanel(const CMeterPanel&) = delete;
    CMeterPanel& operator=(const CMeterPanel&) = delete;

    // Creates the control with this panel as its owner (params.owner is not read).
    void CreateControl(MeterViewCreateParams params, CListener* listener);
    CMeterViewControl& GetMeterControl() { return m_meterControl; }
    void SetController(CAppController* controller) { m_controller = controller; }
    void SetLoudnessMeter(CLoudnessMeter* meter) { m_loudnessMeter = meter; }
    // While input is stopped the bars show no signal, whatever the meter last read.
    void SetInputState(InputState state) { m_input = state; }

    // The control's phases to OnMeterNotify; other records to the listener (its answer).
    int OnNotify(void* record) override;
    // A phase of the meter control; null and other phases are ignored.
    void OnMeterNotify(MeterViewPhase* data);
    // Sizes and styles the scale for the control's size.
    void ConfigureScale(CBitmapBarRenderer* scale, const MeterViewPhase* data) const;

    bool IsHorizontal() const { return m_horizontal; }
    bool ShowsScale() const { return m_showScale != 0; }
    int GetFirstMeterBar() const { return m_firstMeterBar; }
    CMeterDisplay& GetMeterDisplay() { return m_meterDisplay; }

private:
    void Describe(MeterViewPhase& data);
    void CreateRenderers(MeterViewPhase& data);
    void Refresh(MeterViewPhase& data);

    CMeterViewControl m_meterControl;
    CListener* m_listener;
    CAppController* m_controller;
    int m_showScale;
    CLoudnessMeter* m_loudnessMeter;
    bool m_horizontal;
    int m_segmentFlag;
    int m_firstMeterBar;
    COLORREF m_scaleShadowColour;
    CMeterDisplay m_meterDisplay;
    LoudnessReading m_reading;
    InputState m_input;
};
