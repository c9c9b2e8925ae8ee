#pragma once
#include "signal/fft/RealFftSpec.h"

// Plan of the complex half-size FFT in the generic set-up: small radix-4 plan, or the large
// plan (recursive row-column split, or 1024-point blocks joined by radix-2 stages).
namespace dsp::generic {

constexpr int kFftRadix4MaxOrder = 10;

// Tables and plan of a specification of order above 3 (FftPlanBuilder).
int FftBuildPlan(RealFftSpec* spec, const float* sine);

// Order of the column transforms per complex order c; 0: no split.
int FftSplitOrder(int c);

} // namespace dsp::generic
