#include "app/views/CMeterDisplay.h"
#include "analysis/LoudnessReading.h"
#include "common/CTickSource.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include <algorithm>
#include <climits>

namespace {
const float kHundredth = 100.0f; // readings are hundredths of a dB
const float kBarHeadroom = 0.3f; // the bar reads this much above the marker
const float kPerMille = 1000.0f;
const int kFullBar = CSegmentBarRenderer::kFullValue;
const uint32_t kBlinkWhite = 0xFFFFFF, kBlinkRed = 0xFF0000;

// The peak colours run from dark green over yellow to red across 54 dB.
const float kRampSpanDb = 54.0f;
const double kRampEntriesPerDb = 1.8518518518518519; // 100 / 54
const float kRampOddFactor = 1.0f, kRampBrightness = 1.5f;

// The reference ramp: the pale mark spans 476..484 of the 54 dB scale.
const int kMarkBefore = 475, kMarkStart = 476, kMarkEnd = 484, kMarkAfter = 485;
const uint32_t kMarkGreen = 0x00FF00, kMarkPale = 0xFFFFC0, kMarkGrey = 0x707070;
const float kReferenceBrightness = 1.1f;
const double kKeyBias = 543543.0;  // keeps a fresh bar's key of 0 from matching
const double kBaseOffsetDb = 28.4; // the reference's distance above the ramp's base

// The scale: labels every 6 dB down to the range, 3 px beyond the bar.
const float kScaleStep = 6.0f;
const int kScaleExtra = 3;
const int kCompactScale = 8, kWideScale = 16;
const int kScaleTextOffset = 6;
const COLORREF kScaleShadow = 0x404040;

void SetStop(CColorGradient& ramp, uint32_t colour, int position)
{
    ramp.stops[ramp.stopCount++] = {colour, position};
}
} // namespace

CMeterDisplay::CMeterDisplay() : m_desc{false, false, 0.0f, 0, {}}, m_ticks(CTickSource::System())
{}

CMeterDisplay::~CMeterDisplay() = default;

