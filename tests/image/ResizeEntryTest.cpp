// The registered image entry: its routing, its descriptor and its bodies under each variant.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "ResizeTestSupport.h"
#include "signal/Dsp.h"
#include "signal/DspRegistry.h"

namespace {

class VariantScope {
public:
    explicit VariantScope(int index) : m_saved(dspsCurrentVariant()) { dspsStoreVariant(index); }
    ~VariantScope() { dspsStoreVariant(m_saved); }

private:
    int m_saved;
};

LibStatus Entry(const TestImage<uint8_t>& src, ImageRect roi, TestImage<uint8_t>& dst, double xf, double yf,
                int interpolation)
{
    return dspiResize_8u_C4R(src.data.data(), src.Size(), src.StepBytes(), roi, dst.data.data(), dst.StepBytes(),
                             dst.Size(), xf, yf, interpolation);
}

TEST(ResizeEntry, DescriptorWalkStartsWithTheImageEntry)
{
    DispatchDescriptor* head = dspsDescriptorList();
    ASSERT_NE(nullptr, head);
    EXPECT_STREQ("i", head->letter);
    EXPECT_STREQ("dspiResize_8u_C4R", head->name);
    DspCode* slot = head->table->slot;
    EXPECT_EQ(reinterpret_cast<DspCode>(&dsp::generic::dspiResize_8u_C4R), slot[VariantGeneric]);
    EXPECT_EQ(reinterpret_cast<DspCode>(&dsp::sse::dspiResize_8u_C4R), slot[VariantSse]);
    EXPECT_EQ(reinterpret_cast<DspCode>(&dsp::sse2::dspiResize_8u_C4R), slot[VariantSse2]);
    EXPECT_EQ(reinterpret_cast<DspCode>(&dsp::sse3::dspiResize_8u_C4R), slot[VariantSse3]);
    for (DispatchDescriptor* d = head->next; d; d = d->next) {
        EXPECT_NE(std::string("dspiResize_8u_C4R"), d->name);
    }
}

TEST(ResizeEntry, RoutesSupersamplingOnlyForReductions)
{
    TestImage<uint8_t> src = RandomImage8u(20, 16, 4, 51);
    TestImage<uint8_t> dst(20, 16, 4, 3);
    // Factors of exactly 1 still go to the area average, which copies.
    ASSERT_EQ(StatusOk, Entry(src, {0, 0, 20, 16}, dst, 1.0, 1.0, InterpSuper));
    EXPECT_EQ(src.data, dst.data);
    TestImage<uint8_t> untouched(20, 16, 4, 3);
    EXPECT_EQ(StatusInterpolationError, Entry(src, {0, 0, 20, 16}, untouched, 1.0, 1.5, InterpSuper));
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(StatusResizeFactorError, Entry(src, {0, 0, 20, 16}, untouched, nan, 0.5, InterpSuper));
    EXPECT_EQ(StatusStepError, dspiResize_8u_C4R(src.data.data(), src.Size(), 0, {-5, 0, 0, 0}, dst.data.data(), 80,
                                                 dst.Size(), 0.5, 0.5, InterpSuper));
    EXPECT_EQ(TestImage<uint8_t>(20, 16, 4, 3).data, untouched.data);
    // Other methods reach the core whatever the factors.
    TestImage<uint8_t> core(10, 8, 4);
    TestImage<uint8_t> entry(10, 8, 4);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        ASSERT_EQ(StatusOk, CallCore(ResizeVariantAt(0), src, {0, 0, 20, 16}, core, 0.5, 0.5, method, 4));
        VariantScope generic(VariantGeneric);
        ASSERT_EQ(StatusOk, Entry(src, {0, 0, 20, 16}, entry, 0.5, 0.5, method));
        EXPECT_EQ(core.data, entry.data);
    }
}

// The skin's calls: half size by area average, three quarters and enlargements by Lanczos.
TEST(ResizeEntry, EveryVariantGivesTheSameImage)
{
    TestImage<uint8_t> src = RandomImage8u(64, 48, 4, 52);
    struct Call {
        double factor;
        int interpolation;
    };
    for (Call call :
         {Call{0.5, InterpSuper}, Call{0.7, InterpSuper}, Call{0.75, InterpLanczos}, Call{1.5, InterpLanczos}}) {
        int w = ReferenceExtent(64, call.factor, 200);
        int h = ReferenceExtent(48, call.factor, 200);
        TestImage<uint8_t> images[4] = {{w, h, 4}, {w, h, 4}, {w, h, 4}, {w, h, 4}};
        for (int v = 0; v < 4; ++v) {
            VariantScope scope(VariantGeneric + v);
            ASSERT_EQ(StatusOk, Entry(src, {0, 0, 64, 48}, images[v], call.factor, call.factor, call.interpolation));
        }
        EXPECT_EQ(images[2].data, images[3].data);
        for (int v = 1; v < 4; ++v) {
            if (call.interpolation == InterpSuper) {
                EXPECT_EQ(images[0].data, images[v].data);
                continue;
            }
            // Lanczos sums in other precisions may land one level apart.
            for (size_t i = 0; i < images[0].data.size(); ++i) {
                ASSERT_LE(std::abs(images[0].data[i] - images[v].data[i]), 1);
            }
        }
    }
}

} // namespace
