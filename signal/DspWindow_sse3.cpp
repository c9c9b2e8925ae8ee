// Window functions on floats: SSE3 variant (the SSE2 Hamming and the SSE Blackman kernels).
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspWindow.h"
#include "signal/DspWindow_sse.h"
#include "signal/DspWindow_sse2.h"

namespace dsp {
namespace sse3 {
namespace {

using sse::BlackmanAlphaKernel;
using sse2::HammingKernel;

} // namespace

#include "signal/DspWindowEntries.inl"

} // namespace sse3
} // namespace dsp
