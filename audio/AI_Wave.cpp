#include "audio/AI_Wave.h"
#include "audio/PcmFormat.h"
#include "audio/StallWatch.h"
#include "audio/WaveApi.h"
#include "common/DebugTrace.h"
#include "common/StringFormat.h"
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Driver messages for a device's interface path (not in the SDK headers we use).
const UINT QueryDeviceInterface = 0x80C;
const UINT QueryDeviceInterfaceSize = 0x80D;
// A device path is far shorter; a larger answer is not believed.
const ULONG MaxInterfacePathBytes = 65536;

const WaveApi& Api()
{
    return CurrentWaveApi();
}

} // namespace

AI_Wave::AI_Wave(bool input)
    : CAudioDriver(input), m_headers{}, m_outDevice(0), m_inDevice(0), m_open(0), m_failed(false)
{}

AI_Wave::~AI_Wave()
{
    Close();
}

int AI_Wave::Open(const AudioDriverSettings* settings)
{
    m_failed = false;
    if (RefuseOpen(settings, m_open != 0))
        return AudioOpenFailed;
    m_settings = *settings;
    UINT device = WAVE_MAPPER;
    int result = SelectDevice(m_settings.deviceName.c_str(), &device);
    if (result != AudioOpenOk)
        return result;
    if (!CheckBufferSettings(MaxBuffers))
        return AudioOpenFailed;

    WAVEFORMATEX format = PcmFormat(m_settings);
    m_frameBytes = format.nBlockAlign;
    MMRESULT opened = DeviceOpen(device, &format);
    if (opened != MMSYSERR_NOERROR) {
        m_inDevice = 0;
        m_outDevice = 0;
        m_frameBytes = 0;
        SetOpenFailureText(opened);
        return AudioOpenFailed;
    }
    if (!PrepareBuffers())
        return AudioOpenFailed;
    if (IsInput())
        Api().inStart(m_inDevice);
    m_thread.SetRunnable(this);
    m_thread.SetPriority(THREAD_PRIORITY_TIME_CRITICAL);
    if (m_thread.Start() != 0) {
        SetErrorText("Couldn't start the %s thread", GetDirectionText());
        DeviceStop();
        FailOpen(m_settings.bufferCount);
        return AudioOpenFailed;
    }
    m_open = 1;
    return AudioOpenOk;
}

int AI_Wave::SelectDevice(const char* name, UINT* device)
{
    if (NoDeviceSelected())
        return AudioOpenNoDevice;
    if (IsDefaultDeviceName(name)) {
        if (!m_allowDefaultDevice) {
            SetErrorText("Default %s device not allowed - must select explicitly.", GetDirectionText());
            return AudioOpenFailed;
        }
        *device = WAVE_MAPPER;
        return AudioOpenOk;
    }
    if (!FindDevice(name, device)) {
        SetErrorText("Couldn't find %s device \"%s\"", GetDirectionText(), name);
        return AudioOpenFailed;
    }
    return AudioOpenOk;
}

// Only a refused format is blamed on the format: a device that is gone or taken says so.
void AI_Wave::SetOpenFailureText(MMRESULT result)
{
    switch (result) {
    case MMSYSERR_BADDEVICEID: // no such device (the default device when there is none)
    case MMSYSERR_NODRIVER:
    case MMSYSERR_NOTENABLED: // removed after it was listed
        SetErrorText("ERROR - The %s device is missing", GetDirectionText());
        break;
    case MMSYSERR_ALLOCATED: SetErrorText("ERROR - The %s device is in use", GetDirectionText()); break;
    case WAVERR_BADFORMAT:
        SetErrorText("ERROR - Couldn't open %i hz, %i ch, %i bits", m_settings.sampleRate, m_settings.channels,
                     m_settings.bits);
        break;
    default: SetErrorText("ERROR - Couldn't open the %s device (%u)", GetDirectionText(), (unsigned)result);
    }
}

bool AI_Wave::FindDevice(const char* name, UINT* device)
{
    int count = GetNumDevices();
    for (int i = 0; i < count; i++) {
        AudioDeviceEntry entry;
        GetDeviceName(&entry, i);
        if (_stricmp(entry.identifier.c_str(), name) == 0 || _stricmp(entry.name.c_str(), name) == 0) {
            *device = (UINT)entry.deviceNumber;
            return true;
        }
    }
    return false;
}

bool AI_Wave::PrepareBuffers()
{
    int bytes = m_frameBytes * m_settings.bufferFrames;
    for (int i = 0; i < m_settings.bufferCount; i++)
        if (!PrepareBuffer(i, bytes)) {
            FailOpen(i + 1);
            return false;
        }
    return true;
}

