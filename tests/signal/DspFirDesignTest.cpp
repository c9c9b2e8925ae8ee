#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "VariantBodies.h"

namespace {

typedef LibStatus (*OneEdge)(double, double*, int, int, int);
typedef LibStatus (*TwoEdges)(double, double, double*, int, int, int);
typedef LibStatus (*Tone)(double*, int, double, double, double*, int);
typedef LibStatus (*Window)(double*, int);
const OneEdge Lowpass[] = DSP_VARIANT_BODIES(dspsFIRGenLowpass_64f);
const OneEdge Highpass[] = DSP_VARIANT_BODIES(dspsFIRGenHighpass_64f);
const TwoEdges Bandpass[] = DSP_VARIANT_BODIES(dspsFIRGenBandpass_64f);
const TwoEdges Bandstop[] = DSP_VARIANT_BODIES(dspsFIRGenBandstop_64f);
const Tone Tones[] = DSP_VARIANT_BODIES(ToneCos_64f);
const Window Bartlett[] = DSP_VARIANT_BODIES(WinBartlett_64f_I);
const Window Hamming[] = DSP_VARIANT_BODIES(WinHamming_64f_I);
const Window Hann[] = DSP_VARIANT_BODIES(WinHann_64f_I);
const Window BlackmanFir[] = DSP_VARIANT_BODIES(WinBlackmanFir_64f_I);

const double Pi = 3.14159265358979323846;

enum Band { Low, High, Pass, Stop };

// Window values straight from their formulas.
double WindowAt(int type, int k, int n)
{
    double t = 2 * Pi * k / (n - 1);
    switch (type) {
    case 0: return k == 0 || k == n - 1 ? 0.0 : 1.0 - std::fabs(2.0 * k / (n - 1) - 1.0);
    case 1: {
        double q = 0.5 / std::cos(Pi / (n - 1)), a = -q * q;
        return (a + 1) / 2 - 0.5 * std::cos(t) - a / 2 * std::cos(2 * t);
    }
    case 2: return 0.54 - 0.46 * std::cos(t);
    case 3: return 0.5 - 0.5 * std::cos(t);
    default: return 1.0;
    }
}

// An independent design: one sine per tap, one cosine per window value.
std::vector<double> Reference(Band band, double lo, double hi, int len, int win, bool normal)
{
    std::vector<double> h(len);
    double c = (len - 1) / 2.0;
    for (int n = 0; n < len; ++n) {
        double t = std::fabs(n - c);
        double v;
        if (t == 0)
            v = band == Low ? 2 * lo : band == High ? 1 - 2 * lo : band == Pass ? 2 * (hi - lo) : 1 - 2 * (hi - lo);
        else if (band == Low)
            v = std::sin(2 * Pi * lo * t) / (Pi * t);
        else if (band == High)
            v = (len % 2 ? -std::sin(2 * Pi * lo * t) : std::cos(2 * Pi * lo * t)) / (Pi * t);
        else if (band == Pass)
            v = (std::sin(2 * Pi * hi * t) - std::sin(2 * Pi * lo * t)) / (Pi * t);
        else if (len % 2)
            v = (std::sin(2 * Pi * lo * t) - std::sin(2 * Pi * hi * t)) / (Pi * t);
        else
            v = (std::sin(Pi * t) - std::sin(2 * Pi * hi * t) + std::sin(2 * Pi * lo * t)) / (Pi * t);
        h[n] = v * WindowAt(win, n, len);
    }
    if (band == High && len % 2 == 0)
        for (int n = len / 2; n < len; ++n)
            h[n] = -h[n];
    if (normal) {
        double f = band == Low || band == Stop ? 0.0 : band == High ? 0.5 : (lo + hi) / 2;
        std::complex<double> g;
        for (int n = 0; n < len; ++n)
            g += h[n] * std::polar(1.0, -2 * Pi * f * n);
        for (double& v : h)
            v /= std::abs(g);
    }
    return h;
}

LibStatus Design(int v, Band band, double lo, double hi, double* taps, int len, int win, int normal)
{
    switch (band) {
    case Low: return Lowpass[v](lo, taps, len, win, normal);
    case High: return Highpass[v](lo, taps, len, win, normal);
    case Pass: return Bandpass[v](lo, hi, taps, len, win, normal);
    default: return Bandstop[v](lo, hi, taps, len, win, normal);
    }
}

double Response(const std::vector<double>& h, double f)
{
    std::complex<double> g;
    for (size_t n = 0; n < h.size(); ++n)
        g += h[n] * std::polar(1.0, -2 * Pi * f * double(n));
    return std::abs(g);
}

} // namespace

