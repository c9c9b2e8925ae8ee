#include "gui/graphics/CLightField.h"
#include <algorithm>
#include <cmath>

namespace {
const int kCentre = CLightField::kProfileSize / 2;
const double kSinePeriods = 3.0; // radians across the profile per unit of frequency
const double kPeakPhase = 1.59;  // puts the sine's crest near the centre
const double kAmplitudeScale = 1024.0;
const double kAmplitudeLift = 2048.0; // lifts the sine above 0
const int kFieldShift = 12;           // the field steps along rows in 1/4096
const float kFieldOne = 4096.0f;
const int kLookupSize = 3 * CLightField::kProfileSize;
} // namespace

CLightField::CLightField() : m_profile(), m_lookup()
{
    BuildSineTable(1.0, 0.7, 0.0, 0);
}

CLightField::~CLightField() = default;

void CLightField::BuildSineTable(double frequency, double amplitude, double phase, int offset)
{
    for (int i = 0; i < kProfileSize; ++i) {
        double angle = (i - kCentre) * frequency * kSinePeriods / kProfileSize + phase + kPeakPhase;
        m_profile[i] = static_cast<int16_t>(
            std::trunc(std::sin(angle) * amplitude * kAmplitudeScale + amplitude * kAmplitudeLift - offset));
    }
    PadTable();
}

void CLightField::BuildRampTable(int from, int to, RampShape shape)
{
    const int n = shape == RampShape::Mirrored ? kCentre : kProfileSize;
    const float step = float(to - from) / float(n);
    for (int i = 0; i < n; ++i)
        m_profile[i] = static_cast<int16_t>(i * step + from);
    if (shape == RampShape::Mirrored)
        for (int j = 0; j < kCentre; ++j)
            m_profile[kProfileSize - 1 - j] = m_profile[j];
    PadTable();
}

void CLightField::BuildField(int width, int height, float fy, float fx)
{
    int16_t* values = m_field.Create(width, height);
    if (!values)
        return;
    const float sx = float(kProfileSize) / float(width) * fx;
    const float sy = float(kProfileSize) / float(height) * fy;
    const int dy = static_cast<int>(sy * kFieldOne);
    const float y0 = sy * float((-height) >> 1);
    for (int x = 0; x < width; ++x) {
        const int t = static_cast<int>(float(x - (width >> 1)) * sx + kCentre);
        int acc = static_cast<int>((float(t) + y0 + kProfileSize) * kFieldOne);
        for (int y = 0; y < height; ++y) {
            acc += dy;
            values[y * width + x] = m_lookup[std::clamp(acc >> kFieldShift, 0, kLookupSize - 1)];
        }
    }
}

void CLightField::PadTable()
{
    std::fill_n(m_lookup, kProfileSize, m_profile[0]);
    std::copy_n(m_profile, kProfileSize, m_lookup + kProfileSize);
    std::fill_n(m_lookup + 2 * kProfileSize, kProfileSize, m_profile[kProfileSize - 1]);
}
