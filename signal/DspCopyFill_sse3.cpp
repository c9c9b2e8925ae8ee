// Fill, copy, move and zero: SSE3 variant. Fill, zero and move run the SSE2
// kernels; the copy loads through the SSE3 unaligned load and streams from
// 524288 bytes without the SSE2 aliasing rule.
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspCopyFill_sse2.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspCopyBlocks.inl"

struct UnalignedLoad {
    static __m128i Get(const void* p) { return _mm_lddqu_si128(static_cast<const __m128i*>(p)); }
};

const size_t StreamingCopyBytes = 524288;

void Copy(const void* src, void* dst, size_t n)
{
    CopyBytes<UnalignedLoad>(src, dst, n, n >= StreamingCopyBytes ? CopyKindStreaming : CopyKindCached);
}

using sse2::FillValue;
using sse2::Move;
using sse2::ZeroBytes;

} // namespace

#include "signal/DspCopyFillEntries.inl"

} // namespace sse3
} // namespace dsp
