#include "analysis/CDelayLine16.h"
#include "analysis/CScopeSignalPath.h"
#include "analysis/OnePoleCascade.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
const int kRingBytes = 8192;
const int kGain = 3700;

struct Streams {
    std::vector<int16_t> raw, envA, envB;
};

// The path as the application sets it up.
void SetUpPath(CScopeSignalPath& path)
{
    path.SetTuning(8500, 3584, 2048, 750);
    ASSERT_TRUE(path.Setup(kRingBytes, 65536));
    path.SetDisplayParams(300, 46, 1500);
}

// What the three rings should hold after the samples went through Input:
// gain, then DC removal at half amplitude, envelopes A (18/256) and B
// (93/256) of five poles, and raw and B delayed by 46 samples.
Streams Expected(const std::vector<int32_t>& in, int gain)
{
    const int n = static_cast<int>(in.size());
    Streams s{std::vector<int16_t>(n), std::vector<int16_t>(n), std::vector<int16_t>(n)};
    std::vector<int16_t> scaled(n), dcFree(n);
    int32_t dc = 0;
    for (int i = 0; i < n; ++i) {
        const int64_t v = static_cast<int64_t>(gain) * in[i] >> 12;
        scaled[i] = static_cast<int16_t>(std::min<int64_t>(std::max<int64_t>(v, -32768), 32767));
        const int32_t x = scaled[i] * 256;
        dc += (x - dc) >> 11;
        dcFree[i] = static_cast<int16_t>((x - dc) >> 9);
    }
    OnePoleCascade a, b;
    a.Init(18 << 4, 5);
    b.Init(93 << 4, 5);
    a.Process(dcFree.data(), s.envA.data(), n);
    b.Process(dcFree.data(), s.envB.data(), n);
    for (int i = 0; i < n; ++i) {
        s.raw[i] = i >= 46 ? scaled[i - 46] : 0;
    }
    std::vector<int16_t> delayedB(n, 0);
    std::copy(s.envB.begin(), s.envB.end() - 46, delayedB.begin() + 46);
    s.envB = delayedB;
    return s;
}

Streams Drain(CScopeSignalPath& path, int samples)
{
    Streams s{std::vector<int16_t>(samples), std::vector<int16_t>(samples), std::vector<int16_t>(samples)};
    void* const bufs[3] = {s.raw.data(), s.envA.data(), s.envB.data()};
    EXPECT_EQ(path.Get(bufs, samples * 2, false, false), samples * 2);
    return s;
}

std::vector<int32_t> Square(int n, int amplitude, int halfPeriod)
{
    std::vector<int32_t> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = (i / halfPeriod) % 2 ? -amplitude : amplitude;
    return v;
}

void PutStreams(CScopeSignalPath& path, std::vector<int16_t>& raw, std::vector<int16_t>& envA,
                std::vector<int16_t>& envB)
{
    void* const bufs[3] = {raw.data(), envA.data(), envB.data()};
    path.Put(bufs, static_cast<int>(raw.size() * 2), false, false);
}
} // namespace

TEST(ScopeSignalPath, RingsHoldRawAndEnvelopesWithTheirDelays)
{
    CScopeSignalPath path;
    SetUpPath(path);
    std::vector<int32_t> in(3000); // longer than the 2048-frame work blocks
    for (int i = 0; i < 3000; ++i)
        in[i] = static_cast<int32_t>(20000.0 * ((i * 37) % 200 - 100) / 100.0);
    std::vector<int32_t> first(in.begin(), in.begin() + 700), second(in.begin() + 700, in.end());
    ASSERT_TRUE(path.Input(first.data(), 700, kGain, 0));
    ASSERT_TRUE(path.Input(second.data(), 2300, kGain, 0));
    const Streams want = Expected(in, kGain);
    const Streams got = Drain(path, 3000);
    EXPECT_EQ(got.raw, want.raw);
    EXPECT_EQ(got.envA, want.envA);
    EXPECT_EQ(got.envB, want.envB);
}

TEST(ScopeSignalPath, FullRingTakesOnlyWhatFits)
{
    CScopeSignalPath path;
    SetUpPath(path);
    std::vector<int32_t> in = Square(5000, 10000, 100);
    ASSERT_TRUE(path.Input(in.data(), 5000, kGain, 0));
    const Streams want = Expected(in, kGain);
    const Streams got = Drain(path, kRingBytes / 2);
    EXPECT_TRUE(std::equal(got.raw.begin(), got.raw.end(), want.raw.begin()));
    EXPECT_TRUE(std::equal(got.envB.begin(), got.envB.end(), want.envB.begin()));
}

TEST(ScopeSignalPath, FullScaleSquareAtRaisedGainDoesNotWrap)
{
    CScopeSignalPath path;
    SetUpPath(path);
    const int gain30dB = 129527;
    const std::vector<int32_t> in = Square(960 * 25, 32767, 480);
    Streams got;
    for (int block = 0; block < 25; ++block) {
        ASSERT_TRUE(path.Input(in.data() + block * 960, 960, gain30dB, 0));
        got = Drain(path, 960);
    }
    // The last block: raw delayed by 46, clamped with the right sign.
    for (int i = 0; i < 960; ++i) {
        const int32_t source = in[24 * 960 + i - 46];
        ASSERT_EQ(got.raw[i], source > 0 ? 32767 : -32768) << i;
    }
    // Once the DC blocker has settled, the DC-free stream swings about half
    // the square's amplitude (tilted by the 3.7 Hz corner over each 10 ms
    // half period), and envelope B follows it closely.
    const auto range = std::minmax_element(got.envB.begin(), got.envB.end());
    EXPECT_GT(*range.second, 16384);
    EXPECT_LT(*range.second, 16384 * 115 / 100);
    EXPECT_LT(*range.first, -16384);
    EXPECT_GT(*range.first, -16384 * 115 / 100);
    double magnitude = 0.0;
    for (int16_t v : got.envB)
        magnitude += std::abs(v);
    EXPECT_NEAR(magnitude / got.envB.size(), 16384, 1500);
}

