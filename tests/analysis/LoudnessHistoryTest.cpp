#include "analysis/CLoudnessMeter.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {
const int kBlocks = 10000;
const int kFrames = 480;

// Short windows and a different level for every block, so that each reading
// differs from its neighbours.
LoudnessConfig ShortWindows()
{
    LoudnessConfig cfg;
    cfg.windowMs[0] = 20;
    cfg.windowMs[1] = 50;
    cfg.windowMs[2] = 100;
    cfg.windowMs[3] = LoudnessConfig::kIntegrated;
    return cfg;
}

void MakeBlock(int b, std::vector<int32_t>& left, std::vector<int32_t>& right)
{
    const int amplitude = 40 + (b * 7919) % 32000;
    for (int i = 0; i < kFrames; ++i) {
        left[i] = (i % 40 < 20) ? amplitude : -amplitude;
        right[i] = (i % 24 < 12) ? amplitude / 2 : -amplitude / 2;
    }
}

void RunWriter(CLoudnessMeter& meter, FakeTicks& ticks, std::vector<LoudnessReading>* written)
{
    std::vector<int32_t> left(kFrames), right(kFrames);
    for (int b = 0; b < kBlocks; ++b) {
        MakeBlock(b, left, right);
        const int32_t* channels[2] = {left.data(), right.data()};
        meter.Process(channels, 2, kFrames);
        ticks.now += 10;
        if (written) {
            const int L = meter.GetHistoryLength();
            written->push_back(*meter.GetHistoryRecord((meter.GetWritePos() + L - 1) % L));
        }
    }
}

bool SameReading(const LoudnessReading& a, const LoudnessReading& b)
{
    const size_t from = offsetof(LoudnessReading, reserved);
    return std::memcmp(reinterpret_cast<const char*>(&a) + from, reinterpret_cast<const char*>(&b) + from,
                       sizeof(LoudnessReading) - from) == 0;
}

class RecordingMeter : public CLoudnessMeter {
public:
    void OnHistoryRecord(const LoudnessReading* record, LoudnessReading*) override { passed.push_back(*record); }
    std::vector<LoudnessReading> passed;
};

struct ReaderReport {
    int reads = 0;
    int retries = 0;
    int wrongCopies = 0;
    int wrongPassed = 0;
    int gaps = 0;
    int backwards = 0;
    int64_t lastSequence = -1000;
};

void CheckRead(const std::vector<LoudnessReading>& expected, const LoudnessReading& blank, RecordingMeter& meter,
               const LoudnessReading& copy, int64_t seq, ReaderReport& report)
{
    auto at = [&](int64_t s) -> const LoudnessReading& { return s < 0 ? blank : expected[s]; };
    const int64_t n = static_cast<int64_t>(meter.passed.size());
    if (report.reads > 0) {
        if (seq < report.lastSequence)
            ++report.backwards;
        // Every record since the previous read is passed over unless the
        // reader fell more than 200 records behind.
        if (seq - report.lastSequence <= CLoudnessMeter::kMaxPassedRecords && n != seq - report.lastSequence)
            ++report.gaps;
    }
    if (!SameReading(copy, at(seq)))
        ++report.wrongCopies;
    for (int64_t j = 0; j < n; ++j) {
        if (!SameReading(meter.passed[j], at(seq - n + j)))
            ++report.wrongPassed;
    }
    ++report.reads;
    report.lastSequence = seq;
}
} // namespace

TEST(LoudnessHistory, ReaderThreadSeesWholeReadingsInOrderWhileTheWriterRuns)
{
    std::vector<LoudnessReading> expected;
    {
        CLoudnessMeter reference;
        reference.Configure(ShortWindows());
        FakeTicks ticks(1000);
        reference.SetTickSource(&ticks);
        RunWriter(reference, ticks, &expected);
    }
    RecordingMeter meter;
    meter.Configure(ShortWindows());
    FakeTicks ticks(1000);
    meter.SetTickSource(&ticks);
    LoudnessReading blank;
    std::memset(&blank, 0, sizeof(blank));
    meter.ResetReading(&blank);

    std::atomic<bool> done{false};
    ReaderReport report;
    std::thread reader([&] {
        LoudnessReading copy;
        for (bool last = false; !last;) {
            last = done.load();
            meter.passed.clear();
            int64_t seq = 0;
            if (!meter.ReadLatest(&copy, &seq)) {
                ++report.retries;
                last = false;
                continue;
            }
            CheckRead(expected, blank, meter, copy, seq, report);
        }
    });
    RunWriter(meter, ticks, nullptr);
    done = true;
    reader.join();

    EXPECT_GT(report.reads, 0);
    EXPECT_EQ(report.lastSequence, kBlocks - 2);
    EXPECT_EQ(report.wrongCopies, 0);
    EXPECT_EQ(report.wrongPassed, 0);
    EXPECT_EQ(report.gaps, 0);
    EXPECT_EQ(report.backwards, 0);
    std::printf("reads: %d retries: %d\n", report.reads, report.retries);
}
