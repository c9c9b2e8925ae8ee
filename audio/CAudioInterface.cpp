#include "audio/CAudioInterface.h"
#include "audio/AudioDriverFactory.h"
#include "audio/CAudioClient.h"
#include "audio/SampleConvert.h"
#include "common/CFifo.h"
#include <cstdlib>
#include <cstring>

namespace {

struct TypeRow {
    const char* inputName;
    const char* outputName;
    const char* shortName;
    int bufferSize;
    int bufferCount;
    int typeId;
    const char* defaultDevice; // empty where the driver lists none
};

const char* const kDefault = CAudioDriver::kDefaultDeviceKey;
const TypeRow typeRows[] = {
    {"Wave In", "Wave Out", "Wave", 512, 8, AudioTypeWave, kDefault},
    {"DirectSound", "DirectSound", "DS", 256, 4, AudioTypeDirectSound, kDefault},
    {"Kernel Streaming", "Kernel Streaming", "KS", 256, 4, AudioTypeKernelStreaming, ""},
};
const TypeRow invalidRow = {"Invalid", "Invalid", "inv", 0, 0, AudioTypeNone, ""};
const int typeCount = sizeof(typeRows) / sizeof(typeRows[0]);

const TypeRow& RowAt(int index)
{
    return index >= 0 && index < typeCount ? typeRows[index] : invalidRow;
}

void FillInfo(const TypeRow& row, const char* displayName, InterfaceTypeInfo* out)
{
    if (!out)
        return;
    out->displayName = displayName;
    out->shortName = row.shortName;
    out->defaultBufferSize = row.bufferSize;
    out->defaultBufferCount = row.bufferCount;
    out->typeId = row.typeId;
}

} // namespace

// The control lock for one operation, passed by the device thread inside a block.
class CAudioInterface::ControlGuard {
public:
    explicit ControlGuard(CAudioInterface& ai)
        : m_lock(ai.m_deliveringThread.load() == GetCurrentThreadId() ? nullptr : &ai.m_controlLock)
    {
        if (m_lock)
            m_lock->Lock();
    }
    ~ControlGuard()
    {
        if (m_lock)
            m_lock->Unlock();
    }
    ControlGuard(const ControlGuard&) = delete;
    ControlGuard& operator=(const ControlGuard&) = delete;

private:
    CMutex* m_lock;
};

CAudioInterface::CAudioInterface()
    : m_fifo(nullptr), m_driver(nullptr), m_errorText{}, m_client(nullptr), m_channels{}, m_allowDefaultDevice(true),
      m_running(false), m_deliveringThread(0)
{
    m_settings.Clear();
}

CAudioInterface::~CAudioInterface()
{
    DestroyDriver();
}

void CAudioInterface::CreateDriver(bool input, int typeId)
{
    ControlGuard guard(*this);
    DestroyDriver();
    if (m_driver)
        return;
    m_lock.Lock();
    m_driver = CreateAudioDriver(input, typeId);
    if (m_driver) {
        m_driver->SetType(typeId);
        m_driver->SetOwner(this);
        m_driver->SetAllowDefaultDevice(m_allowDefaultDevice);
    }
    m_lock.Unlock();
}

void CAudioInterface::DestroyDriver()
{
    ControlGuard guard(*this);
    // A driver whose own thread asks cannot be deleted under that thread's feet.
    if (Close() != AudioCloseOk)
        return;
    m_lock.Lock();
    delete m_driver;
    m_driver = nullptr;
    m_lock.Unlock();
}

int CAudioInterface::GetDriverType()
{
    ControlGuard guard(*this);
    return m_driver ? m_driver->GetType() : AudioTypeNone;
}

