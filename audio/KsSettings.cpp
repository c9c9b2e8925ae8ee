#include "audio/KsSettings.h"
#include "common/IniFile.h"
#include <windows.h>

namespace {
const char kSection[] = "Kernel Streaming";

// A multiple of 1024 bytes, at least minimum kilobytes.
int ClampKilobytes(int value, int minimum)
{
    int kilobytes = value / 1024;
    return (kilobytes < minimum ? minimum : kilobytes) * 1024;
}

void Load(KsSettings* settings)
{
    settings->SetDefaults();
    settings->Read();
}
} // namespace

KsSettings::KsSettings()
{
    static_assert(PathSize >= MAX_PATH, "GetIniPath fills MAX_PATH bytes");
    GetIniPath(iniPath); // the program's own settings file, in any folder it reads
    Load(this);
}

KsSettings::KsSettings(const char* path)
{
    iniPath[0] = 0;
    if (path)
        lstrcpynA(iniPath, path, PathSize);
    Load(this);
}

void KsSettings::SetDefaults()
{
    outputDevice[0] = 0;
    volumeEnabled = 0;
    gaplessEnabled = 0;
    inputBufferSize = DefaultFifoBytes;
    outputBufferSize = DefaultPacketBytes;
    outputBufferCount = DefaultPacketCount;
}

void KsSettings::Read()
{
    ReadString("output_device", outputDevice, PathSize);
    ReadInt("volume_enabled", &volumeEnabled);
    ReadInt("gapless_enabled", &gaplessEnabled);
    ReadInt("input_buffer_size", &inputBufferSize);
    ReadInt("output_buffer_size", &outputBufferSize);
    ReadInt("output_buffer_cnt", &outputBufferCount);
    inputBufferSize = ClampKilobytes(inputBufferSize, MinFifoKilobytes);
    outputBufferSize = ClampKilobytes(outputBufferSize, MinPacketKilobytes);
    if (outputBufferCount < MinPacketCount)
        outputBufferCount = MinPacketCount;
    if (outputBufferCount > MaxPacketCount)
        outputBufferCount = MaxPacketCount;
}

void KsSettings::ReadString(const char* key, char* dest, int size)
{
    if (!dest || size < 1)
        return;
    char current[2048];
    lstrcpynA(current, dest, sizeof(current));
    GetPrivateProfileStringA(kSection, key, current, dest, size, iniPath);
    dest[size - 1] = 0;
}

void KsSettings::ReadInt(const char* key, int* value)
{
    if (value)
        *value = (int)GetPrivateProfileIntA(kSection, key, *value, iniPath);
}
