#include "tests/signal/fft/FftTestUtil.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>

using namespace ffttest;

namespace {

double Tolerance(int order)
{
    return 1e-6 * (order > 1 ? order : 1);
}

// Caller's work buffer of exactly the reported size at an odd address, followed by a guard.
struct MisalignedBuffer {
    explicit MisalignedBuffer(int size) : bytes(size + 64, 0xA5), size(size) {}
    unsigned char* get() { return size ? bytes.data() + 3 : nullptr; }
    bool GuardIntact() const
    {
        for (size_t i = 3 + size; i < bytes.size(); ++i)
            if (bytes[i] != 0xA5)
                return false;
        return true;
    }
    std::vector<unsigned char> bytes;
    int size;
};

} // namespace

TEST(FftTransform, OrderTwoExample)
{
    Spec spec(2, 8);
    const float x[4] = {1, 2, 3, 4};
    const float perm[4] = {10, -2, -2, 2}, pack[4] = {10, -2, 2, -2};
    const float ccs[6] = {10, 0, -2, 2, -2, 0};
    float y[6];
    ASSERT_EQ(dspsFFTFwd_RToPerm_32f(x, y, spec.get(), nullptr), StatusOk);
    EXPECT_EQ(0, std::memcmp(y, perm, sizeof perm));
    ASSERT_EQ(dspsFFTFwd_RToPack_32f(x, y, spec.get(), nullptr), StatusOk);
    EXPECT_EQ(0, std::memcmp(y, pack, sizeof pack));
    ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x, y, spec.get(), nullptr), StatusOk);
    EXPECT_EQ(0, std::memcmp(y, ccs, sizeof ccs));
    const float* spectra[] = {perm, pack, ccs};
    for (int l = 0; l < 3; ++l) {
        float back[4];
        ASSERT_EQ(Inverse(kLayouts[l], spectra[l], back, spec.get(), nullptr), StatusOk);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(back[i], 4 * x[i]) << l;
    }
}

TEST(FftTransform, OrdersZeroAndOne)
{
    Spec one(0, 1), two(1, 8);
    const float x[2] = {3, 5};
    float y[4] = {9, 9, 9, 9};
    ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x, y, one.get(), nullptr), StatusOk);
    EXPECT_EQ(y[0], 3);
    EXPECT_EQ(y[1], 0);
    ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x, y, two.get(), nullptr), StatusOk);
    const float ccs[4] = {8, 0, -2, 0};
    EXPECT_EQ(0, std::memcmp(y, ccs, sizeof ccs));
    const float noisy[4] = {8, 77, -2, -55};
    ASSERT_EQ(dspsFFTInv_CCSToR_32f(noisy, y, two.get(), nullptr), StatusOk);
    EXPECT_EQ(y[0], 6);
    EXPECT_EQ(y[1], 10);
}

