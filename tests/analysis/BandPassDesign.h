#pragma once

// The low-band RTA filters' design: digital Butterworth band-pass of
// prototype order 8 (eight sections, numerators 1, 0, -1) for the edges
// centre / 2^(1/2n) .. centre x 2^(1/2n), bilinear with pre-warping at the
// stream rate fs. Sections come in pairs by decreasing pole radius, the
// higher-frequency pole first; each pair has unit gain at the pre-warped
// centre, shared equally by its two sections.
struct BandPassSection {
    double a1, a2, gain;
};

void DesignBandPass(double centre, int n, double fs, BandPassSection out[8]);

// x rounded to seven significant digits.
double RoundSignificant7(double x);
