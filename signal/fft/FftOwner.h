#pragma once
#include "signal/DspTypes.h"

// A specification belongs to the variant whose set-up built it: its tables and work size fit
// only that variant's kernels, and the variant may be selected after specifications exist.
// Every FFT body hands a specification of another variant to that variant's body.
namespace dsp {

using FftTransformBody = LibStatus (*)(const float*, float*, const RealFftSpec*, unsigned char*);
using FftGetBufSizeBody = LibStatus (*)(const RealFftSpec*, int*);
using FftFreeBody = LibStatus (*)(RealFftSpec*);

enum class FftEntry {
    FwdPerm,
    FwdPack,
    FwdCcs,
    InvPerm,
    InvPack,
    InvCcs,
};

// The first checks of every FFT body: -8 for null, -17 unless a live specification of an
// order up to 30 made by one of the four static variants.
LibStatus FftCheckSpec(const RealFftSpec* spec);

// The checks that open every transform body: FftCheckSpec, the hand-over of a specification of
// another variant to its owner's body (self: the calling body), -8 for a null array. True when
// the call ends there, with *status its result.
bool FftTransformPrologue(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer, FftEntry entry,
                          FftTransformBody self, LibStatus* status);

// A transform body of the enclosing variant: the prologue, then
// flow(pSrc, pDst, pSpec, pBuffer, layout).
#define FFT_TRANSFORM_BODY(name, flow, entry, layout)                                                                  \
    LibStatus name(const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer)                   \
    {                                                                                                                  \
        LibStatus status;                                                                                              \
        if (FftTransformPrologue(pSrc, pDst, pSpec, pBuffer, entry, &name, &status))                                   \
            return status;                                                                                             \
        return flow(pSrc, pDst, pSpec, pBuffer, layout);                                                               \
    }

// Every variant's work size and free bodies (self: the calling body): the checks, the
// hand-over to the owner's body, then the work itself.
LibStatus FftRunGetBufSize(FftGetBufSizeBody self, const RealFftSpec* spec, int* size);
LibStatus FftRunFree(FftFreeBody self, RealFftSpec* spec);

} // namespace dsp
