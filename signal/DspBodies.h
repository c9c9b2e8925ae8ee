#pragma once
// The variant bodies, reachable directly (bodies call one another without a
// stub). dsp::generic, dsp::sse, dsp::sse2 and dsp::sse3 hold the bodies of
// one processor variant each; dsp::placeholder holds the bodies of functions
// that another layer installs at run time (the image resize).
#include "signal/DspTypes.h"
#include "signal/DspFunctionList.h"

#define DSP_DECLARE_BODY(ns, name, result, params)                                                                     \
    namespace dsp {                                                                                                    \
    namespace ns {                                                                                                     \
    result name params;                                                                                                \
    }                                                                                                                  \
    }
#define DSP_DECLARE_BODIES(name, letter, result, params, args, g, s, s2, s3)                                           \
    DSP_DECLARE_BODY(g, name, result, params)                                                                          \
    DSP_DECLARE_BODY(s, name, result, params)                                                                          \
    DSP_DECLARE_BODY(s2, name, result, params)                                                                         \
    DSP_DECLARE_BODY(s3, name, result, params)

DSP_FUNCTION_LIST(DSP_DECLARE_BODIES)

// Internal functions with one body per variant, not registered.
#define DSP_INTERNAL_LIST(X)                                                                                           \
    X(dspsZero_8u, LibStatus, (unsigned char* pDst, int len))                                                          \
    X(dspsZero_32f, LibStatus, (float* pDst, int len))                                                                 \
    X(dspsZero_64f, LibStatus, (double* pDst, int len))                                                                \
    X(WinBlackmanAlpha_32f_I, LibStatus, (float* pSrcDst, int len, float alpha))                                       \
    X(ToneCos_64f, LibStatus, (double* pDst, int len, double magn, double rFreq, double* pPhase, int hint))            \
    X(WinBartlett_64f_I, LibStatus, (double* pSrcDst, int len))                                                        \
    X(WinHamming_64f_I, LibStatus, (double* pSrcDst, int len))                                                         \
    X(WinHann_64f_I, LibStatus, (double* pSrcDst, int len))                                                            \
    X(WinBlackmanAlpha_64f_I, LibStatus, (double* pSrcDst, int len, double alpha))                                     \
    X(WinBlackmanFir_64f_I, LibStatus, (double* pSrcDst, int len))

#define DSP_DECLARE_INTERNAL(name, result, params)                                                                     \
    DSP_DECLARE_BODY(generic, name, result, params)                                                                    \
    DSP_DECLARE_BODY(sse, name, result, params)                                                                        \
    DSP_DECLARE_BODY(sse2, name, result, params)                                                                       \
    DSP_DECLARE_BODY(sse3, name, result, params)

DSP_INTERNAL_LIST(DSP_DECLARE_INTERNAL)

#undef DSP_DECLARE_INTERNAL
#undef DSP_DECLARE_BODIES
#undef DSP_DECLARE_BODY
