#include "analysis/CLoudnessMeter.h"
#include "analysis/PeakHold.h"
#include "tests/common/FakeTicks.h"
#include "TestSignals.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
const int kBlock = 480; // 10 ms at 48 kHz

// Feeds the meter stereo blocks and moves the fake clock on by 10 ms each.
class StereoFeed {
public:
    explicit StereoFeed(CLoudnessMeter& meter, uint32_t start = 1000) : m_meter(meter), m_ticks(start)
    {
        meter.SetTickSource(&m_ticks);
    }
    ~StereoFeed() { m_meter.SetTickSource(nullptr); }
    void Block(const std::vector<int32_t>& left, const std::vector<int32_t>& right)
    {
        const int32_t* channels[2] = {left.data(), right.data()};
        ASSERT_TRUE(m_meter.Process(channels, 2, static_cast<int>(left.size())));
        m_ticks.now += static_cast<uint32_t>(left.size() / 48);
    }
    void Same(const std::vector<int32_t>& both) { Block(both, both); }
    uint32_t Now() const { return m_ticks.now; }

private:
    CLoudnessMeter& m_meter;
    FakeTicks m_ticks;
};

const LoudnessReading& Last(const CLoudnessMeter& meter)
{
    const int L = meter.GetHistoryLength();
    return *meter.GetHistoryRecord((meter.GetWritePos() + L - 1) % L);
}

double Lufs(int reading)
{
    return reading / 100.0 - 0.691;
}

// Alternates two levels of a 1 kHz stereo sine and returns the row 0 sum
// readings, one per block.
std::vector<int> AlternatingReadings(int windowMs, int blocksHigh, int blocksLow, int totalBlocks)
{
    LoudnessConfig cfg;
    cfg.windowMs[0] = windowMs;
    CLoudnessMeter meter;
    meter.Configure(cfg);
    StereoFeed feed(meter);
    SineSource sine(-20.0, 1000.0);
    std::vector<int> readings;
    for (int b = 0; b < totalBlocks; ++b) {
        sine.SetLevel(b % (blocksHigh + blocksLow) < blocksHigh ? -20.0 : -30.0);
        feed.Same(sine.Next(kBlock));
        readings.push_back(Last(meter).level[0][0]);
    }
    return readings;
}

void ExpectSteady(const std::vector<int>& readings, int from, double lufs)
{
    const auto range = std::minmax_element(readings.begin() + from, readings.end());
    EXPECT_LE(*range.second - *range.first, 1);
    EXPECT_NEAR(Lufs(*range.first), lufs, 0.1);
}
} // namespace

TEST(LoudnessMeter, HistoryStartsBlankAndSilenceReadsTheFloor)
{
    LoudnessConfig cfg;
    CLoudnessMeter meter;
    ASSERT_TRUE(meter.Configure(cfg));
    ASSERT_EQ(meter.GetHistoryLength(), 500);
    for (int i = 0; i < 500; ++i) {
        const LoudnessReading* r = meter.GetHistoryRecord(i);
        for (int c = 0; c < 9; ++c) {
            for (int w = 0; w < 4; ++w)
                ASSERT_EQ(r->level[w][c], -14400);
            ASSERT_EQ(r->peakA[c], -14400);
            ASSERT_EQ(r->peakB[c], -14400);
            ASSERT_EQ(r->clipLamp[c], 0);
        }
    }
    StereoFeed feed(meter);
    for (int b = 0; b < 5; ++b)
        feed.Same(std::vector<int32_t>(kBlock, 0));
    const LoudnessReading& r = Last(meter);
    EXPECT_EQ(r.stamp, 0u);
    for (int w = 0; w < 4; ++w) {
        for (int c = 0; c <= 2; ++c)
            EXPECT_EQ(r.level[w][c], -14400);
        for (int c = 3; c < 9; ++c)
            EXPECT_EQ(r.level[w][c], 0); // columns beyond the processed channels
    }
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(r.peakA[c], -14400);
        EXPECT_EQ(r.peakB[c], -14400);
    }
}

