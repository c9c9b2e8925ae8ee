#include "audio/AI_KernelStreaming.h"
#include "audio/CKsEngine.h"
#include "audio/KsSettings.h"
#include "common/DebugTrace.h"
#include <cstring>
#include <new>

namespace {
// The engine's FIFO only catches packets the driver declines, which it never does while streaming.
const int kStreamFifoBytes = 4096;
// The engine that only lists devices never streams: the smallest packets will do.
const int kListPacketBytes = 256;
const int kListPacketCount = 4;
// 8-bit PCM is unsigned: its silence is the middle value.
const int kSilence8 = 0x80;
} // namespace

AI_KernelStreaming::AI_KernelStreaming(bool input)
    : CAudioDriver(input), m_pStreamEngine(nullptr), m_pListEngine(nullptr), m_bOpen(0), m_nDeviceChannels(0)
{}

AI_KernelStreaming::~AI_KernelStreaming()
{
    Close();
    delete m_pListEngine;
    delete m_pStreamEngine;
}

DWORD AI_KernelStreaming::ChannelMask(int channels)
{
    switch (channels) {
    case 1: return SPEAKER_FRONT_CENTER;
    case 2: return SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT;
    case 6: return 0x3F;
    case 8: return 0xFF;
    default: return 0;
    }
}

WAVEFORMATEXTENSIBLE AI_KernelStreaming::BuildFormat() const
{
    WAVEFORMATEXTENSIBLE format = {};
    int bits = m_settings.bits;
    format.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    format.Format.nChannels = (WORD)m_nDeviceChannels;
    format.Format.nSamplesPerSec = m_settings.sampleRate;
    format.Format.wBitsPerSample = (WORD)bits;
    format.Format.nBlockAlign = (WORD)(bits / 8 * m_nDeviceChannels);
    format.Format.nAvgBytesPerSec = (DWORD)format.Format.nBlockAlign * (DWORD)m_settings.sampleRate;
    format.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    format.Samples.wValidBitsPerSample = (WORD)bits;
    format.dwChannelMask = ChannelMask(m_nDeviceChannels);
    format.SubFormat = KSDATAFORMAT_SUBTYPE_PCM;
    return format;
}

void AI_KernelStreaming::PrepareConversion(const WAVEFORMATEXTENSIBLE& format)
{
    if (m_nDeviceChannels != m_settings.channels)
        m_conversion.Resize(m_settings.channels * format.Format.nBlockAlign * m_settings.bufferFrames);
}

CKsEngine* AI_KernelStreaming::NewStreamEngine(const WAVEFORMATEXTENSIBLE& format)
{
    KsSettings settings;
    settings.inputBufferSize = kStreamFifoBytes;
    settings.outputBufferSize = format.Format.nBlockAlign * m_settings.bufferFrames;
    settings.outputBufferCount = m_settings.bufferCount;
    CKsEngine* engine = new (std::nothrow) CKsEngine(IsInput(), &settings);
    if (engine)
        engine->SetSink(this);
    return engine;
}

bool AI_KernelStreaming::TryOpen(const WAVEFORMATEXTENSIBLE& format)
{
    m_pStreamEngine = NewStreamEngine(format);
    return m_pStreamEngine && m_pStreamEngine->Open(m_settings.deviceName.c_str(), &format.Format) != 0;
}

int AI_KernelStreaming::Open(const AudioDriverSettings* settings)
{
    if (!settings) {
        SetErrorText("No %s Device Selected", IsInput() ? "Input" : "Output");
        return AudioOpenFailed;
    }
    // A refused second open leaves the running stream's settings alone.
    if (m_bOpen) {
        SetErrorText("%s Object Already Opened", IsInput() ? "Input" : "Output");
        return AudioOpenFailed;
    }
    m_settings = *settings;
    if (NoDeviceSelected())
        return AudioOpenNoDevice;
    m_nDeviceChannels = m_settings.channels;
    if (!IsInput() && m_settings.channels == 2 && m_settings.outputChannels != 0)
        m_nDeviceChannels = m_settings.outputChannels;
    DebugTrace("KS: Trying to open stereo %s as %i ch %i hz... ", GetDirectionText(), m_nDeviceChannels,
               m_settings.sampleRate);
    WAVEFORMATEXTENSIBLE format = BuildFormat();
    PrepareConversion(format);
    m_frameBytes = format.Format.nBlockAlign;
    if (!TryOpen(format)) {
        DebugTrace("Extensible failed, ");
        delete m_pStreamEngine;
        format.Format.wFormatTag = WAVE_FORMAT_PCM;
        format.Format.cbSize = 0;
        if (!TryOpen(format)) {
            DebugTrace("Normal failed.\n");
            SetErrorText("%s", m_pStreamEngine ? m_pStreamEngine->GetErrorText() : "Out of memory!");
            delete m_pStreamEngine;
            m_pStreamEngine = nullptr;
            m_frameBytes = 0;
            return AudioOpenFailed;
        }
    }
    DebugTrace("success!\n");
    SetErrorText("Opened OK!");
    m_bOpen = 1;
    return AudioOpenOk;
}

