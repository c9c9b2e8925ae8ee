#include "audio/KsSettings.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

class KsSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + "kssettings_" + std::to_string(GetCurrentProcessId()) + ".ini";
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
    void Write(const char* key, const char* value)
    {
        WritePrivateProfileStringA("Kernel Streaming", key, value, path.c_str());
    }
    std::string path;
};

TEST_F(KsSettingsTest, DefaultsWithoutAFile)
{
    KsSettings settings(path.c_str());
    EXPECT_STREQ(settings.outputDevice, "");
    EXPECT_EQ(settings.volumeEnabled, 0);
    EXPECT_EQ(settings.gaplessEnabled, 0);
    EXPECT_EQ(settings.inputBufferSize, 65536);
    EXPECT_EQ(settings.outputBufferSize, 8192);
    EXPECT_EQ(settings.outputBufferCount, 8);
}

TEST_F(KsSettingsTest, SizesAreWholeKilobytesWithAFloor)
{
    Write("input_buffer_size", "5000");
    Write("output_buffer_size", "3000");
    Write("output_buffer_cnt", "20");
    Write("output_device", "Speakers");
    Write("volume_enabled", "1");
    KsSettings settings(path.c_str());
    EXPECT_EQ(settings.inputBufferSize, 4096);
    EXPECT_EQ(settings.outputBufferSize, 2048);
    EXPECT_EQ(settings.outputBufferCount, 8);
    EXPECT_STREQ(settings.outputDevice, "Speakers");
    EXPECT_EQ(settings.volumeEnabled, 1);

    Write("input_buffer_size", "100");
    Write("output_buffer_size", "-7000");
    Write("output_buffer_cnt", "0");
    KsSettings small(path.c_str());
    EXPECT_EQ(small.inputBufferSize, 4096);
    EXPECT_EQ(small.outputBufferSize, 2048);
    EXPECT_EQ(small.outputBufferCount, 2);
}

TEST(KsSettings, ProgramSettingsLieBesideTheProgram)
{
    KsSettings settings;
    std::string ini = settings.iniPath;
    ASSERT_GT(ini.size(), 4u);
    EXPECT_EQ(ini.substr(ini.size() - 4), ".ini");
    EXPECT_NE(ini.find("test_ksengine"), std::string::npos);
}
} // namespace
