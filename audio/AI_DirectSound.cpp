#include "audio/AI_DirectSound.h"
#include "audio/DSoundApi.h"
#include "audio/DSoundCaptureKeeper.h"
#include "audio/DSoundManager.h"
#include "audio/DSoundStreamingBuffer.h"
#include "audio/GuidText.h"
#include "audio/PcmFormat.h"
#include "audio/StallWatch.h"
#include "common/CMutex.h"
#include "common/DebugTrace.h"
#include <new>

namespace {

const DWORD StreamingFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLPOSITIONNOTIFY;

// Keeps the enumerations of every DirectSound driver of the process apart.
CMutex& EnumerationLock()
{
    static CMutex lock;
    return lock;
}

const DSoundApi& Api()
{
    return CurrentDSoundApi();
}

} // namespace

AI_DirectSound::AI_DirectSound(bool input)
    : CAudioDriver(input), m_running(0), m_failed(false), m_stopping(false), m_capture(nullptr), m_captureDevice{},
      m_captureWorked(false), m_captureBuffer(nullptr), m_notify(nullptr), m_manager(nullptr), m_streaming(nullptr),
      m_blockBytes(0), m_format{}, m_waitHandles{}, m_nextBlock(0)
{
    m_driverCom.Make();
}

AI_DirectSound::~AI_DirectSound()
{
    Close();
    ClearDeviceList();
}

