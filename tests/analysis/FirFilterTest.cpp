#include "analysis/CFirFilter.h"
#include "signal/Dsp.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {
double MagnitudeAt(const float* spectrum, int bin)
{
    return std::hypot(spectrum[2 * bin], spectrum[2 * bin + 1]);
}
} // namespace

TEST(FirFilter, LowPassSpectrumHasTheDesignGainAtDcAndStopsAbove)
{
    CFirFilter f;
    ASSERT_TRUE(f.Setup(10));
    EXPECT_EQ(f.GetTapsCount(), 1025);
    EXPECT_EQ(f.GetTransformLength(), 2048);
    for (double gain : {1.0, 2.5}) {
        float* h = f.Design(1350.0f, 48000.0f, gain);
        ASSERT_NE(h, nullptr);
        EXPECT_NEAR(h[0], gain, 1e-5 * gain);
        EXPECT_EQ(h[1], 0.0f);
        // 2048 points at 48 kHz: bin k is k x 23.4375 Hz.
        EXPECT_NEAR(MagnitudeAt(h, 32), gain, 0.01 * gain);      // 750 Hz
        EXPECT_NEAR(MagnitudeAt(h, 58), gain * 0.5, 0.1 * gain); // 1359 Hz, at the cutoff
        EXPECT_LT(MagnitudeAt(h, 100), 1e-4 * gain);             // 2344 Hz
        EXPECT_LT(MagnitudeAt(h, 1024), 1e-4 * gain);            // Nyquist
        dspsFree(h);
    }
}

TEST(FirFilter, BadDesignsGiveNoSpectrum)
{
    CFirFilter f;
    EXPECT_EQ(f.Design(1350.0f, 48000.0f, 1.0), nullptr); // before Setup
    EXPECT_FALSE(f.Setup(1));
    EXPECT_FALSE(f.Setup(40));
    ASSERT_TRUE(f.Setup(8));
    EXPECT_EQ(f.Design(24000.0f, 48000.0f, 1.0), nullptr);
    EXPECT_EQ(f.Design(0.0f, 48000.0f, 1.0), nullptr);
    EXPECT_EQ(f.Design(1000.0f, 0.0f, 1.0), nullptr);
    float* h = f.Design(1000.0f, 8000.0f, 1.0);
    EXPECT_NE(h, nullptr);
    dspsFree(h);
}
