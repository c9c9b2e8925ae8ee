#pragma once
#include "signal/DspTypes.h"
#include "signal/fft/RealFftSpec.h"

// Life of a specification, shared by the set-up bodies of every variant.
namespace dsp {

// Builds a variant's plan and tables from the sine table of the real order; 0 or a status.
using FftPlanBuilder = int (*)(RealFftSpec* spec, const float* sine);

// Checks, scaling and, above order 3, the tables from the builder; on failure nothing stays
// allocated and *ppSpec is not written.
LibStatus FftCreateSpec(RealFftSpec** ppSpec, int order, int flag, int hint, int variant, FftPlanBuilder build);

// Releases every table and the block; null does nothing.
void dspsFFTReleaseSpec(RealFftSpec* pSpec);

} // namespace dsp
