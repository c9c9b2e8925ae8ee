#pragma once
// The four variant bodies of one function, for tests that run each directly.
#include "signal/DspBodies.h"
#include "signal/DspRegistry.h"

#define DSP_VARIANT_BODIES(name)                                                                                       \
    {                                                                                                                  \
        &dsp::generic::name, &dsp::sse::name, &dsp::sse2::name, &dsp::sse3::name                                       \
    }

static const char* const VariantNames[] = {"generic", "sse", "sse2", "sse3"};

// For functions whose SSE3 slot runs the SSE2 body.
#define DSP_VARIANT_BODIES_SHARED_SSE3(name)                                                                           \
    {                                                                                                                  \
        &dsp::generic::name, &dsp::sse::name, &dsp::sse2::name, &dsp::sse2::name                                       \
    }
