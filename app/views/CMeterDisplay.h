#pragma once
#include "gui/graphics/CColorGradient.h"
#include <cstdint>

class CBitmapBarRenderer;
class CSegmentBarRenderer;
class CTickSource;
struct LoudnessReading;

// What CMeterDisplay::Setup copies.
struct MeterDisplayDesc {
    bool compactScale;     // the thinner scale, labels centred
    bool blinkOnClip;      // a lit clip lamp makes the peak marker blink
    float topDb;           // the level at the top of the bar
    int rangeDb;           // the bar's span in dB
    int referenceStops[6]; // thousandths above the reference ramp's base where its colour changes
};

enum class ReferenceMark { Without, With };

// The rules that turn a loudness reading into a meter bar: the bar length for
// a level, the peak marker's place and colour, the blinking clip indication,
// and the bar's colour ramp laid out around the reference level with a pale
// mark at the reference itself. Bar positions are thousandths of the bar
// (0 empty, 1000 full). GUI thread only; readings are the caller's copies.
class CMeterDisplay {
public:
    static const int kLevelRampSize = 100;
    static const uint32_t kBlinkMs = 80; // white and red alternate this often

    CMeterDisplay();
    virtual ~CMeterDisplay();
    CMeterDisplay(const CMeterDisplay&) = delete;
    CMeterDisplay& operator=(const CMeterDisplay&) = delete;

    // Copies desc and builds the peak colours' ramp; null changes nothing.
    void Setup(const MeterDisplayDesc* desc);
    void ConfigureMeterScale(CBitmapBarRenderer* scale) const;
    // Channel -1 is the power sum, 0.. the channels; a window outside the
    // reading's is taken as the first; a channel outside it changes nothing.
    void UpdateMeter(CSegmentBarRenderer* bar, const LoudnessReading* reading, int window, int channel);
    // Rebuilds the bar's ramps only when the reference, top or range changed
    // since the last call for this bar. Wild levels saturate.
    void SetReference(CSegmentBarRenderer* bar, float refDb) const;
    uint32_t ColourForLevel(float dB) const;
    void FillReferenceStops(CColorGradient& ramp, float scale, int base, ReferenceMark mark) const;

    // The clock behind the blink; null restores the system tick count.
    void SetTickSource(CTickSource* ticks);
    const MeterDisplayDesc& GetDesc() const { return m_desc; }
    const CColorGradient& GetLevelRamp() const { return m_levelRamp; }

    // trunc(v) held to the int range; NaN gives 0.
    static int SaturatedInt(double v);

private:
    MeterDisplayDesc m_desc;
    CColorGradient m_levelRamp;
    CTickSource* m_ticks;
};
