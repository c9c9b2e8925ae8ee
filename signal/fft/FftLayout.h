#pragma once

// Spectrum layouts of N real samples (X[0] and X[N/2] real):
// Perm: X[0], X[N/2], then Re/Im X[k] for k = 1..N/2-1       (N floats)
// Pack: X[0], Re/Im X[k] for k = 1..N/2-1, X[N/2]             (N floats)
// CCS:  Re/Im X[k] for k = 0..N/2 with zero Im at 0 and N/2   (N + 2 floats)
namespace dsp {

enum class FftLayout {
    Perm,
    Pack,
    Ccs,
};

} // namespace dsp

namespace dsp {

// The Perm result in dst re-laid into the layout, in place.
void FftPermToLayout(float* dst, int n, FftLayout layout);

// A Pack or CCS spectrum re-laid into Perm order in dst; descending, so that src may be dst.
void FftLayoutToPerm(const float* src, float* dst, int n, FftLayout layout);

// First complex point of the inverse half-size spectrum, (DC + Nyquist, DC - Nyquist), into
// dst; a Pack spectrum is first moved into Perm order in dst. Returns the array that the
// pre-recombination reads: src for Perm and CCS, dst for Pack. Order 1 and up.
const float* FftInvFirstPoint(const float* src, float* dst, int n, FftLayout layout);

} // namespace dsp
