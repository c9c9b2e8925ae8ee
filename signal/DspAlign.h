#pragma once
// Address alignment tests of the SIMD kernels.
// Internal linkage: every variant file keeps its own copy, built with its flags.
#include <cstdint>

namespace {

inline bool ElementAligned(const void* p, std::uintptr_t size)
{
    return (reinterpret_cast<std::uintptr_t>(p) & (size - 1)) == 0;
}

inline bool Aligned16(const void* p)
{
    return ElementAligned(p, 16);
}

} // namespace
