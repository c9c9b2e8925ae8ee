#include "analysis/CRtaEngine.h"
#include "signal/DspRegistry.h"
#include "TestSignals.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstdio>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {
const int kRate = 48000;
// 42 x 48000 / 1024: every hop starts at the same phase, so every result is
// the same (band 40 at 1/6 octave).
const double kSteadyHz = 1968.75;

// Counts the results of one push.
int Push(CRtaEngine& e, const std::vector<int32_t>& samples)
{
    const int before = e.GetAveragedCount();
    e.PushSamples(samples.data(), static_cast<int>(samples.size()));
    return e.GetAveragedCount() - before;
}

std::vector<float> Levels(CRtaEngine& e)
{
    std::vector<float> out(e.GetBandCount());
    EXPECT_TRUE(e.FetchBands(out.data()));
    return out;
}

void PushSine(CRtaEngine& e, double dbfs, double hz, int seconds)
{
    SineSource s(dbfs, hz);
    for (int i = 0; i < seconds * kRate / 4800; ++i) {
        const std::vector<int32_t> block = s.Next(4800);
        e.PushSamples(block.data(), 4800);
    }
}

double Db(double amplitude)
{
    return 20.0 * std::log10(amplitude);
}

// Least-squares slope of levels[from..to) per band.
double Slope(const std::vector<float>& levels, int from, int to)
{
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const int n = to - from;
    for (int i = from; i < to; ++i) {
        sx += i;
        sy += levels[i];
        sxx += static_cast<double>(i) * i;
        sxy += i * static_cast<double>(levels[i]);
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}
} // namespace

TEST(RtaEngine, OneResultPerThousandTwentyFourSamples)
{
    CRtaEngine e;
    EXPECT_EQ(e.GetBandCount(), 0);
    ASSERT_TRUE(e.Setup(0, kRate, 999));
    EXPECT_EQ(e.GetBandCount(), 31);
    EXPECT_EQ(Push(e, std::vector<int32_t>(512, 100)), 0);
    EXPECT_FALSE(e.IsResultReady());
    EXPECT_EQ(Push(e, std::vector<int32_t>(512, 100)), 1);
    EXPECT_TRUE(e.IsResultReady());
    EXPECT_EQ(Push(e, std::vector<int32_t>(1023, 100)), 0);
    EXPECT_EQ(Push(e, std::vector<int32_t>(1, 100)), 1);
    EXPECT_EQ(Push(e, std::vector<int32_t>(5000, 100)), 4);
    EXPECT_EQ(e.GetHopFill(), 904);
    Levels(e);
    EXPECT_FALSE(e.IsResultReady());
    ASSERT_TRUE(e.Setup(1, kRate, 10));
    EXPECT_EQ(e.GetBandCount(), 63);
    EXPECT_EQ(e.GetHopFill(), 0);
}

TEST(RtaEngine, FullScaleSineReadsInItsBand)
{
    CRtaEngine e;
    ASSERT_TRUE(e.Setup(0, kRate, 1));
    PushSine(e, 0.0, 1000.0, 1);
    const std::vector<float> l = Levels(e);
    // 20 log10(1/sqrt 2) less about 0.05 dB of the Blackman window's sum.
    EXPECT_NEAR(l[17], -3.06, 0.05);
    EXPECT_LT(l[16], -40.0);
    EXPECT_LT(l[18], -40.0);
    for (int i = 20; i < 31; ++i)
        EXPECT_LT(l[i], -80.0) << i;
}

TEST(RtaEngine, LowSineReadsThroughTheBandFilters)
{
    for (int resolution : {0, 1}) {
        CRtaEngine e;
        ASSERT_TRUE(e.Setup(resolution, kRate, 1));
        PushSine(e, -6.0, 19.952623, 6);
        const std::vector<float> l = Levels(e);
        const double amplitude = std::pow(10.0, -6.0 / 20.0);
        EXPECT_NEAR(l[0], Db(amplitude / std::sqrt(2.0)), 0.3) << resolution;
        EXPECT_LT(l[resolution == 0 ? 3 : 6], l[0] - 30.0) << resolution;
    }
}

