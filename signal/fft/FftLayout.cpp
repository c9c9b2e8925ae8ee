#include "signal/fft/FftLayout.h"

namespace dsp {

void FftPermToLayout(float* dst, int n, FftLayout layout)
{
    if (layout == FftLayout::Pack && n > 2) {
        const float nyquist = dst[1];
        for (int k = 2; k < n; ++k)
            dst[k - 1] = dst[k];
        dst[n - 1] = nyquist;
    } else if (layout == FftLayout::Ccs) {
        if (n == 1) {
            dst[1] = 0.0f;
        } else {
            dst[n] = dst[1];
            dst[n + 1] = 0.0f;
            dst[1] = 0.0f;
        }
    }
}

void FftLayoutToPerm(const float* src, float* dst, int n, FftLayout layout)
{
    const float dc = src[0];
    if (layout == FftLayout::Pack) {
        if (n > 1) {
            const float nyquist = src[n - 1];
            for (int j = n - 2; j >= 1; --j)
                dst[j + 1] = src[j];
            dst[1] = nyquist;
        }
    } else if (n > 1) {
        dst[1] = src[n];
        for (int j = 2; j < n; ++j)
            dst[j] = src[j];
    }
    dst[0] = dc;
}

const float* FftInvFirstPoint(const float* src, float* dst, int n, FftLayout layout)
{
    const float dc = src[0];
    const float nyquist = layout == FftLayout::Perm ? src[1] : layout == FftLayout::Pack ? src[n - 1] : src[n];
    if (layout == FftLayout::Pack) {
        FftLayoutToPerm(src, dst, n, layout);
        src = dst;
    }
    dst[0] = dc + nyquist;
    dst[1] = dc - nyquist;
    return src;
}

} // namespace dsp
