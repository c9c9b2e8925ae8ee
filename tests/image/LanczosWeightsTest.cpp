// The Lanczos sample table and the six tap weights of every variant.
#include <gtest/gtest.h>

#include <cmath>

#include "ResizeTestSupport.h"
#include "image/resize/LanczosKernelSamples.h"

namespace {

TEST(LanczosKernelSamples, FollowTheKernel)
{
    for (int i = 0; i <= 300; ++i) {
        EXPECT_NEAR(LanczosKernel(i / 100.0), LanczosKernelSamples[i], 1e-7) << i;
    }
    EXPECT_EQ(1.0f, LanczosKernelSamples[0]);
    EXPECT_EQ(0.0f, LanczosKernelSamples[100]);
    EXPECT_EQ(0.0f, LanczosKernelSamples[200]);
    EXPECT_EQ(0.0f, LanczosKernelSamples[300]);
    EXPECT_EQ(0.0f, LanczosKernelSamples[301]);
    EXPECT_NEAR(0.99981719, LanczosKernelSamples[1], 1e-7);
    EXPECT_NEAR(0.60792708, LanczosKernelSamples[50], 1e-7);
    EXPECT_NEAR(-0.13509491, LanczosKernelSamples[150], 1e-7);
    EXPECT_NEAR(0.024317089, LanczosKernelSamples[250], 1e-7);
}

class LanczosWeightsTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }
};

// An integer position picks its sample; halfway the weights are symmetric and unnormalised.
TEST_P(LanczosWeightsTest, KnownWeights)
{
    struct Case {
        float fraction;
        double weights[6];
        double sum;
    };
    for (const Case& c : {Case{0.0f, {0, 0, 1, 0, 0, 0}, 1.0},
                          Case{0.5f, {0.024317, -0.135095, 0.607927, 0.607927, -0.135095, 0.024317}, 0.994299}}) {
        float fraction = c.fraction;
        float w[6];
        Api().weights(&fraction, 1, w);
        double sum = 0.0;
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(c.weights[k], w[k], c.fraction == 0.0f ? 0.0 : 1e-6) << k;
            sum += w[k];
        }
        EXPECT_NEAR(c.sum, sum, 1e-6);
    }
}

TEST_P(LanczosWeightsTest, FollowTheTableForAnyFraction)
{
    float fractions[41];
    for (int i = 0; i < 41; ++i) {
        fractions[i] = -1.0f + i * 0.0637f;
    }
    float w[6 * 41 + 1];
    w[6 * 41] = 123.0f;
    Api().weights(fractions, 41, w);
    EXPECT_EQ(123.0f, w[6 * 41]);
    for (int i = 0; i < 41; ++i) {
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(LanczosTableWeight(k - 2 - static_cast<double>(fractions[i])), w[6 * i + k], 2e-7)
                << "fraction " << fractions[i] << " tap " << k;
        }
    }
    // Taps three or more samples away get no weight.
    EXPECT_EQ(0.0f, w[6 * 0 + 5]);
    EXPECT_EQ(0.0f, w[6 * 40 + 0]);
}

TEST_P(LanczosWeightsTest, NoCountWritesNothing)
{
    float fraction = 0.25f;
    float w[6] = {9, 9, 9, 9, 9, 9};
    Api().weights(&fraction, 0, w);
    Api().weights(&fraction, -3, w);
    for (float v : w) {
        EXPECT_EQ(9.0f, v);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, LanczosWeightsTest, ::testing::Range(0, 4), ResizeVariantName);

TEST(LanczosWeights, Sse2AndSse3AreIdentical)
{
    float fractions[200];
    for (int i = 0; i < 200; ++i) {
        fractions[i] = static_cast<float>(std::sin(i * 0.37)) * 0.999f;
    }
    float a[1200];
    float b[1200];
    ResizeVariantAt(2).weights(fractions, 200, a);
    ResizeVariantAt(3).weights(fractions, 200, b);
    for (int i = 0; i < 1200; ++i) {
        ASSERT_EQ(a[i], b[i]) << i;
    }
}

} // namespace