TEST(LoudnessMeter, SineLevelsPowerSumAndOffWindow)
{
    for (double dbfs : {-23.0, -33.0}) {
        LoudnessConfig cfg;
        CLoudnessMeter meter;
        meter.Configure(cfg);
        StereoFeed feed(meter);
        SineSource sine(dbfs, 1000.0);
        for (int b = 0; b < 400; ++b)
            feed.Same(sine.Next(kBlock));
        const LoudnessReading& r = Last(meter);
        const int expectedSum = dbfs == -23.0 ? -2238 : -3238;
        EXPECT_NEAR(r.level[0][0], expectedSum, 2) << dbfs;
        EXPECT_NEAR(r.level[0][1], expectedSum - 301, 2) << dbfs;
        EXPECT_EQ(r.level[0][1], r.level[0][2]);
        EXPECT_NEAR(r.level[0][0] - r.level[0][1], 301, 1);
        // Every block so far fits the 10 s window too.
        EXPECT_NEAR(r.level[1][0], r.level[0][0], 1);
        for (int c = 0; c <= 2; ++c)
            EXPECT_EQ(r.level[3][c], -14400);        // window 3 is off
        EXPECT_NEAR(Lufs(r.level[0][0]), dbfs, 0.1); // EBU Tech 3341 cases 1 and 2
    }
}

// The limits the README states: the fixed-point weighting loses quiet signals,
// and peaks are the largest sample, not the waveform's crest between samples.
TEST(LoudnessMeter, QuietSinesReadLowThenNothingAndPeaksAreSamplePeaks)
{
    const double kShowsNothing = 1000.0;
    struct Case {
        double dbfs, hz, phase;
        double lowByAtLeast, lowByAtMost; // dB below the signal's loudness
        double peakDb;
    };
    const Case cases[] = {
        {-23.0, 1000.0, 0.0, -0.1, 0.1, -23.0},
        {-45.0, 1000.0, 0.0, 0.0, 0.2, -45.0},
        {-55.0, 1000.0, 0.0, 0.3, 0.6, -55.0},
        {-60.0, 1000.0, 0.0, 1.0, 2.0, -60.0},
        {-67.0, 1000.0, 0.0, kShowsNothing, kShowsNothing, -67.0},
        // K-weighting lifts 12 kHz 3.3 dB above 1 kHz; every sample lies 3 dB below the crest.
        {-3.0, 12000.0, kPi / 4, -3.4, -3.1, -6.01},
    };
    for (const Case& c : cases) {
        LoudnessConfig cfg;
        CLoudnessMeter meter;
        meter.Configure(cfg);
        StereoFeed feed(meter);
        const double amplitude = 32768.0 * std::pow(10.0, c.dbfs / 20.0);
        const double step = 2.0 * kPi * c.hz / 48000.0;
        std::vector<int32_t> block(kBlock);
        int32_t largest = 0;
        for (int b = 0; b < 400; ++b) {
            for (int i = 0; i < kBlock; ++i) {
                block[i] = std::lround(amplitude * std::sin(step * (b * kBlock + i) + c.phase));
                largest = std::max(largest, std::abs(block[i]));
            }
            feed.Same(block);
        }
        const LoudnessReading& r = Last(meter);
        if (c.lowByAtLeast == kShowsNothing) {
            EXPECT_EQ(r.level[0][0], LoudnessReading::kFloor) << c.dbfs;
        } else {
            EXPECT_GE(c.dbfs - Lufs(r.level[0][0]), c.lowByAtLeast) << c.dbfs;
            EXPECT_LE(c.dbfs - Lufs(r.level[0][0]), c.lowByAtMost) << c.dbfs;
        }
        EXPECT_NEAR(r.peakA[1] / 100.0, 20.0 * std::log10(largest / 32768.0), 0.01) << c.dbfs;
        EXPECT_NEAR(r.peakA[1] / 100.0, c.peakDb, 0.3) << c.dbfs; // quiet samples are coarse
    }
}

TEST(LoudnessMeter, ConstantInputFallsToTheFloor)
{
    LoudnessConfig cfg;
    cfg.windowMs[0] = 100;
    CLoudnessMeter meter;
    meter.Configure(cfg);
    StereoFeed feed(meter);
    for (int b = 0; b < 200; ++b)
        feed.Same(std::vector<int32_t>(kBlock, 12000));
    EXPECT_EQ(Last(meter).level[0][0], -14400);
    EXPECT_EQ(Last(meter).level[0][1], -14400);
}

