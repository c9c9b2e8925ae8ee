#pragma once
// The four variant bodies of one function, for tests that run each directly.
#include "signal/DspBodies.h"

#define DSP_VARIANT_BODIES(name) \
    { &dsp::generic::name, &dsp::sse::name, &dsp::sse2::name, &dsp::sse3::name }

static const char* const VariantNames[] = {"generic", "sse", "sse2", "sse3"};
