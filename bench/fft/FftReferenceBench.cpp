// The reference side of the FFT benchmark: FFTW (r2c/c2r, FFTW_MEASURE) and KissFFT (kiss_fftr)
// on the sizes of bench_fft, as "key: value" lines of the same keys.
#include "FftBenchTiming.h"
#include <fftw3.h>
#include <kiss_fftr.h>
#include <cstdio>
#include <cstring>

namespace {

// c2r destroys its input: each call starts from a fresh copy, whose cost is subtracted.
void BenchFftw(int n)
{
    float* x = fftwf_alloc_real(n);
    fftwf_complex* y = fftwf_alloc_complex(n / 2 + 1);
    fftwf_complex* keep = fftwf_alloc_complex(n / 2 + 1);
    const fftwf_plan fwd = fftwf_plan_dft_r2c_1d(n, x, y, FFTW_MEASURE);
    const fftwf_plan inv = fftwf_plan_dft_c2r_1d(n, y, x, FFTW_MEASURE);
    FillBenchSignal(x, n);
    fftwf_execute(fwd);
    std::memcpy(keep, y, sizeof(fftwf_complex) * (n / 2 + 1));
    const size_t bytes = sizeof(fftwf_complex) * (n / 2 + 1);
    const double f = TimePerCall([&] { fftwf_execute(fwd); });
    const double copy = TimePerCall([&] { std::memcpy(y, keep, bytes); });
    const double i = TimePerCall([&] {
        std::memcpy(y, keep, bytes);
        fftwf_execute(inv);
    });
    std::printf("fft.fwd_ccs.%d.fftw.ns: %.0f\n", n, f);
    std::printf("fft.inv_ccs.%d.fftw.ns: %.0f\n", n, i - copy);
    fftwf_destroy_plan(fwd);
    fftwf_destroy_plan(inv);
    fftwf_free(x);
    fftwf_free(y);
    fftwf_free(keep);
}

void BenchKiss(int n)
{
    kiss_fftr_cfg fwd = kiss_fftr_alloc(n, 0, nullptr, nullptr);
    kiss_fftr_cfg inv = kiss_fftr_alloc(n, 1, nullptr, nullptr);
    float* x = new float[n];
    kiss_fft_cpx* y = new kiss_fft_cpx[n / 2 + 1];
    FillBenchSignal(x, n);
    const double f = TimePerCall([&] { kiss_fftr(fwd, x, y); });
    const double i = TimePerCall([&] { kiss_fftri(inv, y, x); });
    std::printf("fft.fwd_ccs.%d.kiss.ns: %.0f\n", n, f);
    std::printf("fft.inv_ccs.%d.kiss.ns: %.0f\n", n, i);
    delete[] x;
    delete[] y;
    kiss_fftr_free(fwd);
    kiss_fftr_free(inv);
}

} // namespace

int main()
{
    for (int order = 6; order <= 16; ++order)
        BenchFftw(1 << order);
    for (int order = 6; order <= 16; ++order)
        BenchKiss(1 << order);
    return 0;
}
