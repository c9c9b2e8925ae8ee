#pragma once

// Coefficients of the RTA's low-band filters. Rows for CBiquadCascade:
// denominator rows (1, 0, 0, 1, a1, a2), numerator rows (g, 0, 0, b0, b1, b2).

// One band-pass section; its numerator is 1, 0, -1.
struct RtaBandPassSection {
    double a1, a2, gain;
};

constexpr int kRtaBandPassSections = 8;
constexpr int kRtaDecimators = 4;
constexpr int kRtaDecimatorSections = 4;
// Per rate: the 32 filters of the 1/6-octave bands, then the 16 of the 1/3-octave ones.
constexpr int kRtaBandPassFilters = 48;

// Generated; index 0 for 48000 Hz, 1 for 44100 Hz.
extern const RtaBandPassSection kRtaBandPass[2][kRtaBandPassFilters][kRtaBandPassSections];

// Bands measured by a filter: 32 at 1/6 octave, 16 at 1/3 octave, else 0.
int RtaBandFilterCount(int resolution);
// The stream a band's filter runs on (16 .. 256), 0 without a filter.
int RtaBandDecimation(int resolution, int band);
// False when the rate has no tables or the band no filter.
bool RtaBandPassRows(int sampleRate, int resolution, int band, double den[][6], double num[][6]);
// Decimators A..D (by 2, 4, 8, 16), the same at every rate.
bool RtaDecimatorRows(int decimator, double den[][6], double num[][6]);
