// Our real FFT against its references in one process. FFTW (r2c/c2r, FFTW_MEASURE) is timed in
// turns with our transform in every SIMD variant, unscaled and scaled by 1/N, round after round;
// each ratio is the median of the rounds' ratios, so a slow spell of the machine touches both
// sides of a ratio alike. Per size N and direction (fwd_ccs, inv_ccs):
//   fft.fwd_ccs.N.fftw.ns                        FFTW, median of the rounds
//   fft.fwd_ccs.N.VARIANT.ratio_fftw             ours / FFTW, unscaled as FFTW is
//   fft.fwd_ccs.N.VARIANT.scaled.ratio_fftw      ours times 1/N / FFTW
//   fft.fwd_ccs.N.ratio_fftw, ...scaled.ratio_fftw   the best variant's
// Below 1 ours is faster. KissFFT (kiss_fftr) is timed alone: fft.fwd_ccs.N.kiss.ns.
#include "FftBenchTiming.h"
#include "signal/Dsp.h"
#include "signal/DspRegistry.h"
#include "signal/fft/RealFftSpec.h"
#include <cpuid.h>
#include <fftw3.h>
#include <kiss_fftr.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kRounds = 9;
// Long enough for the counter, short enough that one round sees one state of the machine.
const double kSliceNs = 2e6;
const int kMinOrder = 6;
const int kMaxOrder = 16;

struct Variant {
    int index;
    const char* name;
};
const Variant kVariants[] = {{VariantSse, "sse"}, {VariantSse2, "sse2"}, {VariantSse3, "sse3"}};

bool Supported(int index)
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    return index == VariantSse ? (d & bit_SSE) != 0 : index == VariantSse2 ? (d & bit_SSE2) != 0 : (c & bit_SSE3) != 0;
}

// One timed call of a round; ours names the variant it needs, the references none.
struct Side {
    std::string name;
    int variant;
    std::function<void()> call;
    long reps;
    std::vector<double> ns;
};

void Enter(const Side& s)
{
    if (s.variant >= 0)
        dspsStoreVariant(s.variant);
}

void RunRounds(std::vector<Side>& sides)
{
    for (Side& s : sides) {
        Enter(s);
        s.reps = RepsFor(s.call, kSliceNs);
    }
    // Each slice starts warm: one untimed call brings the side's tables and buffers back into the
    // cache that the other sides used meanwhile, which would otherwise weigh on its first calls.
    for (int r = 0; r < kRounds; ++r)
        for (Side& s : sides) {
            Enter(s);
            s.call();
            s.ns.push_back(NsPerCall(s.call, s.reps));
        }
}

// Our transform of one variant, set up for one scaling.
struct Ours {
    Ours(int variant, int order, int flag) : spec(nullptr), work(nullptr)
    {
        dspsStoreVariant(variant);
        int size = 0;
        if (dspsFFTInitAlloc_R_32f(&spec, order, flag, 1) == StatusOk &&
            dspsFFTGetBufSize_R_32f(spec, &size) == StatusOk)
            work = size ? dspsMalloc_8u(size) : nullptr;
    }
    ~Ours()
    {
        dspsFree(work);
        dspsFFTFree_R_32f(spec);
    }
    Ours(const Ours&) = delete;
    Ours& operator=(const Ours&) = delete;
    RealFftSpec* spec;
    unsigned char* work;
};

struct Buffers {
    explicit Buffers(int n)
        : x(fftwf_alloc_real(n)), y(fftwf_alloc_complex(n / 2 + 1)), keep(fftwf_alloc_complex(n / 2 + 1)),
          in(dspsMalloc_32f(n + 2)), out(dspsMalloc_32f(n + 2)), spectrum(dspsMalloc_32f(n + 2))
    {
        FillBenchSignal(x, n);
        FillBenchSignal(in, n);
    }
    ~Buffers()
    {
        fftwf_free(x);
        fftwf_free(y);
        fftwf_free(keep);
        dspsFree(in);
        dspsFree(out);
        dspsFree(spectrum);
    }
    Buffers(const Buffers&) = delete;
    Buffers& operator=(const Buffers&) = delete;
    float* x;
    fftwf_complex* y;
    fftwf_complex* keep;
    float* in;
    float* out;
    float* spectrum;
};

// Per round, ours over the reference; the reference's own time in a round is reference less
// overhead (the copy c2r needs, as it destroys its input).
double MedianRatio(const Side& ours, const Side& reference, const Side* overhead)
{
    std::vector<double> ratios;
    for (size_t r = 0; r < ours.ns.size(); ++r)
        ratios.push_back(ours.ns[r] / (reference.ns[r] - (overhead ? overhead->ns[r] : 0.0)));
    return Median(ratios);
}

