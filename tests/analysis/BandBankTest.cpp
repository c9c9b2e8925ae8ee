#include "analysis/CBandBank.h"
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>

namespace {
std::vector<std::string> Labels(int resolution)
{
    CBandBank bank;
    bank.Build(resolution, 0.0);
    std::vector<std::string> out;
    for (int i = 0; i < bank.GetBandCount(); ++i)
        out.push_back(bank.GetBand(i).label);
    return out;
}

bool IsZero(const BandRecord& r)
{
    return r.lowerEdge == 0 && r.centre == 0 && r.nominal == 0 && r.upperEdge == 0 && r.lowerBin == 0 &&
           r.upperBin == 0 && r.binSpan == 0 && r.label[0] == 0;
}
} // namespace

TEST(BandBank, CentresAreBaseTenOctaveFractions)
{
    for (int resolution : {0, 1}) {
        CBandBank bank;
        bank.Build(resolution, CBandBank::BinWidth(4096, 48000));
        const int b = resolution == 0 ? 3 : 6;
        const int oneKilohertz = resolution == 0 ? 17 : 34;
        ASSERT_EQ(bank.GetBandCount(), resolution == 0 ? 31 : 63);
        for (int i = 0; i < bank.GetBandCount(); ++i) {
            const BandRecord& r = bank.GetBand(i);
            // Base-ten exact mid-band frequencies, 1000 x 10^(0.3 x / b).
            const double exact = 1000.0 * std::pow(10.0, 0.3 * (i - oneKilohertz) / b);
            EXPECT_NEAR(r.centre, exact, exact * 1e-12) << i;
            EXPECT_NEAR(r.lowerEdge * r.upperEdge, r.centre * r.centre, r.centre * r.centre * 1e-12);
            EXPECT_NEAR(r.upperEdge / r.lowerEdge, std::pow(2.0, 1.0 / b), 1e-12);
        }
        EXPECT_NEAR(bank.GetBand(0).centre, 19.953, 0.001);
    }
    // The 1/6-octave grid holds 1 kHz itself, not the even-band grid's 1000 x 10^(+-0.3 / 12).
    CBandBank sixth;
    sixth.Build(1, 0.0);
    for (double evenBandCentre : {944.06, 1059.25}) {
        for (int i = 0; i < sixth.GetBandCount(); ++i)
            EXPECT_GT(std::fabs(sixth.GetBand(i).centre / evenBandCentre - 1.0), 0.05) << i;
    }
    CBandBank third;
    third.Build(0, 0.0);
    EXPECT_NEAR(third.GetBand(30).centre, 19952.6, 0.05);
    EXPECT_NEAR(third.GetBand(17).centre, 1000.0, 1e-9);
}

TEST(BandBank, LabelsOfBothResolutions)
{
    const std::vector<std::string> third = {"20",   "25",   "32",   "40",   "50",   "63",   "80",   "100",
                                            "125",  "160",  "200",  "250",  "315",  "400",  "500",  "630",
                                            "800",  "1.0k", "1.3k", "1.6k", "2.0k", "2.5k", "3.1k", "4.0k",
                                            "5.0k", "6.3k", "8.0k", "10k",  "13k",  "16k",  "20k"};
    const std::vector<std::string> sixth = {
        "20",   "22",   "25",   "28",   "32",   "36",   "40",   "45",   "50",   "56",   "63",   "71",   "80",
        "90",   "100",  "112",  "125",  "140",  "160",  "180",  "200",  "224",  "250",  "280",  "315",  "355",
        "400",  "450",  "500",  "560",  "630",  "710",  "800",  "900",  "1.0k", "1.1k", "1.3k", "1.4k", "1.6k",
        "1.8k", "2.0k", "2.2k", "2.5k", "2.8k", "3.1k", "3.6k", "4.0k", "4.5k", "5.0k", "5.6k", "6.3k", "7.1k",
        "8.0k", "9.0k", "10k",  "11k",  "13k",  "14k",  "16k",  "18k",  "20k",  "22k",  "25k"};
    EXPECT_EQ(Labels(0), third);
    EXPECT_EQ(Labels(1), sixth);
}

