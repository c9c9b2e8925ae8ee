// FIR filter design: generic variant (its own tone generator, zero fill and windows).
#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspFirWindows.h"
#include "signal/DspMemory.h"

namespace dsp {
namespace generic {

#include "signal/DspFirDesign.inl"

} // namespace generic
} // namespace dsp
