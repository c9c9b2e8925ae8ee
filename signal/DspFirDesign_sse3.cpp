// FIR filter design: SSE3 variant (its own tone generator, zero fill and windows).
#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspFirWindows.h"
#include "signal/DspMemory.h"

namespace dsp {
namespace sse3 {

#include "signal/DspFirDesign.inl"

} // namespace sse3
} // namespace dsp
