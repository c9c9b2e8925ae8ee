#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "TestVectors.h"
#include "VariantBodies.h"

namespace {

typedef LibStatus (*Layout)(const float*, const float*, float*, int);
typedef LibStatus (*LayoutI)(const float*, float*, int);
typedef LibStatus (*Complex)(const Dsp32fc*, const Dsp32fc*, Dsp32fc*, int);
typedef LibStatus (*ComplexI)(const Dsp32fc*, Dsp32fc*, int);
const Layout Perm[] = DSP_VARIANT_BODIES(dspsMulPerm_32f);
const LayoutI PermI[] = DSP_VARIANT_BODIES(dspsMulPerm_32f_I);
const auto Pack = RegisteredBodies<Layout>("dspsMulPack_32f");
const auto PackI = RegisteredBodies<LayoutI>("dspsMulPack_32f_I");
const Complex Cplx[] = DSP_VARIANT_BODIES(dspsMul_32fc);
const ComplexI CplxI[] = DSP_VARIANT_BODIES(dspsMul_32fc_I);

const int Lengths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 64, 1001, 4098};

// Which floats are real terms, and where each complex pair starts, per layout.
struct Terms {
    std::vector<int> reals;
    std::vector<int> pairs;
};

Terms PermTerms(int len)
{
    Terms t{{0}, {}};
    int first = len % 2 == 0 ? 2 : 1;
    if (len % 2 == 0 && len > 1)
        t.reals.push_back(1);
    for (int k = first; k + 1 < len; k += 2)
        t.pairs.push_back(k);
    return t;
}

Terms PackTerms(int len)
{
    Terms t{{0}, {}};
    for (int k = 1; k + 1 < len; k += 2)
        t.pairs.push_back(k);
    if (len % 2 == 0 && len > 1)
        t.reals.push_back(len - 1);
    return t;
}

Terms ComplexTerms(int len)
{
    Terms t;
    for (int k = 0; k < len; ++k)
        t.pairs.push_back(2 * k);
    return t;
}

// Generic: each component at double precision, rounded once. SIMD: single
// precision products and sums, within a few units of the last place.
void ExpectProduct(const float* a, const float* b, const float* d, const Terms& t, int v, int len)
{
    for (int r : t.reals)
        ASSERT_TRUE(SameBits(float(double(a[r]) * b[r]), d[r])) << VariantNames[v] << " real " << r;
    for (int p : t.pairs) {
        double ar = a[p], ai = a[p + 1], br = b[p], bi = b[p + 1];
        double re = ar * br - ai * bi, im = ar * bi + ai * br;
        if (v == 0) {
            ASSERT_TRUE(SameBits(float(re), d[p])) << "pair " << p << " len " << len;
            ASSERT_TRUE(SameBits(float(im), d[p + 1])) << "pair " << p << " len " << len;
        } else {
            double tol =
                3.0 *
                std::ldexp(std::fabs(ar * br) + std::fabs(ai * bi) + std::fabs(ar * bi) + std::fabs(ai * br), -24);
            ASSERT_NEAR(re, d[p], tol) << VariantNames[v] << " pair " << p << " len " << len;
            ASSERT_NEAR(im, d[p + 1], tol) << VariantNames[v] << " pair " << p << " len " << len;
        }
    }
}

enum Form { FormPerm, FormPack, FormComplex };

LibStatus RunOutOfPlace(Form f, int v, const float* a, const float* b, float* d, int len)
{
    if (f == FormPerm)
        return Perm[v](a, b, d, len);
    if (f == FormPack)
        return Pack[v](a, b, d, len);
    return Cplx[v](reinterpret_cast<const Dsp32fc*>(a), reinterpret_cast<const Dsp32fc*>(b),
                   reinterpret_cast<Dsp32fc*>(d), len);
}

LibStatus RunInPlace(Form f, int v, const float* a, float* d, int len)
{
    if (f == FormPerm)
        return PermI[v](a, d, len);
    if (f == FormPack)
        return PackI[v](a, d, len);
    return CplxI[v](reinterpret_cast<const Dsp32fc*>(a), reinterpret_cast<Dsp32fc*>(d), len);
}

Terms TermsOf(Form f, int len)
{
    return f == FormPerm ? PermTerms(len) : f == FormPack ? PackTerms(len) : ComplexTerms(len);
}

} // namespace

