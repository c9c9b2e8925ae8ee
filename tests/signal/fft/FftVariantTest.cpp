#include "signal/DspRegistry.h"
#include "tests/signal/fft/FftTestUtil.h"
#include <gtest/gtest.h>

using namespace ffttest;

namespace {

struct RestoreVariant {
    ~RestoreVariant() { dspsStoreVariant(VariantGeneric); }
};

} // namespace

// The variant is selected at the first image resize, possibly after specifications exist:
// a specification keeps working under every other variant, within its reported work size.
TEST(FftVariant, SpecificationWorksUnderEveryVariant)
{
    RestoreVariant restore;
    const int variants[] = {VariantGeneric, VariantSse, VariantSse2, VariantSse3};
    for (int order : {4, 10, 12, 17}) {
        const int n = 1 << order;
        const std::vector<float> x = RandomSignal(n, order);
        const std::vector<Cd> want = ReferenceSpectrum(x);
        for (int maker : variants) {
            if (!Supported(maker))
                continue;
            dspsStoreVariant(maker);
            RealFftSpec* spec = nullptr;
            ASSERT_EQ(dspsFFTInitAlloc_R_32f(&spec, order, 1, 0), StatusOk);
            for (int user : variants) {
                if (!Supported(user))
                    continue;
                dspsStoreVariant(user);
                int size = -1;
                ASSERT_EQ(dspsFFTGetBufSize_R_32f(spec, &size), StatusOk);
                std::vector<unsigned char> buffer(size + 5 + 32, 0x5A);
                unsigned char* work = buffer.data() + 5;
                std::vector<float> y(n + 2), z(n);
                for (Layout layout : kLayouts) {
                    ASSERT_EQ(Forward(layout, x.data(), y.data(), spec, work), StatusOk);
                    std::vector<Cd> got = Unpack(y.data(), n, layout);
                    for (Cd& v : got)
                        v *= n;
                    EXPECT_LT(RelativeRms(got, want), 1e-6 * order) << maker << "->" << user;
                    ASSERT_EQ(Inverse(layout, y.data(), z.data(), spec, work), StatusOk);
                    EXPECT_LT(RelativeRms(z.data(), x, 1.0), 1e-6 * order) << maker << "->" << user;
                }
                for (size_t i = 5 + size; i < buffer.size(); ++i)
                    ASSERT_EQ(buffer[i], 0x5A) << maker << "->" << user;
            }
            EXPECT_EQ(dspsFFTFree_R_32f(spec), StatusOk);
        }
    }
}
