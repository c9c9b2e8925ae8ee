#pragma once
// The four variant bodies of one function, for tests that run each directly.
#include <array>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspRegistry.h"

#define DSP_VARIANT_BODIES(name)                                                                                       \
    {                                                                                                                  \
        &dsp::generic::name, &dsp::sse::name, &dsp::sse2::name, &dsp::sse3::name                                       \
    }

static const char* const VariantNames[] = {"generic", "sse", "sse2", "sse3"};

// The bodies the registry runs for a registered function, generic to SSE3, whichever
// of them one variant shares with another.
template <class F>
std::array<F, 4> RegisteredBodies(const char* name)
{
    std::array<F, 4> bodies = {};
    for (DispatchDescriptor* d = dspsDescriptorList(); d; d = d->next)
        if (std::strcmp(d->name, name) == 0)
            for (int v = 0; v < 4; ++v)
                bodies[v] = reinterpret_cast<F>(d->table->slot[VariantGeneric + v]);
    return bodies;
}