TEST(DspFirDesign, EveryDesignMatchesAnIndependentDesign)
{
    const int lengths[] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17, 31, 64, 101, 1200, 1201};
    for (int v = 0; v < 4; ++v)
        for (Band band : {Low, High, Pass, Stop})
            for (int len : lengths)
                for (int win : {-1, 0, 1, 2, 3, 4})
                    for (int normal : {0, 1}) {
                        double lo = 0.13, hi = 0.31;
                        std::vector<double> taps(len + 1, 7.0);
                        ASSERT_EQ(StatusOk, Design(v, band, lo, hi, taps.data(), len, win, normal));
                        ASSERT_EQ(7.0, taps[len]);
                        std::vector<double> want = Reference(band, lo, hi, len, win, normal != 0);
                        for (int n = 0; n < len; ++n)
                            ASSERT_NEAR(want[n], taps[n], 1e-9) << VariantNames[v] << " band " << band << " len " << len
                                                                << " win " << win << " normal " << normal << " n " << n;
                    }
}

TEST(DspFirDesign, SymmetryAndNormalisedGains)
{
    for (int v = 0; v < 4; ++v)
        for (int len : {5, 6, 33, 64}) {
            std::vector<double> lp(len), hp(len), bp(len), bs(len);
            ASSERT_EQ(StatusOk, Lowpass[v](0.2, lp.data(), len, 1, 1));
            ASSERT_EQ(StatusOk, Highpass[v](0.2, hp.data(), len, 1, 1));
            ASSERT_EQ(StatusOk, Bandpass[v](0.1, 0.3, bp.data(), len, 1, 1));
            ASSERT_EQ(StatusOk, Bandstop[v](0.1, 0.3, bs.data(), len, 1, 1));
            double lpSum = 0, bsSum = 0, hpAlt = 0;
            for (int n = 0; n < len; ++n) {
                EXPECT_EQ(lp[n], lp[len - 1 - n]);
                EXPECT_EQ(bp[n], bp[len - 1 - n]);
                EXPECT_EQ(bs[n], bs[len - 1 - n]);
                EXPECT_EQ(hp[n], len % 2 ? hp[len - 1 - n] : -hp[len - 1 - n]);
                lpSum += lp[n];
                bsSum += bs[n];
                hpAlt += n % 2 ? -hp[n] : hp[n];
            }
            EXPECT_NEAR(1.0, lpSum, 1e-12) << VariantNames[v];
            EXPECT_NEAR(1.0, bsSum, 1e-12) << VariantNames[v];
            EXPECT_NEAR(1.0, std::fabs(hpAlt), 1e-12) << VariantNames[v];
            EXPECT_NEAR(1.0, Response(bp, 0.2), 1e-12) << VariantNames[v];
        }
}

TEST(DspFirDesign, LowpassResponseMeetsItsBands)
{
    for (int v = 0; v < 4; ++v) {
        std::vector<double> h(101);
        ASSERT_EQ(StatusOk, Lowpass[v](0.1, h.data(), 101, 1, 1));
        for (double f = 0.0; f <= 0.07; f += 0.005)
            EXPECT_NEAR(1.0, Response(h, f), 0.002) << VariantNames[v] << " f " << f;
        for (double f = 0.14; f <= 0.5; f += 0.005)
            EXPECT_LT(Response(h, f), 1e-3) << VariantNames[v] << " f " << f;
    }
}

