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

// Another maker is judged by its feature bits alone, and told so; "Genu" of another
// maker and a processor without CPUID end generic.
TEST_F(DspCpuSelect, ProcessorsByMakerAndFeatures)
{
    const unsigned M = FakeCpu::Mmx, S = FakeCpu::Sse, S2 = FakeCpu::Sse2, S3 = FakeCpu::Sse3;
    const struct {
        const char* vendor;
        unsigned family, edx1, ecx1;
        bool longMode, hasCpuid;
        int variant;
    } cases[] = {
        {"GenuineIntel", 6, S | S2, 0, false, true, VariantSse2},
        {"GenuineIntel", 15, S | S2, S3, true, true, VariantSse3},
        {"GenuineIntel", 15, S, 0, true, true, VariantSse},
        {"GenuineIntel", 5, M, 0, false, true, VariantGeneric},
        {"GenuineIntel", 7, M, 0, false, true, VariantSse},
        {"OtherMakerXY", 4, S | S2, 0, false, true, VariantSse2},
        {"OtherMakerXY", 4, S, 0, false, true, VariantSse},
        {"OtherMakerXY", 4, 0, 0, false, true, VariantGeneric},
        {"GenuineOther", 6, S | S2, 0, false, true, VariantGeneric},
        {"GenuineIntel", 6, S | S2, 0, false, false, VariantGeneric},
    };
    for (const auto& c : cases) {
        std::memcpy(cpu.vendor, c.vendor, 13);
        cpu.family = c.family;
        cpu.edx1 = c.edx1;
        cpu.ecx1 = c.ecx1;
        cpu.longMode = c.longMode;
        cpu.hasCpuid = c.hasCpuid;
        testing::internal::CaptureStdout();
        EXPECT_EQ(c.variant, Select()) << c.vendor << " family " << c.family << " edx " << c.edx1;
        const std::string said = testing::internal::GetCapturedStdout();
        if (std::strcmp(c.vendor, "OtherMakerXY") == 0) {
            EXPECT_EQ("NotIntel(tm)\n", said);
        }
    }
}

TEST_F(DspCpuSelect, ForcedTypeFromIniFile)
{
    cpu.family = 5;
    cpu.edx1 = FakeCpu::Sse | FakeCpu::Sse2;
    cpu.ecx1 = FakeCpu::Sse3;
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

// A forced variant whose instructions the processor lacks gives way to the processor's own
// choice, with the unknown-type warning.
TEST_F(DspCpuSelect, ForcedVariantNeedsTheProcessorsFeatures)
{
    const unsigned S = FakeCpu::Sse, S2 = FakeCpu::Sse2, S3 = FakeCpu::Sse3;
    const struct {
        const char* vendor;
        unsigned edx1, ecx1;
        const char* forced;
        int variant;
        LibStatus status;
    } cases[] = {
        {"GenuineIntel", S, 0, "8", VariantSse, StatusUnknownCpuType},
        {"GenuineIntel", S, 0, "6", VariantSse, StatusUnknownCpuType},
        {"GenuineIntel", 0, 0, "5", VariantGeneric, StatusUnknownCpuType},
        {"GenuineIntel", S | S2, 0, "32", VariantSse2, StatusUnknownCpuType},
        {"GenuineIntel", S, S3, "8", VariantSse, StatusUnknownCpuType},
        {"GenuineIntel", S | S2, S3, "8", VariantSse3, StatusOk},
        {"GenuineIntel", S, 0, "5", VariantSse, StatusOk},
        {"GenuineIntel", 0, 0, "3", VariantGeneric, StatusOk},
        {"OtherMakerXY", S | S2, 0, "8", VariantSse2, StatusUnknownCpuType},
    };
    cpu.family = 6;
    testing::internal::CaptureStdout();
    for (const auto& c : cases) {
        std::memcpy(cpu.vendor, c.vendor, 13);
        cpu.edx1 = c.edx1;
        cpu.ecx1 = c.ecx1;
        Force(c.forced);
        dspsResetCpuSelection();
        EXPECT_EQ(c.status, SelectDspCpu()) << c.forced << " " << c.edx1;
        EXPECT_EQ(c.variant, dspsCurrentVariant()) << c.forced << " " << c.edx1;
    }
    testing::internal::GetCapturedStdout();
}
