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
// The owner creates the control, forwards its phase notifications to
// OnMeterNotify and gives the panel its controller and loudness meter; until
// both are set no bars are made and nothing is read.
// Threads: GUI thread only. The reading comes from the meter's history
// without its lock (CLoudnessMeter::ReadLatest); when the writer overtook the
// read, the bars keep what they showed.
class CMeterPanel {
public:
    static const int kMaxPassedRecords = 200;

    CMeterPanel();
    virtual ~CMeterPanel();
    CMeterPanel(const CMeterPanel&) = delete;
    CMeterPanel& operator=(const CMeterPanel&) = delete;

    CMeterViewControl& GetMeterControl() { return m_meterControl; }
    void SetController(CAppController* controller) { m_controller = controller; }
    void SetLoudnessMeter(CLoudnessMeter* meter) { m_loudnessMeter = meter; }
    // While input is stopped the bars show no signal, whatever the meter last read.
    void SetInputState(InputState state) { m_input = state; }

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