TEST(DspFirDesign, KnownTapsAndWindowsOfTheDesign)
{
    for (int v = 0; v < 4; ++v) {
        double t[5];
        ASSERT_EQ(StatusOk, Lowpass[v](0.25, t, 5, 4, 0));
        EXPECT_EQ(0.5, t[2]);
        EXPECT_NEAR(1 / Pi, t[1], 1e-16);
        EXPECT_NEAR(1 / Pi, t[3], 1e-16);
        EXPECT_NEAR(0.0, t[0], 1e-16);
        EXPECT_NEAR(0.0, t[4], 1e-16);
        double b[9];
        ASSERT_EQ(StatusOk, Bandpass[v](0.1, 0.2, b, 9, 0, 0));
        EXPECT_EQ(0.0, b[0]);
        EXPECT_EQ(0.0, b[8]);
    }
}

TEST(DspFirDesign, FrequenciesJustBelowTheToneLimitsStillDesign)
{
    const double belowQuarter = std::nextafter(0.25, 0.0), belowHalf = std::nextafter(0.5, 0.0);
    for (int v = 0; v < 4; ++v)
        for (int len : {7, 8}) {
            for (double f : {belowQuarter, belowHalf}) {
                std::vector<double> taps(len, 99.0);
                ASSERT_EQ(StatusOk, Lowpass[v](f, taps.data(), len, 4, 0));
                std::vector<double> want = Reference(Low, f, 0, len, 4, false);
                for (int n = 0; n < len; ++n)
                    ASSERT_NEAR(want[n], taps[n], 1e-12) << VariantNames[v] << " f " << f << " len " << len;
            }
            std::vector<double> taps(len, 99.0);
            ASSERT_EQ(StatusOk, Bandstop[v](belowQuarter, 0.4, taps.data(), len, 4, 0));
            std::vector<double> want = Reference(Stop, belowQuarter, 0.4, len, 4, false);
            for (int n = 0; n < len; ++n)
                ASSERT_NEAR(want[n], taps[n], 1e-12) << VariantNames[v] << " len " << len;
        }
}

TEST(DspFirDesign, BadArgumentsWriteNothing)
{
    const double nan = std::nan("");
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        double t[8] = {3, 3, 3, 3, 3, 3, 3, 3};
        EXPECT_EQ(StatusNullPointer, dspsFIRGenLowpass_64f(0.7, nullptr, 2, 1, 1));
        EXPECT_EQ(StatusNullPointer, dspsFIRGenBandstop_64f(0.1, 0.2, nullptr, 8, 1, 1));
        EXPECT_EQ(StatusSizeError, dspsFIRGenLowpass_64f(0.1, t, 4, 1, 1));
        EXPECT_EQ(StatusOk, dspsFIRGenLowpass_64f(0.1, t, 5, 1, 1));
        for (double& x : t)
            x = 3;
        for (double f : {0.0, 0.5, -0.1, 0.7, nan}) {
            EXPECT_EQ(StatusSizeError, dspsFIRGenLowpass_64f(f, t, 8, 1, 1));
            EXPECT_EQ(StatusSizeError, dspsFIRGenHighpass_64f(f, t, 8, 1, 1));
            EXPECT_EQ(StatusSizeError, dspsFIRGenBandpass_64f(f, 0.3, t, 8, 1, 1));
            EXPECT_EQ(StatusSizeError, dspsFIRGenBandstop_64f(0.1, f, t, 8, 1, 1));
        }
        EXPECT_EQ(StatusSizeError, dspsFIRGenBandpass_64f(0.2, 0.2, t, 8, 1, 1));
        EXPECT_EQ(StatusSizeError, dspsFIRGenBandstop_64f(0.3, 0.2, t, 8, 1, 1));
        for (double x : t)
            EXPECT_EQ(3.0, x);
    }
    dspsStoreVariant(VariantGeneric);
}

