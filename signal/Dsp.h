#pragma once
// Public entry points of the signal-processing library. Every function of
// DspFunctionList.h is an entry stub that runs the body of the variant that
// CpuVariantIndex names; see DspRegistry.h for the mechanism.
#include "signal/DspTypes.h"
#include "signal/DspFunctionList.h"

#define DSP_DECLARE_ENTRY(name, letter, result, params, args, g, s, s2, s3) result name params;

extern "C" {
DSP_FUNCTION_LIST(DSP_DECLARE_ENTRY)

// Not registered: called directly by the image resize.
short* dspsMalloc_16s(int len);
}

#undef DSP_DECLARE_ENTRY
