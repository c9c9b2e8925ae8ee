#pragma once
#include "signal/DspTypes.h"

// A specification belongs to the variant whose set-up built it: its tables and work size fit
// only that variant's kernels, and the variant may be selected after specifications exist.
// Every FFT body hands a specification of another variant to that variant's body.
namespace dsp {

using FftTransformBody = LibStatus (*)(const float*, float*, const RealFftSpec*, unsigned char*);
using FftGetBufSizeBody = LibStatus (*)(const RealFftSpec*, int*);
using FftFreeBody = LibStatus (*)(RealFftSpec*);

enum class FftEntry
{
    FwdPerm,
    FwdPack,
    FwdCcs,
    InvPerm,
    InvPack,
    InvCcs,
};

// True when the specification records one of the four static variants.
bool FftOwnerKnown(const RealFftSpec* spec);

// The owner's bodies; only for a specification whose owner is known.
FftTransformBody FftOwnerTransform(const RealFftSpec* spec, FftEntry entry);
FftGetBufSizeBody FftOwnerGetBufSize(const RealFftSpec* spec);
FftFreeBody FftOwnerFree(const RealFftSpec* spec);

} // namespace dsp