TEST(DspFirDesign, ToneGeneratorChecksAndContinues)
{
    for (int v = 0; v < 4; ++v) {
        double d[40] = {}, whole[40];
        double phase = 6.3;
        EXPECT_EQ(StatusTonePhaseError, Tones[v](d, 4, 1.0, 0.1, &phase, 2));
        phase = 1.0;
        EXPECT_EQ(StatusToneFrequencyError, Tones[v](d, 4, 1.0, 0.5, &phase, 2));
        EXPECT_EQ(StatusToneMagnitudeError, Tones[v](d, 4, 0.0, 0.1, &phase, 2));
        EXPECT_EQ(StatusNullPointer, Tones[v](d, 4, 1.0, 0.1, nullptr, 2));
        EXPECT_EQ(StatusNullPointer, Tones[v](nullptr, 4, 1.0, 0.1, &phase, 2));
        EXPECT_EQ(StatusSizeError, Tones[v](d, 0, 1.0, 0.1, &phase, 2));
        EXPECT_EQ(0.0, d[0]);
        EXPECT_EQ(1.0, phase);
        for (int len : {1, 2, 3, 4, 5, 17, 20}) {
            double p = 0.7;
            ASSERT_EQ(StatusOk, Tones[v](whole, 2 * len, 2.5, 0.137, &p, 2));
            p = 0.7;
            ASSERT_EQ(StatusOk, Tones[v](d, len, 2.5, 0.137, &p, 2));
            ASSERT_EQ(StatusOk, Tones[v](d + len, len, 2.5, 0.137, &p, 2));
            for (int n = 0; n < 2 * len; ++n) {
                ASSERT_NEAR(2.5 * std::cos(2 * Pi * 0.137 * n + 0.7), whole[n], 1e-12);
                ASSERT_NEAR(whole[n], d[n], 1e-12) << VariantNames[v] << " len " << len;
            }
        }
    }
}

TEST(DspFirDesign, ToneBlockPathOfTheSse2Variants)
{
    for (int v = 0; v < 4; ++v)
        for (int len : {1, 2, 7, 8, 9, 2047, 2048, 2049, 5000}) {
            std::vector<double> d(len + 1, 5.0);
            double phase = 2.0;
            ASSERT_EQ(StatusOk, Tones[v](d.data() + 1, len, 0.75, 0.0123, &phase, 1));
            for (int n = 0; n < len; ++n)
                ASSERT_NEAR(0.75 * std::cos(2 * Pi * 0.0123 * n + 2.0), d[n + 1], 1e-9)
                    << VariantNames[v] << " len " << len << " n " << n;
            EXPECT_EQ(5.0, d[0]);
            EXPECT_NEAR(std::fmod(2 * Pi * 0.0123 * len + 2.0, 2 * Pi), phase, 1e-9);
        }
}

TEST(DspFirDesign, PrivateWindowsFollowTheirFormulas)
{
    const Window* windows[] = {Bartlett, BlackmanFir, Hamming, Hann};
    for (int v = 0; v < 4; ++v)
        for (int type = 0; type < 4; ++type)
            for (int n : {3, 4, 5, 6, 7, 8, 9, 10, 1024, 1025, 1026, 1027}) {
                if (type == 1 && n < 4)
                    continue;
                std::vector<double> x(n);
                for (int k = 0; k < n; ++k)
                    x[k] = 1.0 + 0.25 * k;
                ASSERT_EQ(StatusOk, windows[type][v](x.data(), n));
                for (int k = 0; k < n; ++k)
                    ASSERT_NEAR((1.0 + 0.25 * k) * WindowAt(type, k, n), x[k], 1e-9 * (1 + 0.25 * k))
                        << VariantNames[v] << " type " << type << " n " << n << " k " << k;
            }
    double x[3] = {1, 1, 1};
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(StatusSizeError, BlackmanFir[v](x, 3));
        EXPECT_EQ(StatusSizeError, BlackmanFir[v](nullptr, 3));
        EXPECT_EQ(StatusNullPointer, Hann[v](nullptr, 5));
        EXPECT_EQ(StatusSizeError, Bartlett[v](x, 2));
    }
}
