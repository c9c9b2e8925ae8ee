#pragma once
#include <string>

class CIniSave;

// The persisted audio device choice: the interface short name ("Wave", "DS", "KS")
// and, per interface, device, rate, channels, buffer size and count, flags and src.
class AudioDeviceConfig {
public:
    AudioDeviceConfig();

    void SetDefaults();
    // Both write into a save of the settings file, which the caller commits.
    void SaveInterface(CIniSave& save, const char* section) const;
    void SaveInterfaceSettings(CIniSave& save, const char* section) const;
    void LoadInterface(const char* iniPath, const char* section);
    void LoadInterfaceSettings(const char* iniPath, const char* section);
    // The per-interface key: prefix + interfaceName, made safe for the .ini file.
    std::string KeyName(const char* prefix) const;
    static bool IsDeviceListed(const char* name, const char* identifier);

    int defaultChannels;
    int alternateSampleRate;
    int defaultSampleRate;
    std::string defaultDeviceName;
    std::string preferredInterface;
    int defaultSrc;
    bool useAlternateDefaults;

    std::string interfaceName;
    std::string deviceName;
    std::string flags;
    int bufferCount;
    int bufferSize;
    int sampleRate;
    int channels;
    int src;
};