TEST(LoudnessMeter, ShortTermAndMomentaryReadingsAreConstantForTech3341Cases9And12)
{
    // 1.34 s at -20 dBFS, 1.66 s at -30 dBFS: one period fills the 3 s window.
    ExpectSteady(AlternatingReadings(3000, 134, 166, 1000), 301, -23.0);
    // 0.18 s at -20 dBFS, 0.22 s at -30 dBFS in a 400 ms window.
    ExpectSteady(AlternatingReadings(400, 18, 22, 300), 100, -23.0);
}

TEST(LoudnessMeter, FullScaleReadsZeroAndHoldsDecayAfterTheSlidingSpan)
{
    LoudnessConfig cfg;
    CLoudnessMeter meter;
    meter.Configure(cfg);
    StereoFeed feed(meter);
    std::vector<int32_t> block(kBlock, 0);
    block[10] = 32767;
    std::vector<int32_t> negative(kBlock, 0);
    negative[3] = -32768;
    feed.Block(block, negative);
    const LoudnessReading& first = Last(meter);
    EXPECT_EQ(first.peakA[0], 0);
    EXPECT_EQ(first.peakB[0], 0);
    EXPECT_EQ(first.peakA[1], 0);
    EXPECT_EQ(first.peakA[2], 0);

    const std::vector<int32_t> zeros(kBlock, 0);
    int blocks = 1;
    while (Last(meter).peakB[0] == 0 && blocks < 100) {
        feed.Same(zeros);
        ++blocks;
    }
    // Hold B's sliding span is 9600 samples; then the hold falls 7 times per
    // 480-sample block (the remainder of 32 samples is not carried).
    EXPECT_LE(blocks * kBlock, 9600 + kBlock);
    auto decayBlock = [](int32_t h) {
        for (int i = 0; i < 7; ++i)
            h = h * 16377 >> 14;
        return h;
    };
    int32_t hold = decayBlock(32768);
    EXPECT_EQ(Last(meter).peakB[0], PeakLevel(hold));
    const int start = Last(meter).peakB[0];
    for (int b = 0; b < 100; ++b) {
        feed.Same(zeros);
        hold = decayBlock(hold);
    }
    EXPECT_EQ(Last(meter).peakB[0], PeakLevel(hold));
    // About 2.7 dB in one second: 700 falls of 16377/16384, each truncated.
    EXPECT_NEAR(start - Last(meter).peakB[0], 270, 5);
}

TEST(LoudnessMeter, SlidingMaximaHoldALonePeakForTheirSpans)
{
    LoudnessConfig cfg;
    cfg.decayA = cfg.decayB = 0; // the holds follow the sliding maxima alone
    CLoudnessMeter meter;
    meter.Configure(cfg);
    StereoFeed feed(meter);
    std::vector<int32_t> spike(kBlock, 0);
    spike[0] = 16384;
    feed.Same(spike);
    EXPECT_EQ(Last(meter).peakA[0], -602);
    const std::vector<int32_t> zeros(kBlock, 0);
    int heldA = kBlock, heldB = kBlock;
    for (int b = 0; b < 40; ++b) {
        feed.Same(zeros);
        heldA += Last(meter).peakA[0] == -602 ? kBlock : 0;
        heldB += Last(meter).peakB[0] == -602 ? kBlock : 0;
    }
    EXPECT_GE(heldA, 3600 - kBlock);
    EXPECT_LE(heldA, 4800);
    EXPECT_GE(heldB, 7200 - kBlock);
    EXPECT_LE(heldB, 9600);
    EXPECT_EQ(Last(meter).peakA[0], -14400);
}