int CAudioInterface::Open(const AudioDriverSettings* settings)
{
    ControlGuard guard(*this);
    if (settings && (settings->sampleRate < AudioMinSampleRate || settings->sampleRate > AudioMaxSampleRate)) {
        SetError("Invalid sample rate!");
        return AudioOpenFailed;
    }
    if (!m_driver) {
        SetError("Must create first.");
        return AudioOpenFailed;
    }
    SetError("Unknown error opening CAudioInterface internal driver!");
    if (m_driver->IsOpen()) {
        SetError("Already Running!");
        return AudioOpenFailed;
    }
    if (CheckSettings(settings) != AudioOpenOk)
        return AudioOpenFailed;

    m_lock.Lock();
    m_settings = *settings;
    if (m_settings.interleaved == 0 && !AllocateChannels()) {
        FreeChannels();
        m_lock.Unlock();
        SetError("Out of memory!");
        return AudioOpenFailed;
    }
    m_running = true;
    int result = m_driver->Open(settings);
    if (result != AudioOpenOk) {
        m_driver->GetErrorText(m_errorText, ErrorTextSize);
        delete m_fifo;
        m_fifo = nullptr;
        FreeChannels();
    } else if (m_settings.fifoFrames != 0) {
        m_fifo = new CFifo;
        m_fifo->Open(m_driver->GetFrameBytes() * m_settings.fifoFrames, 0, 0, 0);
    }
    m_lock.Unlock();
    return result;
}

// Refuses values that would overrun the channel table or make absurd buffers.
int CAudioInterface::CheckSettings(const AudioDriverSettings* settings)
{
    if (!settings)
        SetError("No settings given!");
    else if (settings->channels < 1 || settings->channels > MaxChannels)
        SetError("Invalid channel count!");
    else if (settings->bufferFrames < 1 || settings->bufferFrames > AudioMaxBufferFrames)
        SetError("Invalid buffer size!");
    else if (settings->bufferCount < 1)
        SetError("Invalid buffer count!");
    else if (settings->fifoFrames < 0 || settings->fifoFrames > AudioMaxBufferFrames * 64)
        SetError("Invalid FIFO size!");
    else
        return AudioOpenOk;
    return AudioOpenFailed;
}

int CAudioInterface::Close()
{
    ControlGuard guard(*this);
    if (!m_driver)
        return AudioCloseOk;
    m_running = false;
    // The device thread may wait for the lock to deliver a last block, so the
    // driver is stopped before the lock is taken.
    if (m_driver->Close() != AudioCloseOk) {
        // The block being delivered still uses the buffers.
        m_driver->GetErrorText(m_errorText, ErrorTextSize);
        return AudioCloseOnDeviceThread;
    }
    m_lock.Lock();
    if (m_fifo) {
        m_fifo->Close();
        delete m_fifo;
        m_fifo = nullptr;
    }
    m_settings.Clear();
    FreeChannels();
    m_lock.Unlock();
    return AudioCloseOk;
}

bool CAudioInterface::HasFailed()
{
    ControlGuard guard(*this);
    if (!m_driver || !m_driver->HasFailed())
        return false;
    m_driver->GetErrorText(m_errorText, ErrorTextSize);
    return true;
}

const char* CAudioInterface::GetErrorText() const
{
    return m_errorText;
}

void CAudioInterface::SetClient(CAudioClient* client)
{
    m_lock.Lock();
    m_client = client;
    m_lock.Unlock();
}

int CAudioInterface::GetNumDevices()
{
    ControlGuard guard(*this);
    return m_driver ? m_driver->GetNumDevices() : 0;
}

void CAudioInterface::GetDeviceName(AudioDeviceEntry* out, int index)
{
    ControlGuard guard(*this);
    if (m_driver && out)
        m_driver->GetDeviceName(out, index);
}

int CAudioInterface::GetNumInterfaceTypes()
{
    return typeCount;
}

void CAudioInterface::GetInputInterfaceType(int index, InterfaceTypeInfo* out)
{
    FillInfo(RowAt(index), RowAt(index).inputName, out);
}

void CAudioInterface::GetOutputInterfaceType(int index, InterfaceTypeInfo* out)
{
    FillInfo(RowAt(index), RowAt(index).outputName, out);
}

int CAudioInterface::InterfaceTypeFromIndex(int index)
{
    return RowAt(index).typeId;
}

const char* CAudioInterface::DefaultDeviceKey(int typeId)
{
    for (const TypeRow& row : typeRows)
        if (row.typeId == typeId)
            return row.defaultDevice;
    return invalidRow.defaultDevice;
}

