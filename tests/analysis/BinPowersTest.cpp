#include "analysis/BinPowers.h"
#include <gtest/gtest.h>
#include <cmath>
#include <vector>

TEST(BinPowers, VariantsAgreeBitForBitIncludingAnOddTail)
{
    const int bins = 2049;
    std::vector<float> spectrum(2 * bins);
    for (int i = 0; i < 2 * bins; ++i)
        spectrum[i] = static_cast<float>(std::sin(1.7 * i) * std::pow(10.0, (i % 13) - 6));
    spectrum[0] = 3.0f;
    spectrum[1] = 4.0f;
    std::vector<float> generic(bins), sse2(bins);
    BinPowersGeneric(spectrum.data(), generic.data(), bins, 20.0f);
    BinPowersSse2(spectrum.data(), sse2.data(), bins, 20.0f);
    EXPECT_EQ(generic[0], 500.0f);
    for (int k = 0; k < bins; ++k) {
        const double re = spectrum[2 * k], im = spectrum[2 * k + 1];
        ASSERT_EQ(generic[k], static_cast<float>((re * re + im * im) * 20.0)) << k;
        ASSERT_EQ(sse2[k], generic[k]) << k;
    }
}
