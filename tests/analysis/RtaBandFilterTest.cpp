#include "analysis/CRtaBandFilter.h"
#include "analysis/RtaFilterTables.h"
#include "signal/DspRegistry.h"
#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {
const double kPi = 3.14159265358979323846;

CRtaBandFilter* MakeFilter(int rate, int resolution, int band)
{
    double den[8][6], num[8][6];
    EXPECT_TRUE(RtaBandPassRows(rate, resolution, band, den, num));
    CRtaBandFilter* f = new CRtaBandFilter();
    EXPECT_TRUE(f->Init(den, num, 1.0f, 16, RtaBandDecimation(resolution, band), 64));
    return f;
}

// Feeds hops of a sine at the band's stream rate: n samples per hop into
// the stream the filter reads.
void Feed(CRtaBandFilter& f, double frequency, double fs, double amplitude, int hops, int perHop, long& n)
{
    std::vector<float> s(perHop);
    DecimatedStreams streams = {};
    const int index = static_cast<int>(std::log2(f.GetDecimation() / 16.0) + 0.5);
    streams.stream[index] = {s.data(), perHop};
    for (int h = 0; h < hops; ++h) {
        for (int i = 0; i < perHop; ++i, ++n)
            s[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * frequency * n / fs));
        f.Process(streams);
    }
}
} // namespace

TEST(RtaBandFilter, SettlesAtRmsOfASineAtTheBandCentre)
{
    // 1/3 octave band 0 (20 Hz) runs at 48000 / 256 = 187.5 Hz, 4 samples per hop.
    std::unique_ptr<CRtaBandFilter> f(MakeFilter(48000, 0, 0));
    f->SetSamplesPerMean(5);
    long n = 0;
    Feed(*f, 19.952623, 187.5, 0.5, 3000, 4, n);
    EXPECT_NEAR(f->GetLevel(), 0.5 / std::sqrt(2.0), 0.5 / std::sqrt(2.0) * 0.03);
    // An octave away the band-pass has closed.
    std::unique_ptr<CRtaBandFilter> g(MakeFilter(48000, 0, 0));
    n = 0;
    Feed(*g, 40.0, 187.5, 0.5, 3000, 4, n);
    EXPECT_LT(g->GetLevel(), 0.5 * 0.01);
}

TEST(RtaBandFilter, MeansCompleteAcrossHopsAndLevelStartsAtZero)
{
    std::unique_ptr<CRtaBandFilter> f(MakeFilter(48000, 1, 0));
    EXPECT_EQ(f->GetSamplesPerMean(), 10);
    EXPECT_EQ(f->GetLevel(), 0.0f);
    long n = 0;
    Feed(*f, 20.0, 187.5, 0.5, 2, 4, n); // 8 samples: no mean yet
    EXPECT_EQ(f->GetOutputCount(), 4);
    EXPECT_EQ(f->GetLevel(), 0.0f);
    Feed(*f, 20.0, 187.5, 0.5, 1, 4, n); // the tenth sample completes one
    EXPECT_GT(f->GetLevel(), 0.0f);
    const float level = f->GetLevel();
    Feed(*f, 20.0, 187.5, 0.5, 1, 4, n); // 14 samples: the smoothers wait
    EXPECT_EQ(f->GetLevel(), level);
}

TEST(RtaBandFilter, UnknownDecimationAndMissingTablesMeasureNothing)
{
    double den[8][6], num[8][6];
    ASSERT_TRUE(RtaBandPassRows(48000, 1, 0, den, num));
    CRtaBandFilter odd;
    ASSERT_TRUE(odd.Init(den, num, 1.0f, 16, 100, 64));
    std::vector<float> s(64, 0.5f);
    DecimatedStreams streams;
    for (DecimatedStream& d : streams.stream)
        d = {s.data(), 64};
    odd.Process(streams);
    EXPECT_EQ(odd.GetOutputCount(), 0);
    EXPECT_EQ(odd.GetLevel(), 0.0f);
    CRtaBandFilter none;
    EXPECT_FALSE(none.Init(nullptr, nullptr, 1.0f, 16, 16, 64));
    none.Process(streams);
    EXPECT_EQ(none.GetLevel(), 0.0f);
    CRtaBandFilter empty;
    ASSERT_TRUE(empty.Init(den, num, 1.0f, 16, 16, 64));
    streams.stream[0] = {nullptr, 64};
    empty.Process(streams);
    EXPECT_EQ(empty.GetOutputCount(), 0);
}

TEST(RtaBandFilter, PairedFiltersReadAsTheyDoAlone)
{
    dspsStoreVariant(VariantSse2);
    std::vector<float> s(64);
    DecimatedStreams streams;
    for (DecimatedStream& d : streams.stream)
        d = {s.data(), 64};
    // Bands 8 and 9 share a stream; band 10 reads another one, so its pair
    // falls back to one filter after the other.
    std::unique_ptr<CRtaBandFilter> a(MakeFilter(48000, 1, 8)), b(MakeFilter(48000, 1, 9)), c(MakeFilter(48000, 1, 10)),
        pa(MakeFilter(48000, 1, 8)), pb(MakeFilter(48000, 1, 9)), qb(MakeFilter(48000, 1, 9)),
        qc(MakeFilter(48000, 1, 10));
    for (int hop = 0; hop < 40; ++hop) {
        for (int i = 0; i < 64; ++i)
            s[i] = static_cast<float>(0.4 * std::sin(0.13 * (64 * hop + i)) + 0.1 * std::sin(0.021 * (64 * hop + i)));
        a->Process(streams);
        b->Process(streams);
        c->Process(streams);
        CRtaBandFilter::ProcessPair(*pa, *pb, streams);
        CRtaBandFilter::ProcessPair(*qb, *qc, streams);
        ASSERT_EQ(pa->GetOutputCount(), a->GetOutputCount());
        ASSERT_EQ(qc->GetOutputCount(), c->GetOutputCount());
        ASSERT_EQ(pa->GetLevel(), a->GetLevel()) << hop;
        ASSERT_EQ(pb->GetLevel(), b->GetLevel()) << hop;
        ASSERT_EQ(qb->GetLevel(), b->GetLevel()) << hop;
        ASSERT_EQ(qc->GetLevel(), c->GetLevel()) << hop;
    }
    EXPECT_GT(a->GetLevel(), 0.0f);
    dspsStoreVariant(VariantGeneric);
}