TEST(LoudnessMeter, ClipLampsNeedRunsAndLightForHalfASecond)
{
    LoudnessConfig cfg;
    CLoudnessMeter meter;
    meter.Configure(cfg);
    StereoFeed feed(meter, 5000);
    const std::vector<int32_t> zeros(kBlock, 0);
    std::vector<int32_t> single(kBlock, 0);
    single[100] = 32767;
    feed.Block(single, zeros);
    EXPECT_EQ(Last(meter).clipLamp[0], 1);
    EXPECT_EQ(Last(meter).clipLamp[1], 0);
    EXPECT_EQ(Last(meter).clipLamp[2], 0);
    for (int b = 0; b < 49; ++b) // up to 490 ms after the clip
        feed.Same(zeros);
    EXPECT_EQ(Last(meter).clipLamp[0], 1);
    feed.Same(zeros); // 500 ms
    EXPECT_EQ(Last(meter).clipLamp[0], 0);

    std::vector<int32_t> run(kBlock, 0);
    run[200] = run[201] = run[202] = -32768;
    feed.Block(zeros, run);
    EXPECT_EQ(Last(meter).clipLamp[0], 1);
    EXPECT_EQ(Last(meter).clipLamp[1], 0);
    EXPECT_EQ(Last(meter).clipLamp[2], 1);
}

TEST(LoudnessMeter, ReaderCopiesTwoBehindAndPassesAtMostTwoHundredRecords)
{
    struct Counting : CLoudnessMeter {
        void OnHistoryRecord(const LoudnessReading*, LoudnessReading*) override { ++passed; }
        void OnReadingsRead(LoudnessReading* copy) override { stamp = copy->stamp; }
        int passed = 0;
        uint32_t stamp = 0;
    } meter;
    LoudnessConfig cfg;
    meter.Configure(cfg);
    StereoFeed feed(meter);
    SineSource sine(-10.0, 1000.0);
    for (int b = 0; b < 10; ++b)
        feed.Same(sine.Next(kBlock));
    LoudnessReading copy;
    int64_t seq = -1;
    ASSERT_TRUE(meter.ReadLatest(&copy, &seq));
    EXPECT_EQ(seq, 8);
    EXPECT_EQ(meter.passed, 8);
    EXPECT_EQ(meter.stamp, 10u);
    EXPECT_EQ(copy.stamp, 10u);
    EXPECT_EQ(meter.GetReaderPos(), 8);
    EXPECT_EQ(0,
              memcmp(&copy.level, &meter.GetHistoryRecord(8)->level, sizeof(copy) - offsetof(LoudnessReading, level)));

    meter.passed = 0;
    for (int b = 0; b < 300; ++b)
        feed.Same(sine.Next(kBlock));
    ASSERT_TRUE(meter.ReadLatest(&copy, &seq));
    EXPECT_EQ(seq, 308);
    EXPECT_EQ(meter.passed, 200);
    EXPECT_EQ(copy.stamp, 310u);
    EXPECT_EQ(meter.GetReaderPos(), 308);
    // Positions count modulo the history: 500 blocks later the reader finds
    // itself level with its last read.
    meter.passed = 0;
    for (int b = 0; b < 500; ++b)
        feed.Same(sine.Next(kBlock));
    ASSERT_TRUE(meter.ReadLatest(&copy, &seq));
    EXPECT_EQ(seq, 808);
    EXPECT_EQ(meter.passed, 0);
}

TEST(LoudnessMeter, BadInputIsRefusedWithoutHarm)
{
    CLoudnessMeter meter;
    std::vector<int32_t> block(kBlock, 100);
    const int32_t* channels[2] = {block.data(), block.data()};
    LoudnessReading copy;
    EXPECT_FALSE(meter.Process(channels, 2, kBlock)); // before Configure
    EXPECT_FALSE(meter.ReadLatest(&copy));

    LoudnessConfig cfg;
    cfg.channelCount = 12;
    cfg.historyLength = 0;
    ASSERT_TRUE(meter.Configure(cfg));
    EXPECT_EQ(meter.GetConfig().channelCount, 8);
    EXPECT_EQ(meter.GetHistoryLength(), 3);
    EXPECT_FALSE(meter.Process(nullptr, 2, kBlock));
    EXPECT_FALSE(meter.Process(channels, 2, 0));
    const int32_t* missing[2] = {block.data(), nullptr};
    EXPECT_FALSE(meter.Process(missing, 2, kBlock));
    EXPECT_FALSE(meter.ReadLatest(nullptr));

    cfg.channelCount = 1;
    cfg.historyLength = 500;
    meter.Configure(cfg);
    EXPECT_TRUE(meter.Process(missing, 2, kBlock)); // only the configured channel is read
    EXPECT_EQ(Last(meter).level[0][2], 0);
}