void PrintRatios(const char* direction, int n, const std::vector<Side>& sides, const Side& reference,
                 const Side* overhead)
{
    double best[2] = {1e30, 1e30};
    for (const Side& s : sides) {
        if (s.variant < 0)
            continue;
        const double ratio = MedianRatio(s, reference, overhead);
        const bool scaled = s.name.find(".scaled") != std::string::npos;
        best[scaled] = std::min(best[scaled], ratio);
        std::printf("fft.%s.%d.%s.ratio_fftw: %.3f\n", direction, n, s.name.c_str(), ratio);
    }
    std::printf("fft.%s.%d.ratio_fftw: %.3f\n", direction, n, best[0]);
    std::printf("fft.%s.%d.scaled.ratio_fftw: %.3f\n", direction, n, best[1]);
}

void BenchOrder(int order)
{
    const int n = 1 << order;
    Buffers b(n);
    const fftwf_plan fwd = fftwf_plan_dft_r2c_1d(n, b.x, b.y, FFTW_MEASURE);
    const fftwf_plan inv = fftwf_plan_dft_c2r_1d(n, b.y, b.x, FFTW_MEASURE);
    FillBenchSignal(b.x, n);
    fftwf_execute(fwd);
    const size_t bytes = sizeof(fftwf_complex) * (n / 2 + 1);
    std::memcpy(b.keep, b.y, bytes);

    // A spec scaling the forward transform leaves the inverse unscaled, and the other way round.
    std::vector<Ours*> specs;
    std::vector<Side> forward, inverse;
    forward.push_back({"fftw", -1, [&] { fftwf_execute(fwd); }, 0, {}});
    inverse.push_back({"fftw",
                       -1,
                       [&] {
                           std::memcpy(b.y, b.keep, bytes);
                           fftwf_execute(inv);
                       },
                       0,
                       {}});
    inverse.push_back({"copy", -1, [&] { std::memcpy(b.y, b.keep, bytes); }, 0, {}});
    for (const Variant& v : kVariants) {
        if (!Supported(v.index))
            continue;
        Ours* scaleFwd = new Ours(v.index, order, FftScaleForward);
        Ours* scaleInv = new Ours(v.index, order, FftScaleInverse);
        specs.push_back(scaleFwd);
        specs.push_back(scaleInv);
        if (!scaleFwd->spec || !scaleInv->spec)
            continue;
        dspsFFTFwd_RToCCS_32f(b.in, b.spectrum, scaleInv->spec, scaleInv->work);
        const std::string name = v.name;
        forward.push_back({name,
                           v.index,
                           [&b, scaleInv] { dspsFFTFwd_RToCCS_32f(b.in, b.out, scaleInv->spec, scaleInv->work); },
                           0,
                           {}});
        forward.push_back({name + ".scaled",
                           v.index,
                           [&b, scaleFwd] { dspsFFTFwd_RToCCS_32f(b.in, b.out, scaleFwd->spec, scaleFwd->work); },
                           0,
                           {}});
        inverse.push_back({name,
                           v.index,
                           [&b, scaleFwd] { dspsFFTInv_CCSToR_32f(b.spectrum, b.out, scaleFwd->spec, scaleFwd->work); },
                           0,
                           {}});
        inverse.push_back({name + ".scaled",
                           v.index,
                           [&b, scaleInv] { dspsFFTInv_CCSToR_32f(b.spectrum, b.out, scaleInv->spec, scaleInv->work); },
                           0,
                           {}});
    }
    RunRounds(forward);
    RunRounds(inverse);
    std::printf("fft.fwd_ccs.%d.fftw.ns: %.0f\n", n, Median(forward[0].ns));
    std::vector<double> inverseNs;
    for (int r = 0; r < kRounds; ++r)
        inverseNs.push_back(inverse[0].ns[r] - inverse[1].ns[r]);
    std::printf("fft.inv_ccs.%d.fftw.ns: %.0f\n", n, Median(inverseNs));
    PrintRatios("fwd_ccs", n, forward, forward[0], nullptr);
    PrintRatios("inv_ccs", n, inverse, inverse[0], &inverse[1]);
    for (Ours* o : specs)
        delete o;
    fftwf_destroy_plan(fwd);
    fftwf_destroy_plan(inv);
}

void BenchKiss(int n)
{
    kiss_fftr_cfg fwd = kiss_fftr_alloc(n, 0, nullptr, nullptr);
    kiss_fftr_cfg inv = kiss_fftr_alloc(n, 1, nullptr, nullptr);
    std::vector<float> x(n);
    std::vector<kiss_fft_cpx> y(n / 2 + 1);
    FillBenchSignal(x.data(), n);
    std::printf("fft.fwd_ccs.%d.kiss.ns: %.0f\n", n, TimePerCall([&] { kiss_fftr(fwd, x.data(), y.data()); }));
    std::printf("fft.inv_ccs.%d.kiss.ns: %.0f\n", n, TimePerCall([&] { kiss_fftri(inv, y.data(), x.data()); }));
    kiss_fftr_free(fwd);
    kiss_fftr_free(inv);
}

} // namespace

int main()
{
    for (int order = kMinOrder; order <= kMaxOrder; ++order)
        BenchOrder(order);
    dspsStoreVariant(VariantGeneric);
    for (int order = kMinOrder; order <= kMaxOrder; ++order)
        BenchKiss(1 << order);
    return 0;
}