// Impulse, DC, Nyquist tone and a cosine with flag 1 (forward divided by N).
TEST(FftTransform, KnownSpectra)
{
    for (int order : {1, 2, 3, 4, 5, 11, 12, 13, 14}) {
        const int n = 1 << order;
        Spec spec(order, 1);
        std::vector<float> y(n + 2);
        std::vector<float> x(n, 0.0f);
        x[0] = 1;
        ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        for (int k = 0; k <= n / 2; ++k) {
            EXPECT_NEAR(y[2 * k], 1.0 / n, 1e-7 / n) << order;
            EXPECT_NEAR(y[2 * k + 1], 0.0, 1e-7 / n) << order;
        }
        for (int i = 0; i < n; ++i) {
            x[i] = (i & 1) ? -1.0f : 1.0f;
        }
        ASSERT_EQ(dspsFFTFwd_RToPerm_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        EXPECT_NEAR(y[0], 0.0, 1e-6);
        EXPECT_NEAR(y[1], 1.0, 1e-6);
        std::fill(x.begin(), x.end(), 1.0f);
        ASSERT_EQ(dspsFFTFwd_RToPack_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        EXPECT_EQ(y[0], 1.0f);
        for (int i = 1; i < n; ++i)
            EXPECT_NEAR(y[i], 0.0, 1e-6) << order << " " << i;
        if (order < 3)
            continue;
        const int bin = n / 8 + 1;
        for (int i = 0; i < n; ++i)
            x[i] = float(std::cos(6.283185307179586 * bin * i / n));
        ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        for (int k = 0; k <= n / 2; ++k) {
            EXPECT_NEAR(y[2 * k], k == bin ? 0.5 : 0.0, 1e-6) << order << " " << k;
            EXPECT_NEAR(y[2 * k + 1], 0.0, 1e-6) << order << " " << k;
        }
    }
}

TEST(FftTransform, LayoutsAgree)
{
    for (int order : {0, 1, 2, 3, 4, 9, 12}) {
        const int n = 1 << order;
        Spec spec(order, 8);
        std::vector<std::vector<float>> inputs(4, std::vector<float>(n, 0.0f));
        inputs[0][0] = 1;
        std::fill(inputs[1].begin(), inputs[1].end(), 1.0f);
        for (int i = 0; i < n; ++i)
            inputs[2][i] = (i & 1) ? -1.0f : 1.0f;
        inputs[3] = RandomSignal(n, 7);
        for (const auto& x : inputs) {
            std::vector<float> y(n + 2);
            ASSERT_EQ(Forward(Layout::Perm, x.data(), y.data(), spec.get(), nullptr), StatusOk);
            const std::vector<Cd> perm = Unpack(y.data(), n, Layout::Perm);
            for (Layout layout : {Layout::Pack, Layout::Ccs}) {
                ASSERT_EQ(Forward(layout, x.data(), y.data(), spec.get(), nullptr), StatusOk);
                EXPECT_EQ(Unpack(y.data(), n, layout), perm) << order;
            }
            if (n > 1) {
                EXPECT_EQ(y[1], 0.0f);
                EXPECT_EQ(y[n + 1], 0.0f);
            }
        }
    }
}

TEST(FftTransform, CcsImaginarySlotsOfDcAndNyquistAreIgnored)
{
    for (int order : {2, 3, 4, 12}) {
        const int n = 1 << order;
        Spec spec(order, 1);
        std::vector<float> ccs = Pack(ReferenceSpectrum(RandomSignal(n, 3)), n, Layout::Ccs);
        std::vector<float> clean(n), noisy(n);
        ASSERT_EQ(dspsFFTInv_CCSToR_32f(ccs.data(), clean.data(), spec.get(), nullptr), StatusOk);
        ccs[1] = 123.0f;
        ccs[n + 1] = -456.0f;
        ASSERT_EQ(dspsFFTInv_CCSToR_32f(ccs.data(), noisy.data(), spec.get(), nullptr), StatusOk);
        EXPECT_EQ(clean, noisy);
    }
}

TEST(FftTransform, BadArguments)
{
    Spec spec(6, 1);
    RealFftSpec wrong = *spec.get();
    wrong.kind = 0;
    std::vector<float> x(64, 1.0f), y(66, 7.0f);
    const std::vector<float> untouched = y;
    for (Layout layout : kLayouts) {
        EXPECT_EQ(Forward(layout, x.data(), y.data(), nullptr, nullptr), StatusNullPointer);
        EXPECT_EQ(Forward(layout, nullptr, y.data(), &wrong, nullptr), StatusWrongSpec);
        EXPECT_EQ(Forward(layout, nullptr, y.data(), spec.get(), nullptr), StatusNullPointer);
        EXPECT_EQ(Forward(layout, x.data(), nullptr, spec.get(), nullptr), StatusNullPointer);
        EXPECT_EQ(Inverse(layout, x.data(), y.data(), nullptr, nullptr), StatusNullPointer);
        EXPECT_EQ(Inverse(layout, nullptr, y.data(), &wrong, nullptr), StatusWrongSpec);
        EXPECT_EQ(Inverse(layout, nullptr, y.data(), spec.get(), nullptr), StatusNullPointer);
        EXPECT_EQ(Inverse(layout, x.data(), nullptr, spec.get(), nullptr), StatusNullPointer);
    }
    wrong = *spec.get();
    wrong.order = 40;
    EXPECT_EQ(Forward(Layout::Perm, x.data(), y.data(), &wrong, nullptr), StatusWrongSpec);
    wrong = *spec.get();
    wrong.variant = 9;
    EXPECT_EQ(Forward(Layout::Ccs, x.data(), y.data(), &wrong, nullptr), StatusWrongSpec);
    EXPECT_EQ(Inverse(Layout::Ccs, x.data(), y.data(), &wrong, nullptr), StatusWrongSpec);
    int size = 0;
    EXPECT_EQ(dspsFFTGetBufSize_R_32f(&wrong, &size), StatusWrongSpec);
    EXPECT_EQ(y, untouched);
}

class FftOrder : public ::testing::TestWithParam<int> {};

// Against a double-precision DFT; in place, null and misaligned work buffers give the same
// result, the source stays untouched and a guard after the buffer stays intact.
TEST_P(FftOrder, ForwardMatchesReferenceInEveryLayout)
{
    const int order = GetParam();
    const int n = 1 << order;
    Spec spec(order, 8);
    ASSERT_EQ(spec.status(), StatusOk);
    const std::vector<float> x = RandomSignal(n, order);
    const std::vector<Cd> want = ReferenceSpectrum(x);
    MisalignedBuffer buffer(spec.bufSize());
    for (Layout layout : kLayouts) {
        // Large orders take the CCS layout only, to keep the run short.
        if (order > 18 && layout != Layout::Ccs)
            continue;
        std::vector<float> src = x, y(n + 2), again(n + 2);
        ASSERT_EQ(Forward(layout, src.data(), y.data(), spec.get(), buffer.get()), StatusOk);
        EXPECT_LT(RelativeRms(Unpack(y.data(), n, layout), want), Tolerance(order));
        EXPECT_EQ(src, x);
        ASSERT_EQ(Forward(layout, src.data(), again.data(), spec.get(), nullptr), StatusOk);
        EXPECT_EQ(again, y);
        src.resize(n + 2);
        ASSERT_EQ(Forward(layout, src.data(), src.data(), spec.get(), buffer.get()), StatusOk);
        src.resize(SpectrumFloats(n, layout));
        y.resize(SpectrumFloats(n, layout));
        EXPECT_EQ(src, y);
        EXPECT_TRUE(buffer.GuardIntact());
    }
}

TEST_P(FftOrder, InverseUndoesForwardForEveryFlag)
{
    const int order = GetParam();
    const int n = 1 << order;
    const std::vector<float> x = RandomSignal(n, 100 + order);
    const int flags[] = {1, 2, 4, 8};
    for (int f = 0; f < 4; ++f) {
        const int flag = flags[f];
        Spec spec(order, flag);
        ASSERT_EQ(spec.status(), StatusOk);
        MisalignedBuffer buffer(spec.bufSize());
        const double factor = flag == 8 ? n : 1.0;
        for (Layout layout : kLayouts) {
            // Large orders take one layout per flag to keep the run short.
            if (order > 14 && layout != kLayouts[f % 3])
                continue;
            std::vector<float> y(n + 2), z(n + 2), inPlace;
            ASSERT_EQ(Forward(layout, x.data(), y.data(), spec.get(), buffer.get()), StatusOk);
            inPlace = y;
            const std::vector<float> spectrum = y;
            ASSERT_EQ(Inverse(layout, y.data(), z.data(), spec.get(), nullptr), StatusOk);
            EXPECT_EQ(y, spectrum);
            EXPECT_LT(RelativeRms(z.data(), x, factor), Tolerance(order)) << flag;
            ASSERT_EQ(Inverse(layout, inPlace.data(), inPlace.data(), spec.get(), buffer.get()), StatusOk);
            EXPECT_EQ(0, std::memcmp(inPlace.data(), z.data(), n * sizeof(float)));
            EXPECT_TRUE(buffer.GuardIntact());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, FftOrder, ::testing::Range(0, 23));

// Orders 23 and 24 need hundreds of megabytes: checked on sample bins when memory allows.
TEST(FftTransform, LargestOrders)
{
    for (int order : {23, 24}) {
        const int n = 1 << order;
        Spec spec(order, 1);
        if (spec.status() == StatusNoMemory)
            GTEST_SKIP() << "no memory for order " << order;
        ASSERT_EQ(spec.status(), StatusOk);
        std::vector<float> x = RandomSignal(n, order);
        std::vector<float> y(n + 2);
        ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        for (int k : {1, n / 4 + 3, n / 2}) {
            const Cd step = std::polar(1.0, -6.283185307179586 * k / n);
            Cd phasor = 1.0, sum = 0.0;
            for (int i = 0; i < n; ++i, phasor *= step)
                sum += double(x[i]) * phasor;
            sum /= n;
            const double tol = 1e-6 * order / std::sqrt(double(n));
            EXPECT_NEAR(y[2 * k], sum.real(), tol) << k;
            EXPECT_NEAR(y[2 * k + 1], sum.imag(), tol) << k;
        }
        ASSERT_EQ(dspsFFTInv_CCSToR_32f(y.data(), y.data(), spec.get(), nullptr), StatusOk);
        EXPECT_LT(RelativeRms(y.data(), x, 1.0), Tolerance(order));
    }
}