TEST(RtaEngine, SteadySignalReadsAlikeForEveryAveragingCount)
{
    std::vector<float> reference;
    for (int averages : {1, 5, 100}) {
        CRtaEngine e;
        ASSERT_TRUE(e.Setup(1, kRate, averages));
        PushSine(e, -12.0, kSteadyHz, 4);
        const std::vector<float> l = Levels(e);
        if (reference.empty())
            reference = l;
        for (int band : {39, 40, 41})
            EXPECT_NEAR(l[band], reference[band], 0.01) << averages << " " << band;
    }
}

TEST(RtaEngine, SilenceReadsTheFloor)
{
    CRtaEngine e;
    ASSERT_TRUE(e.Setup(0, kRate, 10));
    e.PushSamples(std::vector<int32_t>(8192, 0).data(), 8192);
    for (float v : Levels(e))
        EXPECT_TRUE(std::isinf(v) && v < 0.0f);
}

TEST(RtaEngine, AveragesAreHeldToOneThroughNineHundredNinetyNine)
{
    CRtaEngine e;
    ASSERT_TRUE(e.Setup(0, kRate, 0));
    EXPECT_EQ(e.GetAverages(), 1);
    ASSERT_TRUE(e.Setup(0, kRate, -3));
    EXPECT_EQ(e.GetAverages(), 1);
    PushSine(e, -6.0, 1000.0, 1);
    EXPECT_TRUE(std::isfinite(Levels(e)[17]));
    e.SetAverages(0);
    EXPECT_EQ(e.GetAverages(), 1);
    PushSine(e, -6.0, 1000.0, 1);
    EXPECT_NEAR(Levels(e)[17], -9.06, 0.1);
    e.SetAverages(5000);
    EXPECT_EQ(e.GetAverages(), 999);
    EXPECT_EQ(e.GetAveragedCount(), 96000 / 1024); // every valid result so far
    e.SetAverages(10);
    EXPECT_EQ(e.GetAveragedCount(), 10);
}

TEST(RtaEngine, RatesWithoutFilterTablesMeasureEveryBandByFft)
{
    CRtaEngine e;
    ASSERT_TRUE(e.Setup(0, 96000, 1));
    SineSource low(-6.0, 20.0, 96000.0), mid(-6.0, 1000.0, 96000.0);
    for (int i = 0; i < 40; ++i) {
        std::vector<int32_t> block = low.Next(4800);
        const std::vector<int32_t> tone = mid.Next(4800);
        for (int k = 0; k < 4800; ++k)
            block[k] += tone[k];
        e.PushSamples(block.data(), 4800);
    }
    const std::vector<float> l = Levels(e);
    EXPECT_NEAR(l[17], -6.0 - 3.06, 0.1);
    // Band 0 lies inside one 23.4 Hz bin here: its FFT value, not a filter's.
    EXPECT_TRUE(std::isfinite(l[0]));
    EXPECT_GT(l[0], -20.0);
    EXPECT_FALSE(e.Setup(0, 0, 1));
    EXPECT_FALSE(e.Setup(3, kRate, 1));
    EXPECT_EQ(e.GetBandCount(), 0);
    EXPECT_FALSE(e.FetchBands(std::vector<float>(64).data()));
    e.PushSamples(nullptr, 100);
}