TEST(BandBank, NominalFrequenciesFollowThePreferredSeries)
{
    const double r10[31] = {20,   25,   31.5, 40,   50,   63,    80,    100,   125,  160,  200,
                            250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                            3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
    CBandBank third;
    third.Build(0, 0.0);
    for (int i = 0; i < 31; ++i)
        EXPECT_NEAR(third.GetBand(i).nominal, r10[i], r10[i] * 1e-12) << i;
    CBandBank sixth;
    sixth.Build(1, 0.0);
    EXPECT_NEAR(sixth.GetBand(1).nominal, 22.4, 1e-12);
    EXPECT_NEAR(sixth.GetBand(61).nominal, 22400, 1e-9);
    EXPECT_NEAR(sixth.GetBand(62).nominal, 25000, 1e-9);
    EXPECT_DOUBLE_EQ(CBandBank::NominalFrequency(1.125, 3), 1.25); // a tie takes the larger
    EXPECT_NEAR(CBandBank::NominalFrequency(99.99999, 3), 100.0, 1e-9);
    EXPECT_DOUBLE_EQ(CBandBank::NominalFrequency(0.5, 3), 0.5);
    EXPECT_NEAR(CBandBank::NominalFrequency(9.2, 3), 10.0, 1e-12); // past the series' 8.00
    EXPECT_NEAR(CBandBank::NominalFrequency(9.7, 80), 9.75, 1e-12);
    EXPECT_NEAR(CBandBank::NominalFrequency(1.05, 12), 1.06, 1e-12);
}

TEST(BandBank, BinPositionsAreOneMoreThanTheQuotient)
{
    CBandBank bank;
    const double width = CBandBank::BinWidth(4096, 48000);
    EXPECT_DOUBLE_EQ(width, 11.71875);
    bank.Build(0, width);
    EXPECT_NEAR(bank.GetBand(0).lowerEdge, 17.78, 0.005);
    EXPECT_NEAR(bank.GetBand(0).upperEdge, 22.40, 0.005);
    EXPECT_NEAR(bank.GetBand(0).lowerBin, 2.517, 0.0005);
    EXPECT_NEAR(bank.GetBand(0).upperBin, 2.911, 0.0005);
    const BandRecord& b800 = bank.GetBand(16);
    EXPECT_STREQ(b800.label, "800");
    EXPECT_NEAR(b800.lowerEdge, 707.7, 0.05);
    EXPECT_NEAR(b800.upperEdge, 891.6, 0.05);
    EXPECT_NEAR(b800.lowerBin, 61.39, 0.005);
    EXPECT_NEAR(b800.upperBin, 77.08, 0.005);
    for (int resolution : {0, 1}) {
        bank.Build(resolution, width);
        for (int i = 0; i < bank.GetBandCount(); ++i) {
            const BandRecord& r = bank.GetBand(i);
            EXPECT_NEAR(r.lowerBin, r.lowerEdge / width + 1.0, 1e-9) << i;
            EXPECT_NEAR(r.upperBin, r.upperEdge / width + 1.0, 1e-9) << i;
            EXPECT_DOUBLE_EQ(r.binSpan, r.upperBin - r.lowerBin);
        }
    }
    bank.Build(1, 0.0);
    EXPECT_EQ(bank.GetBand(5).lowerBin, 0.0);
    EXPECT_EQ(bank.GetBand(5).upperBin, 0.0);
}

TEST(BandBank, OutOfRangeQueriesReturnTheZeroRecord)
{
    CBandBank bank;
    EXPECT_EQ(bank.GetBandCount(), 0);
    EXPECT_TRUE(IsZero(bank.GetBand(0)));
    bank.Build(0, 11.71875);
    EXPECT_TRUE(IsZero(bank.GetBand(-1)));
    EXPECT_TRUE(IsZero(bank.GetBand(31)));
    EXPECT_FALSE(IsZero(bank.GetBand(30)));
    bank.Build(2, 11.71875);
    EXPECT_EQ(bank.GetBandCount(), 0);
    EXPECT_TRUE(IsZero(bank.GetBand(0)));
    EXPECT_DOUBLE_EQ(CBandBank::BinWidth(0, 48000), 0.0);
}
