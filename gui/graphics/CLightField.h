#pragma once
#include "gui/graphics/CShadeMap.h"

enum class RampShape { Rising, Mirrored };

// A brightness profile of 1024 steps, sampled into a shade map as a band of
// light running diagonally across an area, centred on profile[512] at the
// area's centre. Profile values are in 1/2048 (2048 is unity in the multiply
// shade). GUI thread only.
class CLightField {
public:
    static const int kProfileSize = 1024;

    // Starts on the default profile: BuildSineTable(1.0, 0.7, 0.0, 0).
    CLightField();
    virtual ~CLightField();

    // profile[i] = sin((i - 512) * frequency * 3 / 1024 + phase + 1.59) *
    // amplitude * 1024 + amplitude * 2048 - offset, truncated.
    void BuildSineTable(double frequency, double amplitude, double phase, int offset);
    // A line from `from` toward `to` over the profile; Mirrored climbs over
    // the first half and comes back down over the second.
    void BuildRampTable(int from, int to, RampShape shape);
    // Samples the profile into the field at width x height; fy and fx set
    // the band's slope and width (fx + fy up to 3 reaches no further than the
    // profile's padded ends; beyond, the ends are repeated).
    void BuildField(int width, int height, float fy, float fx);

    const int16_t* GetProfile() const { return m_profile; } // kProfileSize values
    const CShadeMap& GetField() const { return m_field; }

private:
    // The profile padded with 1024 copies of each end value, for BuildField.
    void PadTable();

    int16_t m_profile[kProfileSize];
    int16_t m_lookup[3 * kProfileSize];
    CShadeMap m_field;
};
