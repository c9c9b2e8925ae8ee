#include "audio/CAudioDriver.h"
#include "audio/CAudioCallback.h"
#include "common/DebugTrace.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

CAudioDriver::CAudioDriver(bool input)
    : m_errorText{}, m_frameBytes(0), m_allowDefaultDevice(false), m_input(input), m_owner(nullptr),
      m_typeId(AudioTypeNone)
{}

CAudioDriver::~CAudioDriver() = default;

bool CAudioDriver::SupportsDefaultDevice()
{
    return false;
}

bool CAudioDriver::IsDefaultDeviceName(const char*)
{
    return false;
}

int CAudioDriver::GetFrameBytes() const
{
    return m_frameBytes;
}

bool CAudioDriver::IsDisabledDeviceName(const char* name)
{
    if (!name || !*name)
        return true;
    static const char* const words[] = {"Disable", "Disabled", "Off", "None", "(None)"};
    for (const char* word : words)
        if (_stricmp(name, word) == 0)
            return true;
    return false;
}

const char* CAudioDriver::GetDirectionText() const
{
    return m_input ? "input" : "output";
}

void CAudioDriver::SetOwner(CAudioCallback* owner)
{
    m_owner = owner;
}

bool CAudioDriver::IsInput() const
{
    return m_input;
}

void CAudioDriver::SetType(int typeId)
{
    m_typeId = typeId;
}

int CAudioDriver::GetType() const
{
    return m_typeId;
}

void CAudioDriver::SetAllowDefaultDevice(bool allow)
{
    m_allowDefaultDevice = allow;
}

void CAudioDriver::GetErrorText(char* dest, int max) const
{
    if (!dest || max < 1)
        return;
    strncpy(dest, m_errorText, max - 1);
    dest[max - 1] = '\0';
}

void CAudioDriver::SetErrorText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(m_errorText, sizeof(m_errorText), format, args);
    va_end(args);
}

bool CAudioDriver::RefuseOpen(const AudioDriverSettings* settings, bool open)
{
    if (!settings)
        SetErrorText("No settings given!");
    else if (open)
        SetErrorText("Already Running!");
    else
        return false;
    return true;
}

int CAudioDriver::RefuseCloseOnDeviceThread()
{
    SetErrorText("Close called from the device thread: the stream ends after this block");
    DebugTrace("%s\n", m_errorText);
    return AudioCloseOnDeviceThread;
}

bool CAudioDriver::CheckBufferSettings(int maxBuffers)
{
    if (m_settings.channels < 1 || m_settings.channels > AudioMaxChannels)
        SetErrorText("Invalid channel count!");
    else if (m_settings.bufferFrames < 1 || m_settings.bufferFrames > AudioMaxBufferFrames)
        SetErrorText("Invalid buffer size!");
    else if (m_settings.bufferCount < 1 || m_settings.bufferCount > maxBuffers)
        SetErrorText("Invalid buffer count!");
    else
        return true;
    return false;
}

bool CAudioDriver::NoDeviceSelected()
{
    if (!IsDisabledDeviceName(m_settings.deviceName.c_str()))
        return false;
    SetErrorText("No %s Device Selected", m_input ? "Input" : "Output");
    return true;
}

bool CAudioDriver::DescribeDefaultDevice(AudioDeviceEntry* out, int index) const
{
    if (!m_allowDefaultDevice || index != 0)
        return false;
    out->name = "Default Device";
    out->identifier = kDefaultDeviceKey;
    return true;
}

void CAudioDriver::DeliverBlock(void* block, int bytes)
{
    if (m_owner)
        m_owner->OnAudioBlock(this, block, bytes);
}

void CAudioDriver::SetStallText(int seconds)
{
    SetErrorText("Error: no audio from the device for %d seconds\n", seconds);
}
