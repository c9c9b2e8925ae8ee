#include "analysis/CFftBlock.h"
#include "signal/Dsp.h"
#include <gtest/gtest.h>
#include <cmath>
#include <random>
#include <vector>

namespace {
// Unscaled CCS spectrum of taps zero-padded to 2N points.
std::vector<float> TapsSpectrum(const std::vector<float>& taps, int order)
{
    const int points = 2 << order;
    std::vector<float> padded(points, 0.0f), spectrum(points + 2, 0.0f);
    std::copy(taps.begin(), taps.end(), padded.begin());
    RealFftSpec* spec = nullptr;
    EXPECT_EQ(dspsFFTInitAlloc_R_32f(&spec, order + 1, 8, 1), StatusOk);
    EXPECT_EQ(dspsFFTFwd_RToCCS_32f(padded.data(), spectrum.data(), spec, nullptr), StatusOk);
    dspsFFTFree_R_32f(spec);
    return spectrum;
}

// Runs the stream through the block, N samples at a time.
std::vector<float> Convolve(CFftBlock& block, const std::vector<float>& taps, const std::vector<float>& in)
{
    const int n = block.GetBlockLength();
    const std::vector<float> h = TapsSpectrum(taps, static_cast<int>(std::log2(n)));
    std::vector<float> out(in.size());
    for (size_t at = 0; at + n <= in.size(); at += n) {
        EXPECT_TRUE(block.Forward(&in[at]));
        EXPECT_TRUE(block.MultiplySpectrum(h.data(), nullptr, nullptr, 0));
        EXPECT_TRUE(block.Inverse(&out[at], nullptr));
    }
    return out;
}
} // namespace

TEST(FftBlock, ImpulsePassesTheInputThrough)
{
    CFftBlock block;
    ASSERT_TRUE(block.Setup(10));
    EXPECT_EQ(block.GetBlockLength(), 1024);
    EXPECT_EQ(block.GetSpectrumLength(), 2050);
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<float> in(4096);
    for (float& v : in)
        v = u(rng);
    const std::vector<float> out = Convolve(block, {1.0f}, in);
    for (size_t i = 0; i < in.size(); ++i)
        ASSERT_NEAR(out[i], in[i], 1e-5) << i;
}

TEST(FftBlock, MatchesLinearConvolutionWithSilenceBefore)
{
    CFftBlock block;
    ASSERT_TRUE(block.Setup(5)); // N = 32, taps up to 33
    std::vector<float> taps(33);
    for (int i = 0; i < 33; ++i)
        taps[i] = 0.02f * (i + 1) * (i % 3 == 0 ? -1.0f : 1.0f);
    std::mt19937 rng(9);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<float> in(32 * 6);
    for (float& v : in)
        v = u(rng);
    const std::vector<float> out = Convolve(block, taps, in);
    for (size_t i = 0; i < in.size(); ++i) {
        double want = 0.0;
        for (size_t k = 0; k < taps.size() && k <= i; ++k)
            want += static_cast<double>(taps[k]) * in[i - k];
        ASSERT_NEAR(out[i], want, 1e-4) << i;
    }
}

TEST(FftBlock, DcGainOfNormalisedTapsIsOne)
{
    CFftBlock block;
    ASSERT_TRUE(block.Setup(6));
    const std::vector<float> taps(65, 1.0f / 65.0f);
    const std::vector<float> out = Convolve(block, taps, std::vector<float>(64 * 4, 0.25f));
    for (int i = 64; i < 64 * 4; ++i)
        ASSERT_NEAR(out[i], 0.25f, 1e-5) << i;
    EXPECT_NEAR(out[31], 0.25f * 32 / 65, 1e-5); // the first block ramps up from silence
}

TEST(FftBlock, BadInputIsRefused)
{
    CFftBlock block;
    float buf[64] = {};
    EXPECT_FALSE(block.Forward(buf));
    EXPECT_FALSE(block.Inverse(buf, nullptr));
    EXPECT_FALSE(block.MultiplySpectrum(buf, nullptr, nullptr, 0));
    EXPECT_FALSE(block.Setup(0));
    EXPECT_FALSE(block.Setup(31));
    ASSERT_TRUE(block.Setup(4));
    EXPECT_FALSE(block.Forward(nullptr));
    EXPECT_FALSE(block.Inverse(nullptr, nullptr));
    EXPECT_FALSE(block.MultiplySpectrum(nullptr, nullptr, nullptr, 0));
    EXPECT_FALSE(block.MultiplySpectrum(buf, nullptr, nullptr, 1000));
    block.Release();
    EXPECT_EQ(block.GetBlockLength(), 0);
    EXPECT_FALSE(block.Forward(buf));
}
