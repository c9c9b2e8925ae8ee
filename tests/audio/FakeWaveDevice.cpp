#include "FakeWaveDevice.h"
#include <cstring>
#include <cwchar>

namespace {
FakeWaveDevice* fake = nullptr;
const wchar_t* const devicePath = L"\\\\?\\swd#fake#capture_0#{6994ad04-93ef-11d0-a3cc-00a0c9223196}";
const HWAVEIN inHandle = (HWAVEIN)0x5150;
const HWAVEOUT outHandle = (HWAVEOUT)0x5160;
} // namespace

struct FakeWaveCalls {
    static UINT WINAPI NumDevs()
    {
        fake->WaitWhileHeld();
        return fake->devices;
    }

    static MMRESULT Caps(UINT_PTR device, char* name, const char* direction)
    {
        fake->WaitWhileHeld();
        if (device >= fake->devices)
            return MMSYSERR_BADDEVICEID;
        wsprintfA(name, "Fake %s %u", direction, (unsigned)device);
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InCaps(UINT_PTR d, LPWAVEINCAPSA caps, UINT) { return Caps(d, caps->szPname, "Input"); }
    static MMRESULT WINAPI OutCaps(UINT_PTR d, LPWAVEOUTCAPSA caps, UINT) { return Caps(d, caps->szPname, "Output"); }

    // Device 0 reports an interface path; the others have none.
    static MMRESULT Message(UINT_PTR device, UINT message, DWORD_PTR p1, DWORD_PTR p2)
    {
        if (device != 0)
            return MMSYSERR_NOTSUPPORTED;
        size_t units = wcslen(devicePath) + (fake->omitTerminator ? 0 : 1);
        if (message == 0x80D) {
            *(ULONG*)p1 = (ULONG)(units * sizeof(wchar_t));
            return MMSYSERR_NOERROR;
        }
        if (message == 0x80C && p2 >= units * sizeof(wchar_t)) {
            memcpy((void*)p1, devicePath, units * sizeof(wchar_t));
            return MMSYSERR_NOERROR;
        }
        return MMSYSERR_INVALPARAM;
    }
    static MMRESULT WINAPI InMessage(HWAVEIN d, UINT m, DWORD_PTR a, DWORD_PTR b)
    {
        return Message((UINT_PTR)d, m, a, b);
    }
    static MMRESULT WINAPI OutMessage(HWAVEOUT d, UINT m, DWORD_PTR a, DWORD_PTR b)
    {
        return Message((UINT_PTR)d, m, a, b);
    }

    static MMRESULT Open(bool input, UINT device, LPCWAVEFORMATEX format, DWORD_PTR event, DWORD flags)
    {
        fake->WaitWhileHeld();
        if (fake->refuseOpen || flags != CALLBACK_EVENT)
            return WAVERR_BADFORMAT;
        if (fake->openAnswer != MMSYSERR_NOERROR)
            return fake->openAnswer;
        if (device == WAVE_MAPPER ? fake->devices == 0 : device >= fake->devices)
            return MMSYSERR_BADDEVICEID;
        std::lock_guard<std::mutex> hold(fake->m_lock);
        fake->lastFormat = *format;
        fake->lastDevice = device;
        fake->m_event = (HANDLE)event;
        fake->m_input = input;
        fake->m_frame = 0;
        fake->m_started = !input;
        fake->opens++;
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InOpen(LPHWAVEIN out, UINT device, LPCWAVEFORMATEX format, DWORD_PTR event, DWORD_PTR,
                                  DWORD flags)
    {
        MMRESULT r = Open(true, device, format, event, flags);
        *out = r == MMSYSERR_NOERROR ? inHandle : 0;
        return r;
    }
    static MMRESULT WINAPI OutOpen(LPHWAVEOUT out, UINT device, LPCWAVEFORMATEX format, DWORD_PTR event, DWORD_PTR,
                                   DWORD flags)
    {
        MMRESULT r = Open(false, device, format, event, flags);
        *out = r == MMSYSERR_NOERROR ? outHandle : 0;
        return r;
    }

    static MMRESULT Prepare(LPWAVEHDR header)
    {
        if (fake->prepares++ == fake->failPrepareAt)
            return MMSYSERR_NOMEM;
        header->dwFlags |= WHDR_PREPARED;
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InPrepare(HWAVEIN, LPWAVEHDR h, UINT) { return Prepare(h); }
    static MMRESULT WINAPI OutPrepare(HWAVEOUT, LPWAVEHDR h, UINT) { return Prepare(h); }

    static MMRESULT Unprepare(LPWAVEHDR header)
    {
        if (header->dwFlags & WHDR_INQUEUE)
            return WAVERR_STILLPLAYING;
        fake->unprepares++;
        if (!header->lpData)
            fake->unpreparedWithoutData++;
        header->dwFlags &= ~WHDR_PREPARED;
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InUnprepare(HWAVEIN, LPWAVEHDR h, UINT) { return Unprepare(h); }
    static MMRESULT WINAPI OutUnprepare(HWAVEOUT, LPWAVEHDR h, UINT) { return Unprepare(h); }

    static MMRESULT Queue(LPWAVEHDR header)
    {
        if (fake->failQueueAfter >= 0 && fake->queueCalls >= fake->failQueueAfter)
            return MMSYSERR_NODRIVER;
        if (!(header->dwFlags & WHDR_PREPARED))
            return WAVERR_UNPREPARED;
        fake->queueCalls++;
        std::lock_guard<std::mutex> hold(fake->m_lock);
        header->dwFlags = (header->dwFlags | WHDR_INQUEUE) & ~WHDR_DONE;
        header->dwBytesRecorded = 0;
        fake->m_queue.push_back(header);
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InAdd(HWAVEIN, LPWAVEHDR h, UINT) { return Queue(h); }
    static MMRESULT WINAPI OutWrite(HWAVEOUT, LPWAVEHDR h, UINT) { return Queue(h); }

    static MMRESULT WINAPI InStart(HWAVEIN) { return SetStarted(true); }
    static MMRESULT WINAPI InStop(HWAVEIN) { return SetStarted(false); }
    static MMRESULT WINAPI OutPause(HWAVEOUT) { return SetStarted(false); }
    static MMRESULT SetStarted(bool started)
    {
        std::lock_guard<std::mutex> hold(fake->m_lock);
        fake->m_started = started;
        return MMSYSERR_NOERROR;
    }

    // Returns every queued buffer as done, as a real device does.
    static MMRESULT Reset()
    {
        std::lock_guard<std::mutex> hold(fake->m_lock);
        for (WAVEHDR* header : fake->m_queue)
            header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
        fake->m_queue.clear();
        fake->m_started = false;
        if (fake->m_event)
            SetEvent(fake->m_event);
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InReset(HWAVEIN) { return Reset(); }
    static MMRESULT WINAPI OutReset(HWAVEOUT) { return Reset(); }

    static MMRESULT Close()
    {
        fake->WaitWhileHeld();
        std::lock_guard<std::mutex> hold(fake->m_lock);
        if (!fake->m_queue.empty()) {
            fake->closeWhileQueued++;
            return WAVERR_STILLPLAYING;
        }
        fake->m_event = 0;
        fake->closes++;
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI InClose(HWAVEIN) { return Close(); }
    static MMRESULT WINAPI OutClose(HWAVEOUT) { return Close(); }

    static DWORD WINAPI Time() { return fake->Now(); }
};

FakeWaveDevice::FakeWaveDevice() : m_released(CreateEventA(nullptr, TRUE, TRUE, nullptr))
{
    using F = FakeWaveCalls;
    m_api = {F::NumDevs,  F::InCaps,     F::InMessage, F::InOpen,     F::InPrepare,    F::InUnprepare,
             F::InAdd,    F::InStart,    F::InStop,    F::InReset,    F::InClose,      F::NumDevs,
             F::OutCaps,  F::OutMessage, F::OutOpen,   F::OutPrepare, F::OutUnprepare, F::OutWrite,
             F::OutPause, F::OutReset,   F::OutClose,  F::Time};
    fake = this;
    SetWaveApi(&m_api);
}

FakeWaveDevice::~FakeWaveDevice()
{
    StopStreaming();
    SetWaveApi(nullptr);
    fake = nullptr;
    CloseHandle(m_released);
}

void FakeWaveDevice::Hold()
{
    ResetEvent(m_released);
}

void FakeWaveDevice::Release()
{
    SetEvent(m_released);
}

void FakeWaveDevice::WaitWhileHeld()
{
    if (WaitForSingleObject(m_released, 0) == WAIT_OBJECT_0)
        return;
    heldCalls++;
    waitingCalls++;
    WaitForSingleObject(m_released, kHoldLimitMs);
    waitingCalls--;
}

int FakeWaveDevice::Complete(int count)
{
    int done = 0;
    std::lock_guard<std::mutex> hold(m_lock);
    while (done < count && m_started && !m_queue.empty()) {
        FinishHead();
        done++;
    }
    return done;
}

int FakeWaveDevice::QueuedBuffers()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return (int)m_queue.size();
}

// Fills (input) or plays (output) the oldest queued buffer; called under the lock.
void FakeWaveDevice::FinishHead()
{
    WAVEHDR* header = m_queue.front();
    m_queue.pop_front();
    int frames = (int)header->dwBufferLength / 4;
    auto* samples = (int16_t*)header->lpData;
    if (m_input) {
        WriteSignal(samples, frames, &m_frame);
        header->dwBytesRecorded = header->dwBufferLength + overReport;
    } else {
        lastOutput.assign(samples, samples + frames * 2);
    }
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    SetEvent(m_event);
}

// A queue of buffers empties as fast as the driver refills it.
bool FakeWaveDevice::ProduceBlock()
{
    return Complete(1) == 1;
}

// The device's event is the device thread's wake event.
void FakeWaveDevice::WakeDriver()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_event)
        SetEvent(m_event);
}
