#pragma once
#include "signal/Dsp.h"
#include "signal/fft/RealFftSpec.h"
#include <complex>
#include <vector>

namespace ffttest {

using Cd = std::complex<double>;

enum class Layout {
    Perm,
    Pack,
    Ccs,
};

constexpr Layout kLayouts[] = {Layout::Perm, Layout::Pack, Layout::Ccs};

// Bins 0..N/2 of the real signal x, in double precision (direct sum for small N).
std::vector<Cd> ReferenceSpectrum(const std::vector<float>& x);

// Bins 0..N/2 read from a spectrum in the given layout.
std::vector<Cd> Unpack(const float* y, int n, Layout layout);

// A spectrum in the given layout from bins 0..N/2 (imaginary parts of 0 and N/2 dropped).
std::vector<float> Pack(const std::vector<Cd>& bins, int n, Layout layout);

double RelativeRms(const std::vector<Cd>& got, const std::vector<Cd>& want);
double RelativeRms(const float* got, const std::vector<float>& want, double factor);
double RelativeRms(const float* got, const float* want, int count);

// Whether this CPU runs the given variant.
bool Supported(int variant);

std::vector<float> RandomSignal(int n, unsigned seed);

int SpectrumFloats(int n, Layout layout);

LibStatus Forward(Layout layout, const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer);
LibStatus Inverse(Layout layout, const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer);

// A specification freed on scope exit, made while the given variant is selected (the generic
// one is selected again at once: later calls reach the owner's bodies through the hand-over).
class Spec {
public:
    Spec(int order, int flag, int variant = VariantGeneric);
    ~Spec();
    Spec(const Spec&) = delete;
    Spec& operator=(const Spec&) = delete;
    RealFftSpec* get() const { return m_pSpec; }
    LibStatus status() const { return m_status; }
    int bufSize() const;

private:
    RealFftSpec* m_pSpec = nullptr;
    LibStatus m_status;
};

// Bytes currently held by the C runtime heap, to prove that a failure leaves nothing behind.
long long HeapBytesInUse();

} // namespace ffttest
