#include <gtest/gtest.h>

#include <cstring>

#include "FakeCpu.h"
#include "signal/DspCpu.h"
#include "signal/DspRegistry.h"

namespace {

struct TypeCase {
    unsigned family;
    unsigned edx;
    unsigned ecx;
    unsigned logical;
    bool longMode;
    int type;
    int variant;
};

class DspCpu : public ::testing::Test {
protected:
    void TearDown() override { dspsStoreVariant(VariantGeneric); }
    FakeCpu cpu;
};

} // namespace

TEST_F(DspCpu, TypeAndVariantByFamilyAndFeatures)
{
    const unsigned M = FakeCpu::Mmx, S = FakeCpu::Sse, S2 = FakeCpu::Sse2, H = FakeCpu::Ht;
    const TypeCase cases[] = {
        {5, 0, 0, 1, false, CpuFamily5, VariantGeneric},
        {5, M, 0, 1, false, CpuFamily5Mmx, VariantGeneric},
        {6, 0, 0, 1, false, CpuFamily6, VariantGeneric},
        {6, M, 0, 1, false, CpuFamily6Mmx, VariantGeneric},
        {6, M | S, 0, 1, false, CpuFamily6Sse, VariantSse},
        {6, M | S | S2, 1, 1, false, CpuFamily6Sse2, VariantSse2},
        {7, 0, 0, 1, false, CpuFamily7, VariantSse},
        {15, M | S, 0, 1, false, CpuFamily15NoSse2, VariantSse},
        {15, M | S | S2, 0, 1, false, CpuFamily15Sse2, VariantSse2},
        {15, M | S | S2 | H, 0, 2, false, CpuFamily15Sse2Ht, VariantSse2},
        {15, M | S | S2 | H, 0, 1, false, CpuFamily15Sse2, VariantSse2},
        {15, M | S | S2, 1, 1, false, CpuFamily15Sse3, VariantSse3},
        {15, M | S | S2, 1, 1, true, CpuFamily15Sse3LongMode, VariantSse3},
        {4, M | S | S2, 1, 1, false, CpuUnknown, VariantGeneric},
    };
    cpu.Install();
    for (const TypeCase& c : cases) {
        cpu.family = c.family;
        cpu.edx1 = c.edx;
        cpu.ecx1 = c.ecx;
        cpu.logicalCount = c.logical;
        cpu.longMode = c.longMode;
        EXPECT_EQ(c.type, dspsGetCpuType()) << "family " << c.family;
        dspsStoreVariant(VariantDll);
        EXPECT_EQ(StatusOk, dspsSelectBestCpu()) << "family " << c.family;
        EXPECT_EQ(c.variant, dspsCurrentVariant()) << "family " << c.family;
    }
}

TEST_F(DspCpu, OtherVendorsAndNoCpuidGiveGenericWithWarning)
{
    cpu.family = 6;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    cpu.Install();
    const char* vendors[] = {"OtherMakerXY", "GenuineOther"};
    for (const char* v : vendors) {
        std::memcpy(cpu.vendor, v, 13);
        EXPECT_EQ(0, dspsIsGenuineIntel()) << v;
        EXPECT_EQ(CpuUnknown, dspsGetCpuType()) << v;
        dspsStoreVariant(VariantSse3);
        EXPECT_EQ(StatusNotIntelCpu, dspsSelectBestCpu()) << v;
        EXPECT_EQ(VariantGeneric, dspsCurrentVariant()) << v;
    }
    std::memcpy(cpu.vendor, "GenuineIntel", 13);
    cpu.hasCpuid = false;
    EXPECT_EQ(0, dspsHasCpuid());
    EXPECT_EQ(CpuUnknown, dspsGetCpuType());
    EXPECT_EQ(StatusNotIntelCpu, dspsSelectBestCpu());
    EXPECT_EQ(VariantGeneric, dspsCurrentVariant());
}

TEST_F(DspCpu, SelectCpuTypeKnowsOnlyTheTableCodes)
{
    const int known[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 32};
    const int variants[] = {1, 1, 1, 1, 1, 2, 3, 3, 4, 3, 2, 2, 4};
    for (size_t i = 0; i < sizeof(known) / sizeof(known[0]); ++i) {
        EXPECT_EQ(StatusOk, dspsSelectCpuType(known[i]));
        EXPECT_EQ(variants[i], dspsCurrentVariant()) << known[i];
    }
    dspsStoreVariant(VariantSse);
    const int unknown[] = {-2, 10, 12, 15, 18, 31, 33, 1000};
    for (int code : unknown) {
        EXPECT_EQ(StatusUnknownCpuType, dspsSelectCpuType(code)) << code;
        EXPECT_EQ(VariantSse, dspsCurrentVariant()) << code;
    }
}

TEST_F(DspCpu, ExternalSlotRefusedWhileEntriesAreUnbound)
{
    dspsStoreVariant(VariantSse2);
    EXPECT_EQ(StatusUnknownCpuType, dspsSelectCpuType(CpuDll));
    EXPECT_EQ(VariantSse2, dspsCurrentVariant());
}

TEST_F(DspCpu, HostProcessorSelectsWhatItsFeaturesAllow)
{
    CpuFeatureRecord f;
    dspsReadCpuFeatures(&f);
    ASSERT_NE(0, dspsHasCpuid());
    LibStatus st = dspsSelectBestCpu();
    if (!dspsIsGenuineIntel()) {
        EXPECT_EQ(StatusNotIntelCpu, st);
        EXPECT_EQ(VariantGeneric, dspsCurrentVariant());
        return;
    }
    EXPECT_EQ(StatusOk, st);
    int v = dspsCurrentVariant();
    EXPECT_TRUE(v < VariantSse || f.sse);
    EXPECT_TRUE(v < VariantSse2 || f.sse2);
    EXPECT_TRUE(v < VariantSse3 || f.sse3);
}

TEST_F(DspCpu, CoreVersion)
{
    const LibVersion* v = dspsCoreVersion();
    EXPECT_EQ(4, v->major);
    EXPECT_EQ(1, v->minor);
    EXPECT_STREQ("dspcorel.lib", v->name);
    EXPECT_STREQ("v4.1", v->version);
}
