#include "AudioTestSupport.h"
#include "audio/AudioDeviceConfig.h"
#include "common/CIniSave.h"
#include <gtest/gtest.h>

namespace {

std::string IniText(const char* path, const char* key)
{
    char value[300];
    GetPrivateProfileStringA("Input", key, "(missing)", value, sizeof(value), path);
    return value;
}

} // namespace

TEST(AudioDeviceConfig, FreshRecordOnWindowsSixOrLater)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    ASSERT_GE(info.dwMajorVersion, 6u);
    AudioDeviceConfig config;
    EXPECT_EQ(config.interfaceName, "Wave");
    EXPECT_EQ(config.sampleRate, 48000);
    EXPECT_EQ(config.bufferSize, 960);
    EXPECT_EQ(config.bufferCount, 8);
    EXPECT_EQ(config.channels, 2);
    EXPECT_EQ(config.src, 1);
    EXPECT_EQ(config.flags, "default");
    EXPECT_EQ(config.deviceName, "");
}

TEST(AudioDeviceConfig, PreferredAndAlternateDefaults)
{
    AudioDeviceConfig config;
    config.preferredInterface = "DS";
    config.SetDefaults();
    EXPECT_EQ(config.interfaceName, "DS");
    EXPECT_EQ(config.bufferSize, 480);

    AudioDeviceConfig dialog;
    dialog.alternateSampleRate = 48000;
    dialog.useAlternateDefaults = true;
    dialog.SetDefaults();
    EXPECT_EQ(dialog.interfaceName, "KS");
    EXPECT_EQ(dialog.sampleRate, 48000);
    EXPECT_EQ(dialog.bufferSize, 480);
    EXPECT_EQ(dialog.bufferCount, 8);
}

TEST(AudioDeviceConfig, SavingOneInterfaceLeavesTheOthersAlone)
{
    TempIni ini;
    AudioDeviceConfig config;
    config.interfaceName = "KS";
    config.deviceName = "Kernel Mic";
    config.bufferSize = 256;
    {
        CIniSave save(ini.Path());
        config.SaveInterfaceSettings(save, "Input");
        EXPECT_TRUE(save.Commit());
    }
    config.interfaceName = "Wave";
    config.deviceName = "Fake Input 0";
    config.bufferSize = 1024;
    config.bufferCount = 3;
    CIniSave save(ini.Path());
    config.SaveInterface(save, "Input");
    config.SaveInterfaceSettings(save, "Input");
    EXPECT_TRUE(save.Commit());
    EXPECT_EQ(IniText(ini.Path(), "devicename_KS"), "Kernel Mic");
    EXPECT_EQ(IniText(ini.Path(), "buffersize_KS"), "256");
    EXPECT_EQ(IniText(ini.Path(), "buffersize_Wave"), "1024");
    EXPECT_EQ(IniText(ini.Path(), "flags_Wave"), "default");
    EXPECT_EQ(IniText(ini.Path(), "src_Wave"), "1");
    EXPECT_EQ(IniText(ini.Path(), "Interface"), "Wave");

    AudioDeviceConfig loaded;
    loaded.interfaceName = "DS";
    loaded.LoadInterface(ini.Path(), "Input");
    loaded.LoadInterfaceSettings(ini.Path(), "Input");
    EXPECT_EQ(loaded.interfaceName, "Wave");
    EXPECT_EQ(loaded.deviceName, "Fake Input 0");
    EXPECT_EQ(loaded.bufferSize, 1024);
    EXPECT_EQ(loaded.bufferCount, 3);
    EXPECT_EQ(loaded.sampleRate, 48000);
}

TEST(AudioDeviceConfig, MissingKeysKeepTheDefaults)
{
    TempIni ini;
    WritePrivateProfileStringA("Input", "Interface", "DS", ini.Path());
    AudioDeviceConfig config;
    config.LoadInterface(ini.Path(), "Input");
    config.LoadInterfaceSettings(ini.Path(), "Input");
    EXPECT_EQ(config.interfaceName, "DS");
    EXPECT_EQ(config.bufferSize, 960);
    EXPECT_EQ(config.bufferCount, 8);
    EXPECT_EQ(config.flags, "default");
    config.LoadInterfaceSettings(nullptr, "Input");
    CIniSave nowhere(ini.Path());
    config.SaveInterfaceSettings(nowhere, nullptr);
    config.interfaceName = "Bogus"; // no interface of ours: no keys made for it
    config.SaveInterfaceSettings(nowhere, "Input");
    EXPECT_TRUE(nowhere.Commit());
    EXPECT_EQ(IniText(ini.Path(), "devicename_Bogus"), "(missing)");
    config.interfaceName = "DS";

    std::string longName(400, 'd');
    WritePrivateProfileStringA("Input", "devicename_DS", longName.c_str(), ini.Path());
    config.LoadInterfaceSettings(ini.Path(), "Input");
    EXPECT_EQ(config.deviceName.size(), 255u);
}

TEST(AudioDeviceConfig, DeviceNamesBecomeSafeKeyNames)
{
    AudioDeviceConfig config;
    config.interfaceName = "Line In:2 *?\\x";
    EXPECT_EQ(config.KeyName("devicename_"), "devicename_Line_In-2_---x");
    config.interfaceName = std::string(300, 'k');
    EXPECT_EQ(config.KeyName("buffersize_").size(), 255u);
    EXPECT_TRUE(AudioDeviceConfig::IsDeviceListed("anything", nullptr));
}
