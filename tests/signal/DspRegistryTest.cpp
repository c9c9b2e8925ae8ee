#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "signal/DspRegistry.h"
#include "VariantBodies.h"

namespace {

std::vector<DispatchDescriptor*> Walk()
{
    std::vector<DispatchDescriptor*> list;
    for (DispatchDescriptor* d = dspsDescriptorList(); d; d = d->next)
        list.push_back(d);
    return list;
}

DispatchDescriptor* Find(const char* name)
{
    for (DispatchDescriptor* d : Walk())
        if (std::strcmp(d->name, name) == 0)
            return d;
    return nullptr;
}

template <class F>
DspCode Code(F f)
{
    return reinterpret_cast<DspCode>(f);
}

} // namespace

TEST(DspRegistry, WalkYieldsAllRecordsInReverseRegistrationOrder)
{
    std::vector<DispatchDescriptor*> list = Walk();
    ASSERT_EQ(45u, list.size());
    EXPECT_STREQ("dspiResize_8u_C4R", list.front()->name);
    EXPECT_STREQ("i", list.front()->letter);
    EXPECT_STREQ("dspsConvert_16s32f_Sfs", list[1]->name);
    EXPECT_STREQ("dspsConvert_32s32f_Sfs", list[2]->name);
    EXPECT_STREQ("dspsMalloc_32s", list[43]->name);
    EXPECT_STREQ("dspsSet_32s", list.back()->name);
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_STREQ("s", list[i]->letter) << list[i]->name;
}

TEST(DspRegistry, SlotsZeroAndFiveEmptyAndIndexGeneric)
{
    EXPECT_EQ(VariantGeneric, dspsCurrentVariant());
    for (DispatchDescriptor* d : Walk()) {
        EXPECT_EQ(nullptr, d->table->slot[VariantDll]) << d->name;
        EXPECT_EQ(nullptr, d->table->slot[5]) << d->name;
        for (int v = VariantGeneric; v <= VariantSse3; ++v)
            EXPECT_NE(nullptr, d->table->slot[v]) << d->name;
    }
}

TEST(DspRegistry, StubRunsTheSelectedVariant)
{
    DspCode* slot = Find("dspsSet_32s")->table->slot;
    DspCode saved = slot[VariantSse2];
    static int calls;
    struct Spy {
        static LibStatus Body(int, int*, int)
        {
            ++calls;
            return 77;
        }
    };
    slot[VariantSse2] = Code(&Spy::Body);
    int v = 0;
    EXPECT_EQ(StatusOk, dspsSet_32s(5, &v, 1));
    EXPECT_EQ(5, v);
    dspsStoreVariant(VariantSse2);
    EXPECT_EQ(77, dspsSet_32s(6, &v, 1));
    dspsStoreVariant(VariantGeneric);
    slot[VariantSse2] = saved;
    EXPECT_EQ(1, calls);
    EXPECT_EQ(5, v);
}

// Whichever body a variant's slot holds, its own or one it shares with
// another variant, the public entry computes the function.
TEST(DspRegistry, EveryVariantRunsTheFunction)
{
    const int n = 19; // odd, so no body's vector loop covers the whole length
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        SCOPED_TRACE(VariantNames[v - VariantGeneric]);
        dspsStoreVariant(v);
        float* a = dspsMalloc_32f(n);
        float* b = dspsMalloc_32f(n);
        int* i32 = dspsMalloc_32s(n);
        double* f64 = dspsMalloc_64f(n);
        unsigned char* u8 = dspsMalloc_8u(n);
        for (void* p : {(void*)a, (void*)b, (void*)i32, (void*)f64, (void*)u8}) {
            ASSERT_NE(nullptr, p);
            EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(p) % 32);
        }
        EXPECT_EQ(StatusOk, dspsSet_32s(-7, i32, n));
        EXPECT_EQ(StatusOk, dspsSet_64f(0.25, f64, n));
        EXPECT_EQ(StatusOk, dspsSet_8u(0xA5, u8, n));
        EXPECT_EQ(StatusOk, dspsSet_32f(1.5f, a, n));
        EXPECT_EQ(StatusOk, dspsSet_32f(-2.0f, b, n));
        EXPECT_EQ(StatusOk, dspsMul_32f_I(b, a, n));  // -3
        EXPECT_EQ(StatusOk, dspsAdd_32f_I(b, a, n));  // -5
        EXPECT_EQ(StatusOk, dspsMul_32f(a, b, a, n)); // 10
        EXPECT_EQ(StatusOk, dspsMove_32f(a, b, n));
        b[1] = b[2] = 1.0f; // pair 1 of b becomes 1 + 1i, the others stay 10 + 10i
        EXPECT_EQ(StatusOk, dspsMulPack_32f_I(b, a, n));
        EXPECT_EQ(StatusOk, dspsMulPack_32f(a, a, b, n));
        EXPECT_EQ(-7, i32[n - 1]);
        EXPECT_EQ(0.25, f64[n - 1]);
        EXPECT_EQ(0xA5, u8[n - 1]);
        EXPECT_EQ(100.0f, a[0]); // 10 x 10
        EXPECT_EQ(0.0f, a[1]);   // (10 + 10i)(1 + 1i)
        EXPECT_EQ(20.0f, a[2]);
        EXPECT_EQ(0.0f, a[n - 2]); // (10 + 10i)^2
        EXPECT_EQ(200.0f, a[n - 1]);
        EXPECT_EQ(10000.0f, b[0]);
        EXPECT_EQ(-400.0f, b[1]); // (20i)^2
        EXPECT_EQ(0.0f, b[2]);
        EXPECT_EQ(-40000.0f, b[n - 2]);
        EXPECT_EQ(0.0f, b[n - 1]);
        for (void* p : {(void*)a, (void*)b, (void*)i32, (void*)f64, (void*)u8})
            dspsFree(p);
    }
    dspsStoreVariant(VariantGeneric);
}

TEST(DspRegistry, ResizePlaceholderWritesNothingUntilInstalled)
{
    unsigned char src[16] = {1}, dst[16] = {};
    ImageSize size = {2, 2};
    ImageRect roi = {0, 0, 2, 2};
    EXPECT_EQ(StatusResizeNotLinked, dspiResize_8u_C4R(src, size, 8, roi, dst, 8, size, 1.0, 1.0, 16));
    EXPECT_EQ(0, dst[0]);

    struct Fake {
        static LibStatus Body(const unsigned char* s, ImageSize, int, ImageRect, unsigned char* d, int, ImageSize,
                              double, double, int)
        {
            d[0] = s[0];
            return StatusOk;
        }
    };
    DspCode* slot = Find("dspiResize_8u_C4R")->table->slot;
    DspCode saved[5];
    std::memcpy(saved, slot, sizeof(saved));
    dspiInstallResizeBodies(Fake::Body, Fake::Body, Fake::Body, Fake::Body);
    EXPECT_EQ(StatusOk, dspiResize_8u_C4R(src, size, 8, roi, dst, 8, size, 1.0, 1.0, 16));
    EXPECT_EQ(1, dst[0]);
    std::memcpy(slot, saved, sizeof(saved));
}