TEST(DspSpectrumMul, EveryFormVariantLengthAndAlignment)
{
    for (Form f : {FormPerm, FormPack, FormComplex})
        for (int v = 0; v < 4; ++v)
            for (int len : Lengths)
                for (int o = 0; o < 4; ++o) {
                    int floats = f == FormComplex ? 2 * len : len;
                    OffsetVector<float> a(floats, o), b(floats, (o + 1) & 3), d(floats, (o + 2) & 3);
                    for (int i = 0; i < floats; ++i) {
                        a[i] = TestValue(i, 11);
                        b[i] = TestValue(i, 12);
                    }
                    ASSERT_EQ(StatusOk, RunOutOfPlace(f, v, a.data(), b.data(), d.data(), len));
                    ExpectProduct(a.data(), b.data(), d.data(), TermsOf(f, len), v, len);
                    ASSERT_TRUE(d.TailUntouched());
                    ASSERT_EQ(StatusOk, RunInPlace(f, v, a.data(), b.data(), len));
                    ASSERT_EQ(0, std::memcmp(d.data(), b.data(), floats * sizeof(float)))
                        << VariantNames[v] << " form " << f << " len " << len;
                    ASSERT_TRUE(b.TailUntouched());
                }
}

TEST(DspSpectrumMul, LayoutsTreatTheirRealTermsAsStated)
{
    Terms perm8 = PermTerms(8), perm7 = PermTerms(7), pack8 = PackTerms(8), pack7 = PackTerms(7);
    EXPECT_EQ((std::vector<int>{0, 1}), perm8.reals);
    EXPECT_EQ((std::vector<int>{2, 4, 6}), perm8.pairs);
    EXPECT_EQ((std::vector<int>{0}), perm7.reals);
    EXPECT_EQ((std::vector<int>{1, 3, 5}), perm7.pairs);
    EXPECT_EQ((std::vector<int>{0, 7}), pack8.reals);
    EXPECT_EQ((std::vector<int>{1, 3, 5}), pack8.pairs);
    EXPECT_EQ(perm7.pairs, pack7.pairs);
    float a[2] = {2.0f, 3.0f}, b[2] = {5.0f, 7.0f}, d[2];
    for (int v = 0; v < 4; ++v) {
        for (Form f : {FormPerm, FormPack}) {
            ASSERT_EQ(StatusOk, RunOutOfPlace(f, v, a, b, d, 2));
            EXPECT_EQ(10.0f, d[0]);
            EXPECT_EQ(21.0f, d[1]);
            d[1] = -1.0f;
            ASSERT_EQ(StatusOk, RunOutOfPlace(f, v, a, b, d, 1));
            EXPECT_EQ(-1.0f, d[1]);
        }
    }
}

TEST(DspSpectrumMul, KnownComplexProduct)
{
    const float a[3] = {7.0f, 1.0f, 2.0f}, b[3] = {1.0f, 3.0f, 4.0f};
    for (int v = 0; v < 4; ++v) {
        float d[3];
        ASSERT_EQ(StatusOk, RunOutOfPlace(FormPerm, v, a, b, d, 3));
        EXPECT_EQ(-5.0f, d[1]);
        EXPECT_EQ(10.0f, d[2]);
        ASSERT_EQ(StatusOk, RunOutOfPlace(FormPack, v, a, b, d, 3));
        EXPECT_EQ(-5.0f, d[1]);
        EXPECT_EQ(10.0f, d[2]);
        ASSERT_EQ(StatusOk, RunOutOfPlace(FormComplex, v, a + 1, b + 1, d, 1));
        EXPECT_EQ(-5.0f, d[0]);
        EXPECT_EQ(10.0f, d[1]);
    }
}

