// The SSE variant of the resize functions, compiled for SSE.
#include "image/resize/ResizeCore.h"
#include "image/resize/ResizeEntry.h"
#include "image/resize/ResizeKernelSet.h"
#include "image/resize/ResizeSuperDriver.h"
#include "image/resize/ResizeVariants.h"
#include "image/resize/SimdArith.h"
#include "signal/DspBodies.h"

namespace dsp {
namespace sse {

namespace {
using VariantArith = SimdArith<false>;
} // namespace

#include "image/resize/ResizeVariantEntries.inl"

} // namespace sse
} // namespace dsp
