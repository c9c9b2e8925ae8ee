#pragma once
#include "signal/fft/RealFftSpec.h"

namespace dsp::generic {

// Releases every table and the block; null does nothing.
void dspsFFTReleaseSpec(RealFftSpec* pSpec);

} // namespace dsp::generic
