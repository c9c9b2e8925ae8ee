// Stand-ins for the real FFT bodies until signal/fft/ provides them: they
// write nothing and fail. Delete this file when the real bodies land.
#include "signal/DspBodies.h"

#define DSP_FFT_PENDING(ns) \
    namespace dsp { namespace ns { \
    LibStatus dspsFFTInitAlloc_R_32f(RealFftSpec**, int, int, int) { return StatusNoMemory; } \
    LibStatus dspsFFTFwd_RToPerm_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTFwd_RToPack_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTFwd_RToCCS_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTInv_PermToR_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTInv_PackToR_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTInv_CCSToR_32f(const float*, float*, const RealFftSpec*, unsigned char*) { return StatusWrongSpec; } \
    LibStatus dspsFFTFree_R_32f(RealFftSpec*) { return StatusWrongSpec; } \
    } }

DSP_FFT_PENDING(generic)
DSP_FFT_PENDING(sse)
DSP_FFT_PENDING(sse2)
DSP_FFT_PENDING(sse3)

namespace dsp {
namespace generic {
LibStatus dspsFFTGetBufSize_R_32f(const RealFftSpec*, int*) { return StatusWrongSpec; }
}
namespace sse2 {
LibStatus dspsFFTGetBufSize_R_32f(const RealFftSpec*, int*) { return StatusWrongSpec; }
}
} // namespace dsp