int CAudioInterface::InterfaceTypeFromName(bool, const char* shortName)
{
    if (!shortName)
        return AudioTypeNone;
    for (const TypeRow& row : typeRows)
        if (strcmp(row.shortName, shortName) == 0)
            return row.typeId;
    return AudioTypeNone;
}

void CAudioInterface::OnAudioBlock(CAudioDriver* driver, void* deviceBuffer, int bytes)
{
    if (!m_running)
        return;
    m_lock.Lock();
    m_deliveringThread = GetCurrentThreadId();
    if (m_fifo)
        DeliverFifo(driver, deviceBuffer, bytes);
    else if (m_client && deviceBuffer && bytes > 0) {
        if (m_settings.interleaved)
            DeliverInterleaved(driver, deviceBuffer, bytes);
        else if (!driver || driver->IsInput())
            DeliverPlanarInput(deviceBuffer, bytes);
        else
            DeliverPlanarOutput(deviceBuffer, bytes);
    }
    m_deliveringThread = 0;
    m_lock.Unlock();
}

void CAudioInterface::DeliverFifo(CAudioDriver* driver, void* deviceBuffer, int bytes)
{
    bool input = !driver || driver->IsInput();
    if (deviceBuffer && bytes > 0) {
        if (input && m_fifo->GetFree() >= bytes)
            m_fifo->Put(deviceBuffer, bytes, true);
        else if (!input && m_fifo->GetUsed() >= bytes)
            m_fifo->Get(deviceBuffer, bytes, false);
        else if (!input)
            memset(deviceBuffer, 0, bytes);
    }
    if (m_client)
        m_client->OnFifoNotify(this);
}

void CAudioInterface::DeliverInterleaved(CAudioDriver* driver, void* deviceBuffer, int bytes)
{
    if (!driver || driver->IsInput())
        m_client->OnInputInterleaved(this, deviceBuffer, bytes);
    else
        m_client->OnOutputInterleaved(this, deviceBuffer, bytes);
}

void CAudioInterface::DeliverPlanarInput(const void* deviceBuffer, int bytes)
{
    int channels = m_settings.channels;
    int frames = m_settings.bufferFrames;
    // A short block from the device hands on only what it holds: the rest of
    // the channels still holds the block before.
    if (m_settings.bits == 16) {
        frames = ClampFrames(frames, bytes, channels * 2);
        DeinterleaveInt16((const int16_t*)deviceBuffer, m_channels, channels, frames);
    } else if (m_settings.bits == 32) {
        frames = ClampFrames(frames, bytes, channels * 4);
        DeinterleaveFloat((const float*)deviceBuffer, m_channels, channels, frames);
    }
    if (frames > 0)
        m_client->OnInputPlanar(this, m_channels, frames);
}

void CAudioInterface::DeliverPlanarOutput(void* deviceBuffer, int bytes)
{
    int channels = m_settings.channels;
    int frames = m_settings.bufferFrames;
    m_client->OnOutputPlanar(this, m_channels, frames);
    if (m_settings.bits == 16)
        InterleaveInt16(m_channels, (int16_t*)deviceBuffer, channels, ClampFrames(frames, bytes, channels * 2));
    else if (m_settings.bits == 32)
        InterleaveFloat(m_channels, (float*)deviceBuffer, channels, ClampFrames(frames, bytes, channels * 4));
}

bool CAudioInterface::AllocateChannels()
{
    for (int c = 0; c < m_settings.channels; c++) {
        m_channels[c] = (int32_t*)calloc(m_settings.bufferFrames, sizeof(int32_t));
        if (!m_channels[c])
            return false;
    }
    return true;
}

void CAudioInterface::FreeChannels()
{
    for (int32_t*& channel : m_channels) {
        free(channel);
        channel = nullptr;
    }
}

void CAudioInterface::SetError(const char* text)
{
    strncpy(m_errorText, text, ErrorTextSize - 1);
    m_errorText[ErrorTextSize - 1] = '\0';
}
