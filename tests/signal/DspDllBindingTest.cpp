#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "signal/DspCpu.h"
#include "signal/DspDllBinding.h"
#include "signal/DspRegistry.h"

namespace {

std::string ModuleFolder(const char* name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.rfind('\\')) + "\\modules\\" + name;
}

int BestStaticVariant()
{
    int saved = dspsCurrentVariant();
    dspsSelectBestCpu();
    int best = dspsCurrentVariant();
    dspsStoreVariant(saved);
    return best;
}

bool Loaded(const char* module)
{
    return GetModuleHandleA(module) != nullptr;
}

class DspDllBinding : public ::testing::Test {
protected:
    void UseModules(const char* folder) { SetDllDirectoryA(ModuleFolder(folder).c_str()); }
    void TearDown() override
    {
        dspsStoreVariant(VariantGeneric);
        dspsUnloadDlls();
        SetDllDirectoryA(nullptr);
        for (DispatchDescriptor* d = dspsDescriptorList(); d; d = d->next)
            d->table->slot[VariantDll] = nullptr;
    }
};

} // namespace

TEST_F(DspDllBinding, NewerModulesAreBoundAndCalled)
{
    UseModules("v42");
    EXPECT_EQ(StatusOk, dspsBindFromDlls());
    EXPECT_EQ(VariantDll, dspsCurrentVariant());
    int v = 0;
    EXPECT_EQ(4242, dspsSet_32s(1, &v, 1));
    EXPECT_EQ(0, v);
    EXPECT_EQ(nullptr, dspsMalloc_32f(4));
    unsigned char pixel[4] = {};
    ImageSize size = {1, 1};
    ImageRect roi = {0, 0, 1, 1};
    EXPECT_EQ(4242, dspiResize_8u_C4R(pixel, size, 4, roi, pixel, 4, size, 1.0, 1.0, 16));
}

TEST_F(DspDllBinding, VersionOfTheLibraryItselfIsRejected)
{
    UseModules("v41");
    EXPECT_EQ(StatusDllNotUsed, dspsBindFromDlls());
    EXPECT_EQ(BestStaticVariant(), dspsCurrentVariant());
    EXPECT_FALSE(Loaded("dspi20.dll"));
    for (DispatchDescriptor* d = dspsDescriptorList(); d; d = d->next)
        EXPECT_EQ(nullptr, d->table->slot[VariantDll]) << d->name;
}

TEST_F(DspDllBinding, MissingExportKeepsEarlierBindingsAndStaticVariant)
{
    UseModules("partial");
    EXPECT_EQ(StatusDllNotUsed, dspsBindFromDlls());
    EXPECT_EQ(BestStaticVariant(), dspsCurrentVariant());
    EXPECT_TRUE(Loaded("dsps20.dll"));
    DispatchDescriptor* head = dspsDescriptorList();
    EXPECT_NE(nullptr, head->table->slot[VariantDll]);
    DispatchDescriptor* last = head;
    while (last->next)
        last = last->next;
    EXPECT_EQ(nullptr, last->table->slot[VariantDll]);
    EXPECT_EQ(StatusUnknownCpuType, dspsSelectCpuType(CpuDll));
    EXPECT_NE(VariantDll, dspsCurrentVariant());
}

TEST_F(DspDllBinding, AbsentModulesFallBackToStaticVariant)
{
    UseModules("none");
    EXPECT_EQ(StatusDllNotUsed, dspsBindFromDlls());
    EXPECT_EQ(BestStaticVariant(), dspsCurrentVariant());
    int v = 0;
    EXPECT_EQ(StatusOk, dspsSet_32s(3, &v, 1));
    EXPECT_EQ(3, v);
}

TEST_F(DspDllBinding, ExitKeepsModulesWhileTheirEntriesAreSelected)
{
    UseModules("v42");
    ASSERT_EQ(StatusOk, dspsBindFromDlls());
    dspsUnloadDllsOnExit();
    EXPECT_TRUE(Loaded("dsps20.dll"));
    dspsStoreVariant(VariantGeneric);
    dspsUnloadDllsOnExit();
    EXPECT_FALSE(Loaded("dsps20.dll"));
    EXPECT_FALSE(Loaded("dspi20.dll"));
}

// A module of the same name in the current directory is never bound.
TEST_F(DspDllBinding, ModulesInTheCurrentDirectoryAreIgnored)
{
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(ModuleFolder("v42").c_str()));
    LibStatus status = dspsBindFromDlls();
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(StatusDllNotUsed, status);
    EXPECT_FALSE(Loaded("dsps20.dll"));
    EXPECT_EQ(BestStaticVariant(), dspsCurrentVariant());
}
