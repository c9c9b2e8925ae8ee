#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "FakeCpu.h"
#include "signal/DspCpuSelect.h"
#include "signal/DspRegistry.h"

namespace {

std::string IniPath()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.rfind('.')) + ".ini";
}

// Test processes run at once and share the .ini file beside the executable.
class DspCpuSelect : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hLock = CreateMutexA(nullptr, FALSE, "QuillmereDspSelectTestIni");
        WaitForSingleObject(m_hLock, INFINITE);
        DeleteFileA(IniPath().c_str());
        dspsResetCpuSelection();
        cpu.Install();
    }
    void TearDown() override
    {
        DeleteFileA(IniPath().c_str());
        dspsResetCpuSelection();
        ReleaseMutex(m_hLock);
        CloseHandle(m_hLock);
    }
    void Force(const char* value) { WritePrivateProfileStringA("DSP", "ForceCpuType", value, IniPath().c_str()); }
    int Select()
    {
        dspsResetCpuSelection();
        SelectDspCpu();
        return dspsCurrentVariant();
    }

    FakeCpu cpu;
    HANDLE m_hLock = nullptr;
};

} // namespace

TEST_F(DspCpuSelect, IntelProcessorsByFeatures)
{
    cpu.family = 6;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    EXPECT_EQ(VariantSse2, Select());
    cpu.family = 15;
    cpu.ecx1 = FakeCpu::Sse3;
    cpu.longMode = true;
    EXPECT_EQ(VariantSse3, Select());
    cpu.ecx1 = 0;
    cpu.edx1 = FakeCpu::Sse;
    EXPECT_EQ(VariantSse, Select());
    cpu.family = 5;
    cpu.edx1 = FakeCpu::Mmx;
    EXPECT_EQ(VariantGeneric, Select());
    cpu.family = 7;
    EXPECT_EQ(VariantSse, Select());
}

TEST_F(DspCpuSelect, OtherVendorsByFeatureBits)
{
    std::memcpy(cpu.vendor, "OtherMakerXY", 13);
    cpu.family = 4;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    testing::internal::CaptureStdout();
    EXPECT_EQ(VariantSse2, Select());
    EXPECT_EQ("NotIntel(tm)\n", testing::internal::GetCapturedStdout());
    cpu.edx1 = FakeCpu::Sse;
    EXPECT_EQ(VariantSse, Select());
    cpu.edx1 = 0;
    EXPECT_EQ(VariantGeneric, Select());
}

TEST_F(DspCpuSelect, GenuPrefixOfAnotherVendorEndsGeneric)
{
    std::memcpy(cpu.vendor, "GenuineOther", 13);
    cpu.family = 6;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    EXPECT_EQ(VariantGeneric, Select());
}

TEST_F(DspCpuSelect, NoCpuidStaysGeneric)
{
    cpu.hasCpuid = false;
    EXPECT_EQ(VariantGeneric, Select());
}

TEST_F(DspCpuSelect, ForcedTypeFromIniFile)
{
    cpu.family = 5;
    Force("8");
    EXPECT_EQ(VariantSse3, Select());
    Force("12");
    EXPECT_EQ(VariantGeneric, Select());
    Force("57347538");
    cpu.family = 6;
    cpu.edx1 = FakeCpu::Sse;
    EXPECT_EQ(VariantSse, Select());
}

TEST_F(DspCpuSelect, SecondCallChangesNothing)
{
    cpu.family = 6;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    EXPECT_EQ(VariantSse2, Select());
    Force("5");
    SelectDspCpu();
    EXPECT_EQ(VariantSse2, dspsCurrentVariant());
}
