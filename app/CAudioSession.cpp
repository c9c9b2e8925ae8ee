#include "app/CAudioSession.h"

namespace {
const int kChannels = 2; // whatever the configuration holds
const int kNoFifo = 0;
const int kPlanar = 0;
const bool kInput = true;
} // namespace

void CAudioSession::Close()
{
    m_streaming.Close();
    m_streaming.DestroyDriver();
}

bool CAudioSession::CloseIfFailed()
{
    if (!m_streaming.HasFailed())
        return false;
    m_status = m_streaming.GetErrorText();
    Close();
    return true;
}

bool CAudioSession::Open(const char* iniPath, CAudioClient* client)
{
    Close();
    m_status = kOpening;
    m_config.LoadInterface(iniPath, kInputSection);
    m_config.LoadInterfaceSettings(iniPath, kInputSection);
    const int type = CAudioInterface::InterfaceTypeFromName(kInput, m_config.interfaceName.c_str());
    if (type == AudioTypeNone) {
        m_status = kInvalidInterface;
        return false;
    }
    FillDriverSettings();
    m_streaming.SetClient(client);
    m_streaming.CreateDriver(kInput, type);
    if (m_streaming.Open(&m_driverSettings) != AudioOpenOk) {
        m_status = m_streaming.GetErrorText();
        return false;
    }
    return true;
}

// Only the fields the application chooses; the rest keep their constructed values.
void CAudioSession::FillDriverSettings()
{
    m_driverSettings.deviceName = m_config.deviceName;
    m_driverSettings.sampleRate = m_config.sampleRate;
    m_driverSettings.channels = kChannels;
    m_driverSettings.bufferFrames = m_config.bufferSize;
    m_driverSettings.bufferCount = m_config.bufferCount;
    m_driverSettings.fifoFrames = kNoFifo;
    m_driverSettings.interleaved = kPlanar;
}
