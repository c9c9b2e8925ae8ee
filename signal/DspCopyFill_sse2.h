#pragma once
// Kernels of the SSE2 variant that the SSE3 variant runs as well.
#include <cstddef>

namespace dsp {
namespace sse2 {

// Fills n bytes with a value of valueSize (1, 4 or 8) bytes by 16-byte
// stores; non-temporal beyond 524288 bytes (a byte value: counted once the
// destination is aligned).
void FillValue(void* dst, std::size_t n, const void* value, std::size_t valueSize);

void ZeroBytes(void* dst, std::size_t n);

// Overlap-safe move: from the end when the destination lies above the source.
void Move(const void* src, void* dst, std::size_t n);

} // namespace sse2
} // namespace dsp