int CMeterDisplay::SaturatedInt(double v)
{
    if (v != v)
        return 0;
    return int(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

void CMeterDisplay::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

void CMeterDisplay::Setup(const MeterDisplayDesc* desc)
{
    if (!desc)
        return;
    m_desc = *desc;
    m_levelRamp.stopCount = 0;
    SetStop(m_levelRamp, 0x006000, 0);
    SetStop(m_levelRamp, 0x00B000, 750);
    SetStop(m_levelRamp, 0xB0B000, 950);
    SetStop(m_levelRamp, 0xFF0000, CColorGradient::kFullPosition);
    m_levelRamp.oddFactor = kRampOddFactor;
    m_levelRamp.brightness = kRampBrightness;
    m_levelRamp.direction = CColorGradient::Direction::Forward;
    m_levelRamp.BuildTable(kLevelRampSize);
}

void CMeterDisplay::ConfigureMeterScale(CBitmapBarRenderer* scale) const
{
    if (!scale)
        return;
    const float range = float(m_desc.rangeDb);
    scale->scaleStart = 0.0f;
    scale->scaleEnd = -range;
    scale->scaleSpan = range;
    scale->scaleStep = kScaleStep;
    scale->lowestLabel = kScaleStep - range; // the bottom label would sit on the bar's end
    scale->extraLength = kScaleExtra;
    scale->value = m_desc.topDb;
    scale->fixedSize = m_desc.compactScale ? kCompactScale : kWideScale;
    scale->labelAlign = m_desc.compactScale ? CBitmapBarRenderer::AlignCentre : CBitmapBarRenderer::AlignLeft;
    scale->labelShadow = true;
    scale->labelOffset = kScaleTextOffset;
    scale->shadowColor = kScaleShadow;
}

void CMeterDisplay::UpdateMeter(CSegmentBarRenderer* bar, const LoudnessReading* reading, int window, int channel)
{
    const int column = channel + 1;
    if (!bar || !reading || column < 0 || column >= LoudnessReading::kColumns)
        return;
    if (window < 0 || window >= LoudnessReading::kRows)
        window = 0;
    const float range = float(m_desc.rangeDb), top = m_desc.topDb;
    const float level = reading->level[window][column] / kHundredth;
    bar->values[0] = SaturatedInt((level + range - top + kBarHeadroom) * kPerMille / range);
    bar->bevel[1] = BevelNone;
    const float peak = reading->peakA[column] / kHundredth;
    bar->peakValue = std::min(SaturatedInt((peak + range - top) * kPerMille / range), kFullBar);
    if (reading->clipLamp[column] && m_desc.blinkOnClip)
        bar->peakColor = (m_ticks->Now() / kBlinkMs) % 2 ? kBlinkRed : kBlinkWhite;
    else
        bar->peakColor = ColourForLevel(reading->peakB[column] / kHundredth);
}

uint32_t CMeterDisplay::ColourForLevel(float dB) const
{
    const int i = std::clamp(SaturatedInt((dB + kRampSpanDb) * kRampEntriesPerDb), 0, kLevelRampSize - 1);
    const uint32_t* table = m_levelRamp.GetTable();
    return table && i < m_levelRamp.GetSize() ? table[i] : 0;
}

void CMeterDisplay::FillReferenceStops(CColorGradient& ramp, float scale, int base, ReferenceMark mark) const
{
    const int* k = m_desc.referenceStops;
    auto at = [&](int offset) { return SaturatedInt(base + offset * double(scale)); };
    ramp.stopCount = 0;
    SetStop(ramp, 0x0000C0, at(0));
    SetStop(ramp, 0x0000FF, at(k[0]));
    SetStop(ramp, 0x0090C0, at(k[1]));
    SetStop(ramp, 0x00E000, at(k[2]));
    if (mark == ReferenceMark::With) {
        SetStop(ramp, kMarkGreen, at(kMarkBefore));
        SetStop(ramp, kMarkPale, at(kMarkStart));
        SetStop(ramp, kMarkPale, at(kMarkEnd));
        SetStop(ramp, kMarkGreen, at(kMarkAfter));
    }
    SetStop(ramp, 0xE0F000, at(k[3]));
    SetStop(ramp, 0xFFB000, at(k[4]));
    SetStop(ramp, 0xFF0000, at(k[5]));
    SetStop(ramp, 0xB00000, CColorGradient::kFullPosition);
    ramp.brightness = kReferenceBrightness;
}

void CMeterDisplay::SetReference(CSegmentBarRenderer* bar, float refDb) const
{
    if (!bar)
        return;
    const int range = m_desc.rangeDb;
    const float top = m_desc.topDb;
    const int key = SaturatedInt(refDb * 100.0 + top * 1000.0 + range * 10.0 + kKeyBias);
    if (key == bar->ownerKey)
        return;
    bar->ownerKey = key;
    const float scale = kRampSpanDb / float(range);
    const int base = SaturatedInt(((range - kRampSpanDb) + refDb + kBaseOffsetDb - top) * kPerMille / range);
    FillReferenceStops(bar->gradients[0], scale, base, ReferenceMark::With);
    CColorGradient& grey = bar->gradients[1];
    auto at = [&](int offset) { return SaturatedInt(base + offset * double(scale)); };
    grey.stopCount = 0;
    SetStop(grey, 0, at(0));
    SetStop(grey, 0, at(kMarkBefore));
    SetStop(grey, kMarkGrey, at(kMarkStart));
    SetStop(grey, kMarkGrey, at(kMarkEnd));
    SetStop(grey, 0, at(kMarkAfter));
    SetStop(grey, 0, at(CColorGradient::kFullPosition));
    bar->peakGradient = -1; // the marker takes peakColor
    bar->RebuildGradients();
}