TEST(ScopeSignalPath, TriggerPicksTheSlowEnvelopeUnlessItIsUnderAQuarter)
{
    struct Case {
        int16_t peakA, peakB;
        int expectedStart;
    } cases[] = {{100, 500, 300}, {100, 400, 100}, {0, 0, 0}, {300, 200, 100}};
    for (const Case& c : cases) {
        CScopeSignalPath path;
        SetUpPath(path);
        std::vector<int16_t> raw(3584), envA(3584, 0), envB(3584, 0);
        for (int i = 0; i < 3584; ++i)
            raw[i] = static_cast<int16_t>(i);
        envA[750 + 100] = c.peakA;
        envA[750 + 900] = c.peakA; // a later equal peak loses
        envB[750 + 300] = c.peakB;
        PutStreams(path, raw, envA, envB);
        std::vector<int16_t> out(1536, -1);
        ASSERT_TRUE(path.ReadForDisplay(out.data(), 1536));
        for (int k = 0; k < 1536; ++k)
            ASSERT_EQ(out[k], c.expectedStart + k) << c.peakA << " " << c.peakB;
    }
}

TEST(ScopeSignalPath, ReadsRepeatOlderDataAndStayWithinTheirBlocks)
{
    CScopeSignalPath path;
    path.SetTuning(8500, 1000, 2048, 750); // search and copy run past the read
    ASSERT_TRUE(path.Setup(kRingBytes, 65536));
    std::vector<int16_t> raw(1000), envA(1000, 0), envB(1000, 0);
    for (int i = 0; i < 1000; ++i)
        raw[i] = static_cast<int16_t>(i);
    envA[990] = 50;
    PutStreams(path, raw, envA, envB);
    std::vector<int16_t> out(1536, -1);
    ASSERT_TRUE(path.ReadForDisplay(out.data(), 1536));
    EXPECT_EQ(out[0], 240);
    EXPECT_EQ(out[759], 999);
    EXPECT_EQ(out[760], 0);
    EXPECT_EQ(out[1535], 0);
    // The ring is empty now: the fill mode reads the same samples again.
    std::fill(out.begin(), out.end(), -1);
    ASSERT_TRUE(path.ReadForDisplay(out.data(), 1536));
    EXPECT_EQ(out[0], 240);
}

TEST(ScopeSignalPath, DefaultsTuningAndBadInput)
{
    CScopeSignalPath path;
    EXPECT_EQ(path.GetLeadTuning(), 4000);
    EXPECT_EQ(path.GetSamplesPerRead(), 16384);
    EXPECT_EQ(path.GetSearchLength(), 8192);
    EXPECT_EQ(path.GetSearchStart(), 2048);
    EXPECT_FALSE(path.IsReady());
    int32_t s[4] = {1, 2, 3, 4};
    int16_t out[4];
    EXPECT_FALSE(path.Input(s, 4, kGain, 0)); // before Setup
    EXPECT_FALSE(path.ReadForDisplay(out, 4));
    EXPECT_FALSE(path.Setup(0, 65536));
    SetUpPath(path);
    EXPECT_TRUE(path.IsReady());
    EXPECT_EQ(path.GetLeadTuning(), 8500);
    EXPECT_EQ(path.GetEnvelopeDelay(), 46);
    EXPECT_FALSE(path.Input(nullptr, 4, kGain, 0));
    EXPECT_FALSE(path.Input(s, 0, kGain, 0));
    EXPECT_FALSE(path.Process(nullptr, 4));
    EXPECT_FALSE(path.ReadForDisplay(nullptr, 4));
    EXPECT_FALSE(path.ReadForDisplay(out, 0));
    EXPECT_TRUE(path.Input(s, 4, kGain, 70000)); // a delay beyond the line is ignored
    path.Reset();
    EXPECT_FALSE(path.IsReady());
    EXPECT_FALSE(path.Input(s, 4, kGain, 0));
}

// Counts past 2^30 samples have byte sizes an int cannot hold: refused before anything is read or written.
TEST(ScopeSignalPath, CountsTooLargeForTheirBlocksAreRefused)
{
    CScopeSignalPath path;
    SetUpPath(path);
    std::vector<int32_t> in(16, 1000);
    std::vector<int16_t> block(16, 1000);
    for (int count : {(1 << 30) + 1, 0x7fffffff}) {
        EXPECT_FALSE(path.Input(in.data(), count, kGain, 0)) << count;
        EXPECT_FALSE(path.Process(block.data(), count)) << count;
    }
    EXPECT_EQ(path.GetFifo(0)->GetUsed(), 0);
    EXPECT_EQ(block, std::vector<int16_t>(16, 1000));
}
