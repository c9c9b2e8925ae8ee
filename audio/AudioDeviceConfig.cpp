#include "audio/AudioDeviceConfig.h"
#include "audio/CAudioInterface.h"
#include "common/CIniSave.h"
#include "common/IniFile.h"
#include "common/StringFormat.h"
#include <windows.h>

namespace {

const int TextSize = 256;
const bool kInput = true; // the settings kept are an input's

int WindowsMajorVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    return (int)info.dwMajorVersion;
}

std::string ReadText(const char* path, const char* section, const std::string& key, const std::string& current)
{
    char value[TextSize] = {};
    GetPrivateProfileStringA(section, key.c_str(), current.c_str(), value, TextSize, path);
    return value;
}

int ReadInt(const char* path, const char* section, const std::string& key, int current)
{
    return (int)GetPrivateProfileIntA(section, key.c_str(), current, path);
}

} // namespace

AudioDeviceConfig::AudioDeviceConfig()
    : defaultChannels(2), alternateSampleRate(44100), defaultSampleRate(48000), defaultSrc(1),
      useAlternateDefaults(false), bufferCount(0), bufferSize(0), sampleRate(0), channels(0), src(0)
{
    SetDefaults();
}

void AudioDeviceConfig::SetDefaults()
{
    deviceName = defaultDeviceName;
    flags = "default";
    if (useAlternateDefaults) {
        interfaceName = preferredInterface.empty() ? "KS" : preferredInterface;
        sampleRate = alternateSampleRate;
        bufferSize = alternateSampleRate / 100;
    } else if (WindowsMajorVersion() >= 6 && preferredInterface.empty()) {
        interfaceName = "Wave";
        sampleRate = defaultSampleRate;
        bufferSize = defaultSampleRate / 50;
    } else {
        interfaceName = preferredInterface.empty() ? "KS" : preferredInterface;
        sampleRate = defaultSampleRate;
        bufferSize = defaultSampleRate / 100;
    }
    channels = defaultChannels;
    bufferCount = 8;
    src = defaultSrc;
}

std::string AudioDeviceConfig::KeyName(const char* prefix) const
{
    char key[TextSize] = {};
    SafeStrCopy(key, prefix, TextSize);
    SafeStrCat(key, interfaceName.c_str(), TextSize);
    MakeSafeKeyName(key, key);
    return key;
}

void AudioDeviceConfig::SaveInterface(CIniSave& save, const char* section) const
{
    if (section)
        save.WriteString(section, "Interface", interfaceName.c_str());
}

void AudioDeviceConfig::SaveInterfaceSettings(CIniSave& save, const char* section) const
{
    // An interface no driver stands for has no keys to keep: none is made up for it.
    if (!section || CAudioInterface::InterfaceTypeFromName(kInput, interfaceName.c_str()) == AudioTypeNone)
        return;
    save.WriteInt(section, KeyName("buffersize_").c_str(), bufferSize);
    save.WriteInt(section, KeyName("buffercount_").c_str(), bufferCount);
    save.WriteString(section, KeyName("devicename_").c_str(), deviceName.c_str());
    save.WriteString(section, KeyName("flags_").c_str(), flags.c_str());
    save.WriteInt(section, KeyName("samplerate_").c_str(), sampleRate);
    save.WriteInt(section, KeyName("channels_").c_str(), channels);
    save.WriteInt(section, KeyName("src_").c_str(), src);
}

void AudioDeviceConfig::LoadInterface(const char* iniPath, const char* section)
{
    if (iniPath && section)
        interfaceName = ReadText(iniPath, section, "Interface", interfaceName);
}

void AudioDeviceConfig::LoadInterfaceSettings(const char* iniPath, const char* section)
{
    if (!iniPath || !section)
        return;
    bufferSize = ReadInt(iniPath, section, KeyName("buffersize_"), bufferSize);
    bufferCount = ReadInt(iniPath, section, KeyName("buffercount_"), bufferCount);
    deviceName = ReadText(iniPath, section, KeyName("devicename_"), deviceName);
    sampleRate = ReadInt(iniPath, section, KeyName("samplerate_"), sampleRate);
    channels = ReadInt(iniPath, section, KeyName("channels_"), channels);
    src = ReadInt(iniPath, section, KeyName("src_"), src);
    flags = ReadText(iniPath, section, KeyName("flags_"), flags);
}

bool AudioDeviceConfig::IsDeviceListed(const char*, const char*)
{
    return true;
}
