// Cost of the loudness meter, the scope path and the RTA engine per second of 48 kHz audio, one
// "key: value" line per figure, each the median of kBenchRuns runs taken in rounds:
//   <figure>.us_per_s          wall time
//   <figure>.compute_us_per_s  wall time less the time inside the OS synchronisation calls
//                              (OsSyncTally.h), which under Wine measure the wineserver's
//                              placement rather than our code
//   <figure>.lock_pairs_per_s  mutex lock/unlock pairs
// When ebur128.dll lies beside the program, the same stereo goes through libebur128 as through
// the meter, block for block and reading for reading, alternating with ours in one process.
#include "CEbur128Reference.h"
#include "OsSyncTally.h"
#include "analysis/CLoudnessMeter.h"
#include "analysis/CRtaEngine.h"
#include "analysis/CScopeSignalPath.h"
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include "signal/DspCpuSelect.h"
#include "signal/DspRegistry.h"
#include <windows.h>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {
const int kRate = 48000;
const int kSeconds = 20;
// The display takes a reading every 20 ms tick, and drains the scope rings every 25 ms (the tick
// and its 5 ms sleep).
const int kReadingFrames = kRate / 50;
const int kScopeDrainFrames = kRate / 40;
// The application's capture blocks: 20 ms (Wave) and 10 ms (Kernel Streaming).
const int kBlockSizes[] = {960, 480};
// libebur128 takes full-range ints; ours are at 16-bit scale.
const int kFullRange = 65536;

struct Audio {
    std::vector<int32_t> left, right;
    std::vector<int> interleaved;
};

// Programme-like stereo: two tones with a slowly moving level.
void MakeAudio(Audio& a)
{
    const int n = kRate * kSeconds;
    a.left.resize(n);
    a.right.resize(n);
    a.interleaved.resize(2 * n);
    for (int i = 0; i < n; ++i) {
        const double level = 8000.0 * (1.2 + std::sin(i * 2e-5));
        a.left[i] = static_cast<int32_t>(level * std::sin(i * 0.0654));
        a.right[i] = static_cast<int32_t>(level * std::sin(i * 0.3121 + 1.0));
        a.interleaved[2 * i] = a.left[i] * kFullRange;
        a.interleaved[2 * i + 1] = a.right[i] * kFullRange;
    }
}

// True when the block at..at+frames ends a span of every frames.
bool Crosses(int at, int frames, int every)
{
    return (at + frames) / every != at / every;
}

// One run, per second of audio.
struct Figure {
    double wallUs;
    double syncUs;
    double lockPairs;
};

template <class Op>
Figure Measure(int frames, Op op)
{
    const int blocks = kRate * kSeconds / frames;
    const OsSyncTally before = ReadOsSyncTally();
    const double start = BenchNow();
    for (int b = 0; b < blocks; ++b)
        op(b * frames);
    const double wall = BenchNow() - start;
    const OsSyncTally after = ReadOsSyncTally();
    return {wall * 1e6 / kSeconds, (after.seconds - before.seconds) * 1e6 / kSeconds,
            double(after.releases - before.releases) / kSeconds};
}

double Compute(const Figure& f)
{
    return f.wallUs - f.syncUs;
}

void Print(const char* key, const std::vector<Figure>& runs)
{
    std::vector<double> wall, compute, pairs;
    for (const Figure& f : runs) {
        wall.push_back(f.wallUs);
        compute.push_back(Compute(f));
        pairs.push_back(f.lockPairs);
    }
    std::printf("%s.us_per_s: %.1f\n", key, Median(wall));
    std::printf("%s.compute_us_per_s: %.1f\n", key, Median(compute));
    std::printf("%s.lock_pairs_per_s: %.1f\n", key, Median(pairs));
}

// The meter as the application drives it: every capture block, and a reading per tick.
Figure Loudness(const Audio& a, int frames)
{
    CLoudnessMeter meter;
    meter.Configure(LoudnessConfig());
    LoudnessReading reading;
    return Measure(frames, [&](int at) {
        const int32_t* channels[2] = {&a.left[at], &a.right[at]};
        meter.Process(channels, 2, frames);
        if (Crosses(at, frames, kReadingFrames))
            meter.ReadLatest(&reading);
    });
}

Figure Ebur128(CEbur128Reference& ref, const Audio& a, int frames)
{
    ref.Start(kRate);
    const Figure f = Measure(
        frames, [&](int at) { ref.Block(&a.interleaved[2 * at], frames, Crosses(at, frames, kReadingFrames)); });
    ref.Stop();
    return f;
}

