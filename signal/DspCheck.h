#pragma once
// Argument checks shared by the bodies: pointers first, then the length.
// Internal linkage: every variant file keeps its own copy, built with its flags.
#include "signal/DspTypes.h"

namespace {

inline LibStatus CheckVector(const void* p, int len)
{
    if (!p)
        return StatusNullPointer;
    return len < 1 ? StatusSizeError : StatusOk;
}

inline LibStatus CheckVectors(const void* a, const void* b, int len)
{
    return CheckVector(a && b ? a : nullptr, len);
}

inline LibStatus CheckVectors(const void* a, const void* b, const void* c, int len)
{
    return CheckVector(a && b && c ? a : nullptr, len);
}

} // namespace
