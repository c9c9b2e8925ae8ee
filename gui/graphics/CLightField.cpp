#include "gui/graphics/CLightField.h"
#include <algorithm>
#include <cmath>

namespace {
const int Centre = CLightField::ProfileSize / 2;
const double SinePeriods = 3.0; // radians across the profile per unit of frequency
const double PeakPhase = 1.59;  // puts the sine's crest near the centre
const double AmplitudeScale = 1024.0;
const double AmplitudeLift = 2048.0; // lifts the sine above 0
const int FieldShift = 12;           // the field steps along rows in 1/4096
const float FieldOne = 4096.0f;
const int LookupSize = 3 * CLightField::ProfileSize;
} // namespace

CLightField::CLightField() : m_profile(), m_lookup()
{
    BuildSineTable(1.0, 0.7, 0.0, 0);
}

CLightField::~CLightField() = default;

void CLightField::BuildSineTable(double frequency, double amplitude, double phase, int offset)
{
    for (int i = 0; i < ProfileSize; ++i) {
        double angle = (i - Centre) * frequency * SinePeriods / ProfileSize + phase + PeakPhase;
        m_profile[i] = static_cast<int16_t>(
            std::trunc(std::sin(angle) * amplitude * AmplitudeScale + amplitude * AmplitudeLift - offset));
    }
    PadTable();
}

void CLightField::BuildRampTable(int from, int to, RampShape shape)
{
    const int n = shape == RampShape::Mirrored ? Centre : ProfileSize;
    const float step = float(to - from) / float(n);
    for (int i = 0; i < n; ++i)
        m_profile[i] = static_cast<int16_t>(i * step + from);
    if (shape == RampShape::Mirrored)
        for (int j = 0; j < Centre; ++j)
            m_profile[ProfileSize - 1 - j] = m_profile[j];
    PadTable();
}

void CLightField::BuildField(int width, int height, float fy, float fx)
{
    int16_t* values = m_field.Create(width, height);
    if (!values)
        return;
    const float sx = float(ProfileSize) / float(width) * fx;
    const float sy = float(ProfileSize) / float(height) * fy;
    const int dy = static_cast<int>(sy * FieldOne);
    const float y0 = sy * float((-height) >> 1);
    for (int x = 0; x < width; ++x) {
        const int t = static_cast<int>(float(x - (width >> 1)) * sx + Centre);
        int acc = static_cast<int>((float(t) + y0 + ProfileSize) * FieldOne);
        for (int y = 0; y < height; ++y) {
            acc += dy;
            values[y * width + x] = m_lookup[std::clamp(acc >> FieldShift, 0, LookupSize - 1)];
        }
    }
}

void CLightField::PadTable()
{
    std::fill_n(m_lookup, ProfileSize, m_profile[0]);
    std::copy_n(m_profile, ProfileSize, m_lookup + ProfileSize);
    std::fill_n(m_lookup + 2 * ProfileSize, ProfileSize, m_profile[ProfileSize - 1]);
}
