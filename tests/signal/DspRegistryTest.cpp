#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "signal/DspBodies.h"
#include "signal/DspRegistry.h"

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

TEST(DspRegistry, SharedBodiesFollowTheList)
{
    struct Sharing {
        const char* name;
        int distinct;
        bool sse3SameAsSse2;
    };
    const Sharing cases[] = {
        {"dspsSet_32s", 4, false},  {"dspsMalloc_32s", 2, false},         {"dspsFree", 1, true},
        {"dspsMalloc_8u", 1, true}, {"dspsFFTGetBufSize_R_32f", 2, true}, {"dspsMul_32f_I", 3, true},
        {"dspsAdd_32f_I", 3, true}, {"dspsMulPack_32f_I", 3, true},       {"dspsMulPack_32f", 3, true},
        {"dspsMul_32f", 3, true},   {"dspsMalloc_64f", 2, false},         {"dspsMove_32f", 4, false},
    };
    for (const Sharing& c : cases) {
        DispatchDescriptor* d = Find(c.name);
        ASSERT_NE(nullptr, d) << c.name;
        DspCode* s = d->table->slot;
        int distinct = 1;
        for (int v = VariantSse; v <= VariantSse3; ++v) {
            bool seen = false;
            for (int w = VariantGeneric; w < v; ++w)
                seen = seen || s[w] == s[v];
            distinct += seen ? 0 : 1;
        }
        EXPECT_EQ(c.distinct, distinct) << c.name;
        EXPECT_EQ(c.sse3SameAsSse2, s[VariantSse2] == s[VariantSse3]) << c.name;
    }
}

TEST(DspRegistry, TablesHoldTheNamedBodies)
{
    DspCode* set = Find("dspsSet_32f")->table->slot;
    EXPECT_EQ(Code(&dsp::generic::dspsSet_32f), set[VariantGeneric]);
    EXPECT_EQ(Code(&dsp::sse::dspsSet_32f), set[VariantSse]);
    EXPECT_EQ(Code(&dsp::sse2::dspsSet_32f), set[VariantSse2]);
    EXPECT_EQ(Code(&dsp::sse3::dspsSet_32f), set[VariantSse3]);
    DspCode* mul = Find("dspsMul_32f")->table->slot;
    EXPECT_EQ(Code(&dsp::sse2::dspsMul_32f), mul[VariantSse3]);
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

TEST(DspRegistry, SharedBodyBehavesAlikeUnderEveryIndex)
{
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        float* p = dspsMalloc_32f(16);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(p) % 32);
        EXPECT_EQ(StatusOk, dspsSet_32f(1.5f, p, 16));
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
