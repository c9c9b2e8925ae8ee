// The SSE2 variant of the resize functions, compiled for SSE2.
#include "image/resize/ResizeCore.h"
#include "image/resize/ResizeEntry.h"
#include "image/resize/ResizeKernelSet.h"
#include "image/resize/ResizeSuperDriver.h"
#include "image/resize/ResizeVariants.h"
#include "image/resize/SimdArith.h"
#include "signal/DspBodies.h"

namespace dsp {
namespace sse2 {

namespace {
using VariantArith = SimdArith<true>;
} // namespace

#include "image/resize/ResizeVariantEntries.inl"

} // namespace sse2
} // namespace dsp