int AI_DirectSound::Open(const AudioDriverSettings* settings)
{
    if (RefuseOpen(settings, m_running != 0))
        return AudioOpenFailed;
    // What a failed Open left behind goes before anything new is made.
    ReleaseDevices();
    m_failed = false; // a stream that failed before was closed
    m_settings = *settings;
    if (NoDeviceSelected())
        return AudioOpenNoDevice;
    if (!CheckBufferSettings(MaxBlocks))
        return AudioOpenFailed;
    // One initialisation is kept per open stream; Close undoes it.
    HRESULT hr = m_openCom.Make();
    if (FAILED(hr)) {
        SetErrorText("CoInitialize failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    GUID device = ParseGuid(m_settings.deviceName.c_str());
    for (int i = 0; i < m_settings.bufferCount; i++)
        if (!m_waitHandles[1 + i] && !(m_waitHandles[1 + i] = CreateEventA(nullptr, FALSE, FALSE, nullptr))) {
            SetErrorText("CreateEvent failed: %08x", (unsigned)GetLastError());
            return AudioOpenFailed;
        }
    m_format = PcmFormat(m_settings);
    m_frameBytes = m_format.nBlockAlign;
    m_thread.SetRunnable(this);
    m_thread.SetPriority(THREAD_PRIORITY_TIME_CRITICAL);
    DebugTrace("DS: Trying to open %s as %i ch %i hz... ", GetDirectionText(), m_settings.channels,
               m_settings.sampleRate);
    m_stopping = false;
    m_nextBlock = 0;
    int result = IsInput() ? OpenCapture(&device) : OpenOutput(&device);
    if (result != AudioOpenOk)
        return result;
    m_running = 1;
    if (m_thread.Start() != 0) {
        m_running = 0;
        SetErrorText("Couldn't start the %s thread", GetDirectionText());
        return AudioOpenFailed;
    }
    return AudioOpenOk;
}

// A kept capture object whose sound server went away and came back makes no stream: it is dropped and
// the open goes on with a fresh one.
int AI_DirectSound::OpenCapture(const GUID* device)
{
    DSoundCaptureKeeper::Origin origin = DSoundCaptureKeeper::Origin::Kept;
    int result = AudioOpenFailed;
    while (result != AudioOpenOk && origin == DSoundCaptureKeeper::Origin::Kept) {
        ReleaseDevices(); // a stream that failed leaves its object unkept
        HRESULT hr = DSoundCaptureKeeper::Acquire(device, &m_capture, &m_captureDevice, &origin);
        if (FAILED(hr)) {
            m_capture = nullptr;
            SetErrorText("DirectSoundCaptureCreate failed: %08x", (unsigned)hr);
            return AudioOpenFailed;
        }
        result = StartCaptureStream();
    }
    return result;
}

int AI_DirectSound::StartCaptureStream()
{
    HRESULT hr = CreateCaptureBuffer();
    if (FAILED(hr)) {
        SetErrorText("CreateCaptureBuffer failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    hr = m_captureBuffer->Start(DSCBSTART_LOOPING);
    if (FAILED(hr)) {
        SetErrorText("DSBCaptureStart failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    m_captureWorked = true;
    return AudioOpenOk;
}

HRESULT AI_DirectSound::CreateCaptureBuffer()
{
    m_blockBytes = m_format.nBlockAlign * m_settings.bufferFrames;
    DSCBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwBufferBytes = m_settings.bufferCount * m_blockBytes;
    desc.lpwfxFormat = &m_format;
    HRESULT hr = m_capture->CreateCaptureBuffer(&desc, &m_captureBuffer, nullptr);
    if (FAILED(hr)) {
        m_captureBuffer = nullptr;
        return hr;
    }
    hr = m_captureBuffer->QueryInterface(IID_IDirectSoundNotify, (void**)&m_notify);
    if (FAILED(hr)) {
        m_notify = nullptr;
        return hr;
    }
    DSBPOSITIONNOTIFY positions[MaxBlocks];
    for (int i = 0; i < m_settings.bufferCount; i++) {
        positions[i].dwOffset = (i + 1) * m_blockBytes - 1;
        positions[i].hEventNotify = m_waitHandles[1 + i];
    }
    hr = m_notify->SetNotificationPositions(m_settings.bufferCount, positions);
    return FAILED(hr) ? hr : S_OK;
}

int AI_DirectSound::OpenOutput(const GUID* device)
{
    m_manager = new (std::nothrow) DSoundManager;
    if (!m_manager) {
        SetErrorText("DSoundManager: Out of memory");
        return AudioOpenFailed;
    }
    HRESULT hr = m_manager->Initialize(device, GetDesktopWindow(), DSSCL_PRIORITY);
    if (FAILED(hr)) {
        SetErrorText("DSoundManager::Initialize failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    hr = m_manager->SetPrimaryBufferFormat(m_settings.channels, m_settings.sampleRate, m_settings.bits);
    if (FAILED(hr)) {
        SetErrorText("DSoundManager::SetPrimaryBufferFormat failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    hr = m_manager->CreateStreaming(&m_streaming, &m_format, StreamingFlags, GUID_NULL, m_settings.bufferCount,
                                    m_settings.bufferFrames * m_settings.channels * 2, &m_waitHandles[1], this);
    if (FAILED(hr)) {
        if (hr == DSERR_BADFORMAT || hr == E_INVALIDARG)
            SetErrorText("DSoundManager::CreateStreaming failed (bad format?): %08x", (unsigned)hr);
        else
            SetErrorText("DSoundManager::CreateStreaming failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    m_streaming->SetCancelFlag(&m_stopping);
    hr = m_streaming->Reset();
    if (FAILED(hr)) {
        SetErrorText("DSoundManager::StreamingSound->Reset failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    hr = m_streaming->FillBufferWithDSound(m_streaming->GetBuffer(0), 2);
    if (FAILED(hr)) {
        SetErrorText("DSoundManager::FillBufferWithDSound failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    hr = m_streaming->Play(0, DSBPLAY_LOOPING, 0, (DWORD)-1, 0);
    if (FAILED(hr)) {
        SetErrorText("DSoundManager::StreamingSound->Play failed: %08x", (unsigned)hr);
        return AudioOpenFailed;
    }
    return AudioOpenOk;
}

int AI_DirectSound::Close()
{
    if (m_thread.IsCurrentThread()) {
        m_thread.RequestStop();
        return RefuseCloseOnDeviceThread();
    }
    m_running = 0;
    m_stopping = true;
    m_thread.Stop();
    ReleaseDevices();
    for (HANDLE& event : m_waitHandles) {
        if (event && &event != &m_waitHandles[0])
            CloseHandle(event);
        event = nullptr;
    }
    m_openCom.Undo();
    return AudioCloseOk;
}

void AI_DirectSound::ReleaseDevices()
{
    if (m_streaming) {
        m_streaming->Stop();
        m_streaming->Reset();
        delete m_streaming;
        m_streaming = nullptr;
    }
    if (m_captureBuffer)
        m_captureBuffer->Stop();
    if (m_notify)
        m_notify->Release();
    if (m_captureBuffer)
        m_captureBuffer->Release();
    // Only an object whose device worked is worth handing out again.
    if (m_capture && m_captureWorked && !m_failed)
        DSoundCaptureKeeper::GiveBack(m_capture, m_captureDevice);
    else if (m_capture)
        m_capture->Release();
    m_captureWorked = false;
    m_notify = nullptr;
    m_captureBuffer = nullptr;
    m_capture = nullptr;
    delete m_manager;
    m_manager = nullptr;
}

void AI_DirectSound::Reset()
{}

int AI_DirectSound::IsOpen()
{
    return m_running;
}

int AI_DirectSound::GetLatency()
{
    if (!m_running)
        return 0;
    return m_settings.bufferCount / 2 * m_settings.bufferFrames + m_settings.fifoFrames;
}

int AI_DirectSound::GetNumDevices()
{
    ClearDeviceList();
    EnumerationLock().Lock();
    HRESULT hr = IsInput() ? Api().captureEnumerate(EnumerateCallback, this) : Api().enumerate(EnumerateCallback, this);
    EnumerationLock().Unlock();
    if (FAILED(hr)) {
        SetErrorText("Error enumerating DirectSound devices");
        return 0;
    }
    return (int)m_devices.size() + (m_allowDefaultDevice ? 1 : 0);
}

BOOL CALLBACK AI_DirectSound::EnumerateCallback(LPGUID guid, LPCSTR description, LPCSTR module, LPVOID context)
{
    // DirectSound names the primary device first, without a GUID.
    if (!guid || !context)
        return TRUE;
    auto* entry = new (std::nothrow) DSoundDeviceEntry;
    if (!entry)
        return FALSE;
    entry->guid = *guid;
    entry->description = description ? description : "";
    entry->module = module ? module : "";
    auto* self = static_cast<AI_DirectSound*>(context);
    self->m_devices.push_back(entry);
    // Past the system's own table its next device would corrupt the library (see DSoundApi).
    const int limit = Api().enumerationLimit;
    return limit == 0 || (int)self->m_devices.size() < limit;
}

void AI_DirectSound::ClearDeviceList()
{
    for (DSoundDeviceEntry* entry : m_devices)
        delete entry;
    m_devices.clear();
}

void AI_DirectSound::GetDeviceName(AudioDeviceEntry* out, int index)
{
    if (!out || DescribeDefaultDevice(out, index))
        return;
    int position = m_allowDefaultDevice ? index - 1 : index;
    if (position < 0 || position >= (int)m_devices.size()) {
        out->name = "invalid";
        out->identifier = "invalid";
        out->deviceNumber = -1;
        return;
    }
    char guid[GuidTextLength + 1];
    FormatGuid(guid, &m_devices[position]->guid);
    out->name = m_devices[position]->description;
    out->identifier = guid;
    out->deviceNumber = position;
}

bool AI_DirectSound::SupportsDefaultDevice()
{
    return true;
}

bool AI_DirectSound::IsDefaultDeviceName(const char*)
{
    return false;
}

bool AI_DirectSound::HasFailed()
{
    return m_failed;
}

void AI_DirectSound::Run(CThread* thread)
{
    m_waitHandles[0] = thread->GetWakeEvent();
    StallWatch stall(m_settings, Api().tickCount());
    while (thread->IsRunning()) {
        // Not without limit: a capture buffer whose sound server is gone stops signalling without any
        // error, and only the clock tells.
        DWORD result = Api().waitForMultiple(m_settings.bufferCount + 1, m_waitHandles, FALSE, StallWatch::PollMs);
        DWORD now = Api().tickCount();
        bool handled = HandleWake(result);
        if (handled && IsInput() && stall.Stalled(IsBlockEvent(result), now)) {
            SetStallText(stall.LimitSeconds());
            handled = false;
        }
        if (!handled) {
            m_failed = true;
            thread->RequestStop();
            DebugTrace("%s", m_errorText);
            break;
        }
    }
    DebugTrace("thread ending\n");
    Sleep(0);
}

bool AI_DirectSound::IsBlockEvent(DWORD result) const
{
    return result >= WAIT_OBJECT_0 + 1 && result <= WAIT_OBJECT_0 + (DWORD)m_settings.bufferCount;
}

// Anything but the wake event, the time-out or a block event ends the thread: a failed wait
// must not be taken for a block.
bool AI_DirectSound::HandleWake(DWORD result)
{
    if (result == WAIT_OBJECT_0 || result == WAIT_TIMEOUT)
        return true;
    if (!IsBlockEvent(result)) {
        SetErrorText("WaitForMultipleObjects failed: %08x", (unsigned)result); // the owner shows why
        DebugTrace("DS: wait failed: %08x\n", (unsigned)result);
        return false;
    }
    int count = m_settings.bufferCount;
    int block = (int)(result - WAIT_OBJECT_0 - 1);
    int behind = (block - m_nextBlock + count) % count;
    // A late thread finds several block events set, and the wait reports the lowest,
    // which past the ring's end is not the oldest: the blocks are handed on in ring
    // order up to the one reported, and their events are taken with them.
    for (int n = 0; n <= behind; n++) {
        int next = (m_nextBlock + n) % count;
        if (next != block)
            WaitForSingleObject(m_waitHandles[1 + next], 0);
        const HRESULT hr = ServiceBlock(next);
        if (FAILED(hr)) {
            SetErrorText(IsInput() ? "DSBCaptureLock failed: %08x"
                                   : "DSoundManager::StreamingSound->HandleNotification failed: %08x",
                         (unsigned)hr);
            return false;
        }
    }
    m_nextBlock = (block + 1) % count;
    return true;
}

HRESULT AI_DirectSound::ServiceBlock(int block)
{
    if (IsInput())
        return CaptureBlock(block);
    return m_streaming ? m_streaming->HandleNotification(block, 0) : S_OK;
}

HRESULT AI_DirectSound::CaptureBlock(int index)
{
    if (!m_captureBuffer)
        return 1;
    if (m_blockBytes < 1)
        return E_UNEXPECTED;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    HRESULT hr =
        m_captureBuffer->Lock(index * m_blockBytes, m_blockBytes, &first, &firstBytes, &second, &secondBytes, 0);
    if (FAILED(hr))
        return hr;
    DeliverBlock(first, (int)firstBytes);
    m_captureBuffer->Unlock(first, firstBytes, second, secondBytes);
    return S_OK;
}

void AI_DirectSound::Fill(void* buffer, int bytes)
{
    DeliverBlock(buffer, bytes);
}

void AI_DirectSound::OnPosition(int, int)
{}