bool AI_Wave::PrepareBuffer(int index, int bytes)
{
    WAVEHDR& header = m_headers[index];
    memset(&header, 0, sizeof(header));
    header.lpData = (LPSTR)calloc(bytes > 0 ? bytes : 1, 1);
    header.dwBufferLength = bytes;
    header.dwUser = index;
    if (!header.lpData || DevicePrepare(&header) != MMSYSERR_NOERROR) {
        SetErrorText("Error: Wave buffer preparation failed\n");
        return false;
    }
    // Output buffer 0 always starts as silence.
    if (!IsInput() && m_settings.prefillOutput && index > 0)
        DeliverBlock(header.lpData, bytes);
    if (DeviceQueue(&header) != MMSYSERR_NOERROR) {
        SetErrorText("Error: Wave buffer driver handoff failed\n");
        return false;
    }
    return true;
}

// Undoes a partly done Open: every header up to preparedCount is released.
void AI_Wave::FailOpen(int preparedCount)
{
    Reset();
    ReleaseBuffers(preparedCount);
    DeviceClose();
    m_frameBytes = 0;
}

void AI_Wave::ReleaseBuffers(int count)
{
    for (int i = 0; i < count && i < MaxBuffers; i++) {
        WAVEHDR& header = m_headers[i];
        if (!header.lpData)
            continue;
        // The device must let go of the header before its memory is freed.
        DeviceUnprepare(&header);
        free(header.lpData);
        header.lpData = nullptr;
    }
}

int AI_Wave::Close()
{
    if (m_thread.IsCurrentThread()) {
        m_thread.RequestStop();
        return RefuseCloseOnDeviceThread();
    }
    if (m_open) {
        DeviceStop();
        m_thread.Stop();
        Reset();
        ReleaseBuffers(m_settings.bufferCount);
        DeviceClose();
        m_frameBytes = 0;
        m_open = 0;
    }
    m_inDevice = 0;
    m_outDevice = 0;
    return AudioCloseOk;
}

void AI_Wave::Reset()
{
    if (IsInput() && m_inDevice)
        Api().inReset(m_inDevice);
    else if (!IsInput() && m_outDevice)
        Api().outReset(m_outDevice);
}

int AI_Wave::IsOpen()
{
    return m_open;
}

int AI_Wave::GetLatency()
{
    if (!m_open)
        return 0;
    return (m_settings.bufferCount - 1) * m_settings.bufferFrames + m_settings.fifoFrames;
}

int AI_Wave::GetNumDevices()
{
    int count = (int)(IsInput() ? Api().inGetNumDevs() : Api().outGetNumDevs());
    return count + (m_allowDefaultDevice ? 1 : 0);
}