int AI_KernelStreaming::Close()
{
    if (!m_bOpen)
        return AudioCloseOk;
    if (m_pStreamEngine && m_pStreamEngine->IsEngineThread()) {
        m_pStreamEngine->Stop();
        return RefuseCloseOnDeviceThread();
    }
    delete m_pStreamEngine;
    m_pStreamEngine = nullptr;
    m_bOpen = 0;
    m_frameBytes = 0;
    return AudioCloseOk;
}

int AI_KernelStreaming::IsOpen()
{
    return m_bOpen && m_pStreamEngine && m_pStreamEngine->IsStreaming();
}

int AI_KernelStreaming::GetLatency()
{
    if (!m_bOpen || !m_pStreamEngine)
        return 0;
    return m_settings.bufferCount * m_settings.bufferFrames + m_settings.fifoFrames;
}

CKsEngine* AI_KernelStreaming::DeviceListEngine()
{
    if (!m_pListEngine) {
        KsSettings settings;
        settings.inputBufferSize = kStreamFifoBytes;
        settings.outputBufferSize = kListPacketBytes;
        settings.outputBufferCount = kListPacketCount;
        m_pListEngine = new (std::nothrow) CKsEngine(IsInput(), &settings);
    }
    return m_pListEngine;
}

int AI_KernelStreaming::GetNumDevices()
{
    CKsEngine* engine = DeviceListEngine();
    return engine ? (int)engine->GetDeviceList().size() : 0;
}

void AI_KernelStreaming::GetDeviceName(AudioDeviceEntry* out, int index)
{
    CKsEngine* engine = DeviceListEngine();
    if (!engine || !out || index < 0 || index >= GetNumDevices())
        return;
    const KsDeviceList& list = engine->GetDeviceList();
    if (!list[index])
        return;
    const KsDeviceEntry* entry = list[index];
    out->name = entry->name ? entry->name : "";
    out->identifier = entry->path ? entry->path : "";
}

bool AI_KernelStreaming::HasFailed()
{
    if (!m_pStreamEngine || !m_pStreamEngine->HasFailed())
        return false;
    SetErrorText("%s", m_pStreamEngine->GetErrorText()); // the owner shows why
    return true;
}

int AI_KernelStreaming::OnCaptured(CKsEngine* engine, void* data, int bytes)
{
    DeliverBlock(data, bytes);
    return 1;
}

int AI_KernelStreaming::OnRender(CKsEngine* engine, void* data, int bytes)
{
    if (m_settings.channels == m_nDeviceChannels)
        DeliverBlock(data, bytes);
    else
        ExpandChannels(data, bytes);
    return 1;
}

void AI_KernelStreaming::ExpandChannels(void* data, int bytes)
{
    int clientChannels = m_settings.channels;
    if (m_frameBytes <= 0 || clientChannels <= 0)
        return;
    const int width = m_settings.bits / 8; // bytes per sample, as the device was opened
    int frames = bytes / m_frameBytes;
    int clientBytes = width * clientChannels * frames;
    if (width < 1 || clientBytes > m_conversion.GetSize())
        return;
    const char* client = (const char*)m_conversion.GetDataPtr();
    DeliverBlock(m_conversion.GetDataPtr(), clientBytes);
    char* device = (char*)data;
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < m_nDeviceChannels; ++c) {
            char* out = device + (f * m_nDeviceChannels + c) * width;
            if (m_settings.repeatChannels)
                memcpy(out, client + (f * clientChannels + c % clientChannels) * width, width);
            else if (c < clientChannels)
                memcpy(out, client + (f * clientChannels + c) * width, width);
            else
                memset(out, width == 1 ? kSilence8 : 0, width);
        }
    }
}
