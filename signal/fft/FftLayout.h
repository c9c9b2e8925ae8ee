#pragma once

// Spectrum layouts of N real samples (X[0] and X[N/2] real):
// Perm: X[0], X[N/2], then Re/Im X[k] for k = 1..N/2-1       (N floats)
// Pack: X[0], Re/Im X[k] for k = 1..N/2-1, X[N/2]             (N floats)
// CCS:  Re/Im X[k] for k = 0..N/2 with zero Im at 0 and N/2   (N + 2 floats)
namespace dsp {

enum class FftLayout
{
    Perm,
    Pack,
    Ccs,
};

} // namespace dsp