void AI_Wave::GetDeviceName(AudioDeviceEntry* out, int index)
{
    if (!out || DescribeDefaultDevice(out, index))
        return;
    UINT device = (UINT)(m_allowDefaultDevice ? index - 1 : index);
    out->deviceNumber = (int)device;
    char product[MAXPNAMELEN + 1] = {};
    if (IsInput()) {
        WAVEINCAPSA caps = {};
        if (Api().inGetDevCaps(device, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            SafeStrCopy(product, caps.szPname, sizeof(product));
    } else {
        WAVEOUTCAPSA caps = {};
        if (Api().outGetDevCaps(device, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            SafeStrCopy(product, caps.szPname, sizeof(product));
    }
    out->name = product;
    out->identifier = product;
    ReadInterfacePath(device, out);
}

void AI_Wave::ReadInterfacePath(UINT device, AudioDeviceEntry* out)
{
    ULONG size = 0;
    if (DeviceMessage(device, QueryDeviceInterfaceSize, (DWORD_PTR)&size, 0) != MMSYSERR_NOERROR || size == 0 ||
        size > MaxInterfacePathBytes)
        return;
    // Rounded up to whole UTF-16 units, with room for a terminator the device may omit.
    std::vector<wchar_t> wide(size / sizeof(wchar_t) + 2, L'\0');
    std::vector<char> narrow(wide.size(), '\0');
    if (DeviceMessage(device, QueryDeviceInterface, (DWORD_PTR)wide.data(), size) != MMSYSERR_NOERROR)
        return;
    WideToAnsiCopy(wide.data(), narrow.data(), (int)narrow.size());
    if (narrow[0])
        out->identifier = narrow.data();
}

bool AI_Wave::SupportsDefaultDevice()
{
    return true;
}

bool AI_Wave::IsDefaultDeviceName(const char* name)
{
    return name && (_stricmp(name, "WAVE_MAPPER") == 0 || _stricmp(name, "Default") == 0 ||
                    _stricmp(name, "Default Device") == 0);
}

bool AI_Wave::HasFailed()
{
    return m_failed;
}

void AI_Wave::Run(CThread* thread)
{
    int index = 0;
    StallWatch stall(m_settings, Api().time());
    // Buffers finished before the thread began signalled an event that its start reset.
    ServiceBuffers(thread, &index);
    // A device whose sound server is gone stops finishing buffers without any error, so the wait's
    // time-out, besides polling, tells a silent capture device.
    while (!m_failed && thread->Wait(StallWatch::PollMs)) {
        DWORD now = Api().time();
        bool handedOn = ServiceBuffers(thread, &index) > 0;
        if (IsInput() && stall.Stalled(handedOn, now)) {
            SetStallText(stall.LimitSeconds()); // before failed: the owner reads it then
            DebugTrace("%s", m_errorText);
            m_failed = true;
        }
    }
    DebugTrace("thread ending\n");
}

// Hands on every finished buffer in queue order and queues it again.
int AI_Wave::ServiceBuffers(CThread* thread, int* index)
{
    int handed = 0;
    while (IsDone(*index)) {
        if (!thread->IsRunning())
            break;
        WAVEHDR& header = m_headers[*index];
        DeliverBlock(header.lpData, (int)DeliveredBytes(header));
        handed++;
        header.dwFlags &= ~WHDR_DONE;
        if (DeviceQueue(&header) != MMSYSERR_NOERROR) {
            DebugTrace("AI_Wave thread write error\n");
            SetErrorText("Error: Wave buffer driver handoff failed\n"); // before failed: the owner reads it then
            m_failed = true;
            break;
        }
        *index = (*index + 1) % m_settings.bufferCount;
    }
    return handed;
}

DWORD AI_Wave::DeliveredBytes(const WAVEHDR& header) const
{
    // A device may claim more than the buffer holds; nothing past the buffer is handed on.
    if (IsInput() && header.dwBytesRecorded < header.dwBufferLength)
        return header.dwBytesRecorded;
    return header.dwBufferLength;
}

bool AI_Wave::IsDone(int index) const
{
    // The device sets the flag from its own thread.
    return (*(volatile const DWORD*)&m_headers[index].dwFlags & WHDR_DONE) != 0;
}

MMRESULT AI_Wave::DeviceOpen(UINT device, const WAVEFORMATEX* format)
{
    DWORD_PTR event = (DWORD_PTR)m_thread.GetWakeEvent();
    if (IsInput())
        return Api().inOpen(&m_inDevice, device, format, event, 0, CALLBACK_EVENT);
    return Api().outOpen(&m_outDevice, device, format, event, 0, CALLBACK_EVENT);
}

MMRESULT AI_Wave::DevicePrepare(WAVEHDR* header)
{
    if (IsInput())
        return Api().inPrepareHeader(m_inDevice, header, sizeof(WAVEHDR));
    return Api().outPrepareHeader(m_outDevice, header, sizeof(WAVEHDR));
}

MMRESULT AI_Wave::DeviceUnprepare(WAVEHDR* header)
{
    if (IsInput())
        return Api().inUnprepareHeader(m_inDevice, header, sizeof(WAVEHDR));
    return Api().outUnprepareHeader(m_outDevice, header, sizeof(WAVEHDR));
}

MMRESULT AI_Wave::DeviceQueue(WAVEHDR* header)
{
    if (IsInput())
        return Api().inAddBuffer(m_inDevice, header, sizeof(WAVEHDR));
    return Api().outWrite(m_outDevice, header, sizeof(WAVEHDR));
}

MMRESULT AI_Wave::DeviceMessage(UINT device, UINT message, DWORD_PTR p1, DWORD_PTR p2)
{
    if (IsInput())
        return Api().inMessage((HWAVEIN)(UINT_PTR)device, message, p1, p2);
    return Api().outMessage((HWAVEOUT)(UINT_PTR)device, message, p1, p2);
}

void AI_Wave::DeviceStop()
{
    if (IsInput())
        Api().inStop(m_inDevice);
    else
        Api().outPause(m_outDevice);
}

void AI_Wave::DeviceClose()
{
    if (IsInput() && m_inDevice)
        Api().inClose(m_inDevice);
    else if (!IsInput() && m_outDevice)
        Api().outClose(m_outDevice);
    m_inDevice = 0;
    m_outDevice = 0;
}
