// FIR filter design: SSE variant (its own tone generator, zero fill and windows).
#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspFirWindows.h"
#include "signal/DspMemory.h"

namespace dsp {
namespace sse {

#include "signal/DspFirDesign.inl"

} // namespace sse
} // namespace dsp
