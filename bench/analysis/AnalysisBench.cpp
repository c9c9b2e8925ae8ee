// CPU cost of the loudness meter, the scope path and the RTA engine per
// second of 48 kHz audio, one "key: value" line per figure. When ebur128.dll (built by
// build-ebur128.sh, never committed) lies beside the program, the same
// samples go through it in momentary + short-term mode for comparison.
#include "analysis/CLoudnessMeter.h"
#include "bench/BenchClock.h"
#include "analysis/CRtaEngine.h"
#include "analysis/CScopeSignalPath.h"
#include "signal/DspCpuSelect.h"
#include "signal/DspRegistry.h"
#include <windows.h>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
const int kRate = 48000;
const int kSeconds = 60;

// Programme-like stereo: two tones with a slowly moving level.
void MakeAudio(std::vector<int32_t>& left, std::vector<int32_t>& right)
{
    const int n = kRate * kSeconds;
    left.resize(n);
    right.resize(n);
    for (int i = 0; i < n; ++i) {
        const double level = 8000.0 * (1.2 + std::sin(i * 2e-5));
        left[i] = static_cast<int32_t>(level * std::sin(i * 0.0654));
        right[i] = static_cast<int32_t>(level * std::sin(i * 0.3121 + 1.0));
    }
}

// CPU time of the calling thread in seconds (10 ms steps under Wine), which
// leaves out time spent waiting on other processes of a loaded machine.
double ThreadCpu()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return (double(t.dwHighDateTime) * 4294967296.0 + double(t.dwLowDateTime)) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

// Wall time per second of audio; the calling thread's CPU time into *cpu.
template <class Op>
double MicrosPerSecond(int frames, Op op, double* cpu = nullptr)
{
    const int blocks = kRate * kSeconds / frames;
    const double start = BenchNow(), startCpu = ThreadCpu();
    for (int b = 0; b < blocks; ++b)
        op(b * frames);
    if (cpu)
        *cpu = (ThreadCpu() - startCpu) * 1e6 / kSeconds;
    return (BenchNow() - start) * 1e6 / kSeconds;
}

double Loudness(const std::vector<int32_t>& left, const std::vector<int32_t>& right, int frames, double* cpu = nullptr)
{
    CLoudnessMeter meter;
    meter.Configure(LoudnessConfig());
    return MicrosPerSecond(
        frames,
        [&](int at) {
            const int32_t* channels[2] = {&left[at], &right[at]};
            meter.Process(channels, 2, frames);
        },
        cpu);
}

double Scope(const std::vector<int32_t>& left, const std::vector<int32_t>& right, int frames)
{
    CScopeSignalPath paths[2];
    std::vector<int16_t> out(1536);
    for (CScopeSignalPath& path : paths) {
        path.SetTuning(8500, 3584, 2048, 750);
        path.Setup(8192, 65536);
        path.SetDisplayParams(300, 46, 1500);
    }
    return MicrosPerSecond(frames, [&](int at) {
        paths[0].Input(&left[at], frames, 3700, 0);
        paths[1].Input(&right[at], frames, 3700, 0);
        // The display drains the rings every 25 ms (20 ms tick, 5 ms sleep).
        if ((at + frames) / (kRate / 40) != at / (kRate / 40)) {
            paths[0].ReadForDisplay(out.data(), 1536);
            paths[1].ReadForDisplay(out.data(), 1536);
        }
    });
}

// The engine as the RTA panel drives it: 512-sample pushes, a fetch after
// every result.
double Rta(const std::vector<int32_t>& mono, int resolution, double* cpu = nullptr)
{
    CRtaEngine engine;
    engine.Setup(resolution, kRate, 10);
    std::vector<float> bands(CRtaEngine::kMaxBands);
    const double us = MicrosPerSecond(
        512,
        [&](int at) {
            engine.PushSamples(&mono[at], 512);
            if (engine.IsResultReady())
                engine.FetchBands(bands.data());
        },
        cpu);
    return us;
}

void RtaFigures(const std::vector<int32_t>& left)
{
    static const char* const kNames[] = {"third", "sixth"};
    dspsStoreVariant(VariantGeneric);
    for (int r = 0; r < 2; ++r)
        std::printf("rta.%s.generic.us_per_s: %.1f\n", kNames[r], Rta(left, r));
    SelectDspCpu();
    std::printf("rta.variant: %d\n", dspsCurrentVariant());
    for (int r = 0; r < 2; ++r) {
        double cpu = 0.0;
        std::printf("rta.%s.us_per_s: %.1f\n", kNames[r], Rta(left, r, &cpu));
        std::printf("rta.%s.thread_cpu_us_per_s: %.1f\n", kNames[r], cpu);
    }
}

// The few entry points of libebur128 used here, as its public header documents them.
typedef void* (*Ebur128Init)(unsigned channels, unsigned long rate, int mode);
typedef void (*Ebur128Destroy)(void** state);
typedef int (*Ebur128AddFramesInt)(void* state, const int* src, size_t frames);
typedef int (*Ebur128Loudness)(void* state, double* out);
const int kModeMomentaryShortTerm = 3; // EBUR128_MODE_M | EBUR128_MODE_S

template <class T>
T Entry(HMODULE dll, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

bool Ebur128(const std::vector<int32_t>& left, const std::vector<int32_t>& right, int frames, double* result)
{
    HMODULE dll = LoadLibraryA("ebur128.dll");
    if (!dll)
        return false;
    auto init = Entry<Ebur128Init>(dll, "ebur128_init");
    auto destroy = Entry<Ebur128Destroy>(dll, "ebur128_destroy");
    auto add = Entry<Ebur128AddFramesInt>(dll, "ebur128_add_frames_int");
    auto shortTerm = Entry<Ebur128Loudness>(dll, "ebur128_loudness_shortterm");
    void* state = init && destroy && add && shortTerm ? init(2, kRate, kModeMomentaryShortTerm) : nullptr;
    if (!state) {
        FreeLibrary(dll);
        return false;
    }
    // libebur128 takes interleaved full-range ints; ours are at 16-bit scale.
    std::vector<int> interleaved(frames * 2);
    double sink = 0.0;
    *result = MicrosPerSecond(frames, [&](int at) {
        for (int i = 0; i < frames; ++i) {
            interleaved[2 * i] = left[at + i] * 65536;
            interleaved[2 * i + 1] = right[at + i] * 65536;
        }
        add(state, interleaved.data(), frames);
        shortTerm(state, &sink);
    });
    destroy(&state);
    FreeLibrary(dll);
    return true;
}
} // namespace

int main()
{
    std::vector<int32_t> left, right;
    MakeAudio(left, right);
    double cpu960 = 0.0;
    const double ours960 = Loudness(left, right, 960, &cpu960);
    std::printf("loudness.process.960.us_per_s: %.1f\n", ours960);
    std::printf("loudness.process.960.thread_cpu_us_per_s: %.1f\n", cpu960);
    std::printf("loudness.process.480.us_per_s: %.1f\n", Loudness(left, right, 480));
    std::printf("scope.path.960.us_per_s: %.1f\n", Scope(left, right, 960));
    std::printf("scope.path.480.us_per_s: %.1f\n", Scope(left, right, 480));
    RtaFigures(left);
    double theirs = 0.0;
    if (Ebur128(left, right, 960, &theirs)) {
        std::printf("loudness.ebur128.960.us_per_s: %.1f\n", theirs);
        std::printf("loudness.ebur128_vs_ours.960: %.2f\n", theirs / ours960);
    } else {
        std::printf("loudness.ebur128.960.us_per_s: unavailable\n");
    }
    return 0;
}