Figure Scope(const Audio& a, int frames)
{
    CScopeSignalPath paths[2];
    std::vector<int16_t> out(1536);
    for (CScopeSignalPath& path : paths) {
        path.SetTuning(8500, 3584, 2048, 750);
        path.Setup(8192, 65536);
        path.SetDisplayParams(300, 46, 1500);
    }
    return Measure(frames, [&](int at) {
        paths[0].Input(&a.left[at], frames, 3700, 0);
        paths[1].Input(&a.right[at], frames, 3700, 0);
        if (Crosses(at, frames, kScopeDrainFrames)) {
            paths[0].ReadForDisplay(out.data(), 1536);
            paths[1].ReadForDisplay(out.data(), 1536);
        }
    });
}

// The engine as the RTA panel drives it: 512-sample pushes, a fetch after every result.
Figure Rta(const std::vector<int32_t>& mono, int resolution)
{
    const int kPush = 512;
    CRtaEngine engine;
    engine.Setup(resolution, kRate, 10);
    std::vector<float> bands(CRtaEngine::kMaxBands);
    return Measure(kPush, [&](int at) {
        engine.PushSamples(&mono[at], kPush);
        if (engine.IsResultReady())
            engine.FetchBands(bands.data());
    });
}

// One figure: its key, the variant it runs in, one run of it and the runs so far; a
// reference's figure follows the figure of ours it is compared with.
struct Job {
    std::string key;
    int variant;
    bool reference;
    std::function<Figure()> run;
    std::vector<Figure> runs;
};

// Every figure's runs are spread over kBenchRuns rounds, each round running every figure once:
// a busy spell of a shared machine then touches one run of each figure, not all runs of one.
void RunRounds(std::vector<Job>& jobs)
{
    for (int r = 0; r < kBenchRuns; ++r)
        for (Job& job : jobs) {
            dspsStoreVariant(job.variant);
            job.runs.push_back(job.run());
        }
}

// The reference's wall time, and theirs over ours per round, the median of the rounds.
void PrintReference(const Job& ours, const Job& theirs)
{
    std::vector<double> wall, compute, theirWall;
    for (int r = 0; r < kBenchRuns; ++r) {
        theirWall.push_back(theirs.runs[r].wallUs);
        wall.push_back(theirs.runs[r].wallUs / ours.runs[r].wallUs);
        compute.push_back(Compute(theirs.runs[r]) / Compute(ours.runs[r]));
    }
    const std::string vs = "loudness.ebur128_vs_ours" + ours.key.substr(ours.key.rfind('.'));
    std::printf("%s.us_per_s: %.1f\n", theirs.key.c_str(), Median(theirWall));
    std::printf("%s: %.2f\n", vs.c_str(), Median(wall));
    std::printf("%s.compute: %.2f\n", vs.c_str(), Median(compute));
}
} // namespace

// The engines run in the variant the program selects, the RTA also in the generic one.
int main()
{
    if (!InstallOsSyncTally())
        std::printf("analysis.os_sync_tally: unavailable\n");
    Audio audio;
    MakeAudio(audio);
    SelectDspCpu();
    const int selected = dspsCurrentVariant();
    CEbur128Reference ref;
    const bool haveRef = ref.Load() && ref.Start(kRate);
    ref.Stop();
    std::vector<Job> jobs;
    for (int frames : kBlockSizes) {
        const std::string size = "." + std::to_string(frames);
        jobs.push_back(
            {"loudness.process" + size, selected, false, [&, frames] { return Loudness(audio, frames); }, {}});
        if (haveRef)
            jobs.push_back(
                {"loudness.ebur128" + size, selected, true, [&, frames] { return Ebur128(ref, audio, frames); }, {}});
    }
    for (int frames : kBlockSizes)
        jobs.push_back({"scope.path." + std::to_string(frames),
                        selected,
                        false,
                        [&, frames] { return Scope(audio, frames); },
                        {}});
    const char* const resolutions[] = {"rta.third", "rta.sixth"};
    for (int r = 0; r < 2; ++r) {
        const std::string name = resolutions[r];
        jobs.push_back({name + ".generic", VariantGeneric, false, [&, r] { return Rta(audio.left, r); }, {}});
        jobs.push_back({name, selected, false, [&, r] { return Rta(audio.left, r); }, {}});
    }
    RunRounds(jobs);
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (jobs[j].reference)
            PrintReference(jobs[j - 1], jobs[j]);
        else
            Print(jobs[j].key.c_str(), jobs[j].runs);
    }
    if (!haveRef)
        std::printf("loudness.ebur128.us_per_s: unavailable\n");
    std::printf("rta.variant: %d\n", selected);
    return 0;
}
