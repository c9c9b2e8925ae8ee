#pragma once
// Shared pieces of the FIR designs' private windows and tone generator.

namespace dsp {

const double FirPi = 3.14159265358979323846264338327950;
const double FirTwoPi = 6.283185307179586476925286766559;

// The tone generator's and the windows' argument checks, common to every variant.
// Returns StatusOk when the tone may be generated.
int CheckToneArguments(const double* dst, int len, double magn, double rFreq, const double* pPhase);
// Writes back the phase that continues a tone of len samples.
void AdvanceTonePhase(double* pPhase, int len, double rFreq);
// Null -8, fewer than 3 samples -6, else 0.
int CheckWindowArguments(const double* x, int len);

} // namespace dsp