namespace {

const double Pi = 3.14159265358979323846;

typedef std::vector<std::complex<double>> Spectrum;

Spectrum Dft(const std::vector<double>& x)
{
    int n = int(x.size());
    Spectrum s(n / 2 + 1);
    for (int k = 0; k <= n / 2; ++k)
        for (int j = 0; j < n; ++j)
            s[k] += x[j] * std::polar(1.0, -2 * Pi * double(j) * k / n);
    return s;
}

std::vector<float> ToLayout(const Spectrum& s, Form f, int n)
{
    std::vector<float> out(f == FormComplex ? n + 2 : n);
    for (int k = 1; k < n / 2; ++k) {
        int at = f == FormPack ? 2 * k - 1 : 2 * k;
        out[at] = float(s[k].real());
        out[at + 1] = float(s[k].imag());
    }
    out[0] = float(s[0].real());
    int nyquist = f == FormPerm ? 1 : f == FormPack ? n - 1 : n;
    out[nyquist] = float(s[n / 2].real());
    return out;
}

Spectrum FromLayout(const std::vector<float>& l, Form f, int n)
{
    Spectrum s(n / 2 + 1);
    for (int k = 1; k < n / 2; ++k) {
        int at = f == FormPack ? 2 * k - 1 : 2 * k;
        s[k] = {l[at], l[at + 1]};
    }
    s[0] = l[0];
    s[n / 2] = l[f == FormPerm ? 1 : f == FormPack ? n - 1 : n];
    return s;
}

std::vector<double> InverseDft(const Spectrum& s, int n)
{
    std::vector<double> x(n);
    for (int j = 0; j < n; ++j) {
        double sum = s[0].real() + s[n / 2].real() * (j % 2 ? -1 : 1);
        for (int k = 1; k < n / 2; ++k)
            sum += 2 * (s[k] * std::polar(1.0, 2 * Pi * double(j) * k / n)).real();
        x[j] = sum / n;
    }
    return x;
}

} // namespace

TEST(DspSpectrumMul, ProductOfSpectraIsTheCircularConvolution)
{
    for (int n : {16, 32}) {
        std::vector<double> x(n), h(n), conv(n);
        for (int i = 0; i < n; ++i) {
            x[i] = TestValue(i, 21) / 10;
            h[i] = i < 5 ? 1.0 / (i + 1) : 0.0;
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                conv[(i + j) % n] += x[i] * h[j];
        Spectrum sx = Dft(x), sh = Dft(h);
        for (Form f : {FormPerm, FormPack, FormComplex})
            for (int v = 0; v < 4; ++v) {
                std::vector<float> a = ToLayout(sx, f, n), b = ToLayout(sh, f, n), d(a.size());
                int len = f == FormComplex ? n / 2 + 1 : n;
                ASSERT_EQ(StatusOk, RunOutOfPlace(f, v, a.data(), b.data(), d.data(), len));
                if (f == FormComplex) {
                    EXPECT_EQ(0.0f, d[1]);
                    EXPECT_EQ(0.0f, d[n + 1]);
                }
                std::vector<double> y = InverseDft(FromLayout(d, f, n), n);
                for (int i = 0; i < n; ++i)
                    ASSERT_NEAR(conv[i], y[i], 1e-4) << VariantNames[v] << " form " << f << " n " << n;
            }
    }
}

TEST(DspSpectrumMul, BadArgumentsWriteNothing)
{
    float a[4] = {1, 2, 3, 4}, d[4] = {9, 9, 9, 9};
    Dsp32fc c[2] = {{1, 2}, {3, 4}};
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        EXPECT_EQ(StatusNullPointer, dspsMulPerm_32f(a, nullptr, d, 0));
        EXPECT_EQ(StatusNullPointer, dspsMulPack_32f(a, a, nullptr, 4));
        EXPECT_EQ(StatusNullPointer, dspsMulPerm_32f_I(nullptr, d, 4));
        EXPECT_EQ(StatusNullPointer, dspsMulPack_32f_I(a, nullptr, 4));
        EXPECT_EQ(StatusNullPointer, dspsMul_32fc(c, nullptr, c, 2));
        EXPECT_EQ(StatusNullPointer, dspsMul_32fc_I(nullptr, c, 2));
        EXPECT_EQ(StatusSizeError, dspsMulPerm_32f(a, a, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMulPack_32f(a, a, d, -4));
        EXPECT_EQ(StatusSizeError, dspsMulPerm_32f_I(a, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMulPack_32f_I(a, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMul_32fc(c, c, c, 0));
        EXPECT_EQ(StatusSizeError, dspsMul_32fc_I(c, c, -1));
        EXPECT_EQ(9.0f, d[0]);
        EXPECT_EQ(1.0f, c[0].re);
    }
    dspsStoreVariant(VariantGeneric);
}
