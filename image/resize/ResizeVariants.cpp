// The generic variant of the resize functions, plain x87 code for any processor.
#include "image/resize/GenericArith.h"
#include "image/resize/ResizeCore.h"
#include "image/resize/ResizeEntry.h"
#include "image/resize/ResizeKernelSet.h"
#include "image/resize/ResizeSuperDriver.h"
#include "image/resize/ResizeVariants.h"
#include "signal/DspBodies.h"

namespace dsp {
namespace generic {

namespace {
using VariantArith = GenericArith;
} // namespace

#include "image/resize/ResizeVariantEntries.inl"

} // namespace generic
} // namespace dsp
