#pragma once
// Kernels of the SSE2 variant that the SSE3 variant runs as well.
#include <cstddef>

namespace dsp {
namespace sse2 {

// Fills n bytes with an 8-byte pattern (pattern[i % 8] lands at offset i) by
// 16-byte stores; non-temporal when streamAlways is set or when more than
// 524288 bytes are left once the destination is aligned.
void FillBytes(void* dst, std::size_t n, const unsigned char pattern[8], bool streamAlways);

// Overlap-safe move: from the end when the destination lies above the source.
void MoveBytes(const void* src, void* dst, std::size_t n);

} // namespace sse2
} // namespace dsp