TEST(RtaEngine, WhiteNoiseRisesOneDecibelPerThirdOctaveAndPinkNoiseIsFlat)
{
    for (int resolution : {0, 1}) {
        CRtaEngine white, pink;
        ASSERT_TRUE(white.Setup(resolution, kRate, 999));
        ASSERT_TRUE(pink.Setup(resolution, kRate, 999));
        std::mt19937 rng(11);
        std::normal_distribution<double> g(0.0, 3000.0);
        // Pinking filter: a sum of one-pole low-passes, -3 dB per octave
        // within 0.05 dB over the audio band.
        double b[7] = {};
        std::vector<int32_t> w(4800), p(4800);
        for (int block = 0; block < 250; ++block) {
            for (int i = 0; i < 4800; ++i) {
                const double x = g(rng);
                b[0] = 0.99886 * b[0] + x * 0.0555179;
                b[1] = 0.99332 * b[1] + x * 0.0750759;
                b[2] = 0.96900 * b[2] + x * 0.1538520;
                b[3] = 0.86650 * b[3] + x * 0.3104856;
                b[4] = 0.55000 * b[4] + x * 0.5329522;
                b[5] = -0.7616 * b[5] - x * 0.0168980;
                const double y = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + x * 0.5362;
                b[6] = x * 0.115926;
                w[i] = static_cast<int32_t>(x);
                p[i] = static_cast<int32_t>(y * 0.25);
            }
            white.PushSamples(w.data(), 4800);
            pink.PushSamples(p.data(), 4800);
        }
        const std::vector<float> lw = Levels(white), lp = Levels(pink);
        const int bands = resolution == 0 ? 30 : 60; // below 20 kHz
        const double perBand = resolution == 0 ? 1.0 : 0.5;
        EXPECT_NEAR(Slope(lw, 0, bands), perBand, 0.1) << resolution;
        EXPECT_NEAR(Slope(lp, 0, bands), 0.0, 0.1) << resolution;
        const int crossover = resolution == 0 ? 16 : 32;
        // Narrow bands vary more from result to result, and the mean of
        // fourth roots reads them lower: the filtered bands scatter more.
        for (int i = 1; i < bands; ++i) {
            const double spread = i < crossover + 4 ? 2.0 : 0.5;
            EXPECT_NEAR(lw[i] - lw[i - 1], perBand, spread) << resolution << " " << i;
            EXPECT_NEAR(lp[i] - lp[i - 1], 0.0, spread) << resolution << " " << i;
        }
        EXPECT_LT(std::fabs(lw[crossover] - lw[crossover - 1] - perBand), 1.0);
        std::printf("resolution %d: white step at crossover %.2f dB, pink %.2f dB\n", resolution,
                    lw[crossover] - lw[crossover - 1] - perBand, lp[crossover] - lp[crossover - 1]);
    }
}

TEST(RtaEngine, AveragingChangesWhileAnalysingLeaveResultsWhole)
{
    CRtaEngine e;
    ASSERT_TRUE(e.Setup(1, kRate, 10));
    // Enough results that even 500 of them hold none from the start-up.
    PushSine(e, -6.0, kSteadyHz, 12);
    const float steady = Levels(e)[40];
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0}, fetched{0};
    std::thread worker([&] {
        SineSource s(-6.0, kSteadyHz);
        s.Next(12 * kRate);
        std::vector<float> out(63);
        for (int i = 0; i < 400; ++i) {
            e.PushSamples(s.Next(512).data(), 512);
            // Not only when a result is ready: the other thread's fetches take that flag.
            if (e.FetchBands(out.data())) {
                ++fetched;
                if (std::fabs(out[40] - steady) > 0.01f)
                    ++wrong;
            }
        }
        done = true;
    });
    std::vector<float> out(63);
    const int counts[] = {1, 5, 10, 25, 50, 100, 250, 500};
    for (int i = 0; !done; ++i) {
        e.SetAverages(counts[i % 8]);
        if (e.FetchBands(out.data()) && std::fabs(out[40] - steady) > 0.01f)
            ++wrong;
    }
    worker.join();
    EXPECT_GT(fetched.load(), 0);
    EXPECT_EQ(wrong.load(), 0);
}

TEST(RtaEngine, EveryProcessorVariantReadsTheSameLevels)
{
    std::vector<float> reference;
    for (int variant : {VariantGeneric, VariantSse, VariantSse2, VariantSse3}) {
        dspsStoreVariant(variant);
        CRtaEngine e;
        ASSERT_TRUE(e.Setup(1, kRate, 5));
        PushSine(e, -6.0, 19.952623, 2);
        PushSine(e, -20.0, 3000.0, 1);
        const std::vector<float> l = Levels(e);
        if (reference.empty())
            reference = l;
        for (int band = 0; band < 63; ++band) {
            if (reference[band] > -100.0f) {
                EXPECT_NEAR(l[band], reference[band], 0.01) << variant << " " << band;
            }
        }
    }
    dspsStoreVariant(VariantGeneric);
}
