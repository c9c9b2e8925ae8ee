#include "tests/signal/fft/FftTestUtil.h"
#include "signal/DspRegistry.h"
#include <cmath>
#include <cpuid.h>
#include <malloc.h>
#include <cstdint>

namespace ffttest {

namespace {

const double kTwoPi = 6.283185307179586476925;

void DoubleFft(std::vector<Cd>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        for (size_t k = 0; k < len / 2; ++k) {
            const Cd w = std::polar(1.0, -kTwoPi * double(k) / double(len));
            for (size_t i = 0; i < n; i += len) {
                const Cd u = a[i + k];
                const Cd v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

} // namespace

std::vector<Cd> ReferenceSpectrum(const std::vector<float>& x)
{
    const size_t n = x.size();
    std::vector<Cd> bins(n / 2 + 1);
    if (n <= 1024) {
        for (size_t k = 0; k <= n / 2; ++k) {
            Cd sum = 0;
            for (size_t j = 0; j < n; ++j)
                sum += double(x[j]) * std::polar(1.0, -kTwoPi * double((k * j) % n) / double(n));
            bins[k] = sum;
        }
        return bins;
    }
    std::vector<Cd> a(x.begin(), x.end());
    DoubleFft(a);
    for (size_t k = 0; k <= n / 2; ++k)
        bins[k] = a[k];
    return bins;
}

std::vector<Cd> Unpack(const float* y, int n, Layout layout)
{
    std::vector<Cd> bins(n / 2 + 1);
    if (n == 1) {
        bins[0] = y[0];
        return bins;
    }
    const int half = n / 2;
    for (int k = 1; k < half; ++k) {
        const int at = layout == Layout::Pack ? 2 * k - 1 : 2 * k;
        bins[k] = Cd(y[at], y[at + 1]);
    }
    bins[0] = y[0];
    if (layout == Layout::Perm)
        bins[half] = y[1];
    else if (layout == Layout::Pack)
        bins[half] = y[n - 1];
    else
        bins[half] = y[n];
    return bins;
}

std::vector<float> Pack(const std::vector<Cd>& bins, int n, Layout layout)
{
    std::vector<float> y(SpectrumFloats(n, layout), 0.0f);
    y[0] = float(bins[0].real());
    if (n == 1)
        return y;
    const int half = n / 2;
    for (int k = 1; k < half; ++k) {
        const int at = layout == Layout::Pack ? 2 * k - 1 : 2 * k;
        y[at] = float(bins[k].real());
        y[at + 1] = float(bins[k].imag());
    }
    const int nyquistAt = layout == Layout::Perm ? 1 : layout == Layout::Pack ? n - 1 : n;
    y[nyquistAt] = float(bins[half].real());
    return y;
}

double RelativeRms(const std::vector<Cd>& got, const std::vector<Cd>& want)
{
    double err = 0, ref = 0;
    for (size_t k = 0; k < want.size(); ++k) {
        err += std::norm(got[k] - want[k]);
        ref += std::norm(want[k]);
    }
    return ref > 0 ? std::sqrt(err / ref) : std::sqrt(err);
}

double RelativeRms(const float* got, const std::vector<float>& want, double factor)
{
    std::vector<float> scaled(want.size());
    for (size_t i = 0; i < want.size(); ++i)
        scaled[i] = float(want[i] * factor);
    return RelativeRms(got, scaled.data(), int(want.size()));
}

double RelativeRms(const float* got, const float* want, int count)
{
    double err = 0, ref = 0;
    for (int i = 0; i < count; ++i) {
        err += (double(got[i]) - want[i]) * (double(got[i]) - want[i]);
        ref += double(want[i]) * want[i];
    }
    return ref > 0 ? std::sqrt(err / ref) : std::sqrt(err);
}

bool Supported(int variant)
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return variant == VariantGeneric;
    switch (variant) {
    case VariantSse: return d & bit_SSE;
    case VariantSse2: return d & bit_SSE2;
    case VariantSse3: return c & bit_SSE3;
    default: return true;
    }
}

// Uniform in [-1, 1) from a xorshift generator: fast enough for signals of 2^24 samples.
std::vector<float> RandomSignal(int n, unsigned seed)
{
    uint32_t state = 2463534242u ^ (seed * 2654435761u);
    std::vector<float> x(n);
    for (float& v : x) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        v = float(state >> 8) / 8388608.0f - 1.0f;
    }
    return x;
}

int SpectrumFloats(int n, Layout layout)
{
    return layout == Layout::Ccs ? n + 2 : n;
}

LibStatus Forward(Layout layout, const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer)
{
    switch (layout) {
    case Layout::Perm: return dspsFFTFwd_RToPerm_32f(src, dst, spec, buffer);
    case Layout::Pack: return dspsFFTFwd_RToPack_32f(src, dst, spec, buffer);
    default: return dspsFFTFwd_RToCCS_32f(src, dst, spec, buffer);
    }
}

LibStatus Inverse(Layout layout, const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer)
{
    switch (layout) {
    case Layout::Perm: return dspsFFTInv_PermToR_32f(src, dst, spec, buffer);
    case Layout::Pack: return dspsFFTInv_PackToR_32f(src, dst, spec, buffer);
    default: return dspsFFTInv_CCSToR_32f(src, dst, spec, buffer);
    }
}

Spec::Spec(int order, int flag, int variant)
{
    dspsStoreVariant(variant);
    m_status = dspsFFTInitAlloc_R_32f(&m_pSpec, order, flag, 0);
    dspsStoreVariant(VariantGeneric);
}

Spec::~Spec()
{
    if (m_pSpec)
        dspsFFTFree_R_32f(m_pSpec);
}

int Spec::bufSize() const
{
    int size = -1;
    dspsFFTGetBufSize_R_32f(m_pSpec, &size);
    return size;
}

long long HeapBytesInUse()
{
    long long used = 0;
    _HEAPINFO info = {};
    while (_heapwalk(&info) == _HEAPOK) {
        if (info._useflag == _USEDENTRY)
            used += info._size;
    }
    return used;
}

} // namespace ffttest
