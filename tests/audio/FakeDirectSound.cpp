#include "FakeDirectSound.h"
#include "audio/DSoundCaptureKeeper.h"
#include <cstring>

FakeDirectSound* fakeDirectSound = nullptr;

namespace {

// Reference counting shared by every stand-in object.
template <class Interface>
class FakeObject : public Interface {
public:
    FakeObject() { fakeDirectSound->liveObjects++; }
    virtual ~FakeObject() { fakeDirectSound->liveObjects--; }
    STDMETHOD(QueryInterface)(REFIID riid, void** out) override
    {
        *out = nullptr;
        return QueryOther(riid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }
    STDMETHOD_(ULONG, Release)() override
    {
        ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

private:
    ULONG m_refs = 1;
};

class FakeNotify : public FakeObject<IDirectSoundNotify> {
public:
    STDMETHOD(SetNotificationPositions)(DWORD count, LPCDSBPOSITIONNOTIFY list) override
    {
        std::lock_guard<std::mutex> hold(fakeDirectSound->lock);
        fakeDirectSound->positions.assign(list, list + count);
        return S_OK;
    }
};

HRESULT NewNotify(REFIID riid, void** out)
{
    if (!IsEqualGUID(riid, IID_IDirectSoundNotify))
        return E_NOINTERFACE;
    *out = static_cast<IDirectSoundNotify*>(new FakeNotify);
    return S_OK;
}

HRESULT LockMemory(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2)
{
    FakeDirectSound& f = *fakeDirectSound;
    std::lock_guard<std::mutex> hold(f.lock);
    int call = f.lockCalls++;
    if (f.failLockAfter >= 0 && call >= f.failLockAfter)
        return DSERR_INVALIDPARAM;
    f.lockOffsets.push_back(offset);
    DWORD size = (DWORD)f.memory.size();
    if (offset >= size)
        return DSERR_INVALIDPARAM;
    DWORD firstBytes = bytes < size - offset ? bytes : size - offset;
    *p1 = f.memory.data() + offset;
    *n1 = firstBytes;
    if (p2 && n2) {
        *p2 = firstBytes < bytes ? f.memory.data() : nullptr;
        *n2 = bytes - firstBytes;
    }
    return S_OK;
}

// A released buffer takes its notifications with it, so no stale event is signalled.
void ForgetBuffer()
{
    std::lock_guard<std::mutex> hold(fakeDirectSound->lock);
    fakeDirectSound->positions.clear();
}

class FakeCaptureBuffer : public FakeObject<IDirectSoundCaptureBuffer> {
public:
    ~FakeCaptureBuffer() override { ForgetBuffer(); }
    STDMETHOD(GetCaps)(LPDSCBCAPS) override { return E_NOTIMPL; }
    STDMETHOD(GetCurrentPosition)(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetStatus)(LPDWORD status) override
    {
        *status = DSCBSTATUS_CAPTURING | DSCBSTATUS_LOOPING;
        return S_OK;
    }
    STDMETHOD(Initialize)(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return E_NOTIMPL; }
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2, DWORD) override
    {
        return LockMemory(offset, bytes, p1, n1, p2, n2);
    }
    STDMETHOD(Start)(DWORD flags) override { return flags == DSCBSTART_LOOPING ? S_OK : E_INVALIDARG; }
    STDMETHOD(Stop)() override { return S_OK; }
    STDMETHOD(Unlock)(LPVOID, DWORD, LPVOID, DWORD) override { return S_OK; }

protected:
    HRESULT QueryOther(REFIID riid, void** out) override { return NewNotify(riid, out); }
};

class FakeCapture : public FakeObject<IDirectSoundCapture> {
public:
    // As the system that leaks does: the memory of the last capture buffer is not freed.
    ~FakeCapture() override
    {
        if (CurrentDSoundApi().leaksReleasedCapture)
            fakeDirectSound->leakedBytes += m_lastBufferBytes;
    }
    STDMETHOD(CreateCaptureBuffer)(LPCDSCBUFFERDESC desc, LPDIRECTSOUNDCAPTUREBUFFER* out, LPUNKNOWN) override
    {
        FakeDirectSound& f = *fakeDirectSound;
        if (desc->dwSize != 28 || !desc->lpwfxFormat || desc->dwBufferBytes == 0)
            return DSERR_INVALIDPARAM;
        if (m_serverRun != f.serverRuns)
            return DSERR_NODRIVER;
        std::lock_guard<std::mutex> hold(f.lock);
        f.captureDesc = *desc;
        f.captureFormat = *desc->lpwfxFormat;
        f.memory.assign(desc->dwBufferBytes, 0);
        m_lastBufferBytes = desc->dwBufferBytes;
        f.frame = 0;
        f.nextBlock = 0;
        *out = new FakeCaptureBuffer;
        return S_OK;
    }
    STDMETHOD(GetCaps)(LPDSCCAPS) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(LPCGUID) override { return E_NOTIMPL; }

private:
    DWORD m_lastBufferBytes = 0;
    const int m_serverRun = fakeDirectSound->serverRuns;
};

class FakeSoundBuffer : public FakeObject<IDirectSoundBuffer> {
public:
    explicit FakeSoundBuffer(bool primary) : m_primary(primary) {}
    ~FakeSoundBuffer() override
    {
        if (!m_primary)
            ForgetBuffer();
    }
    STDMETHOD(GetCaps)(LPDSBCAPS) override { return E_NOTIMPL; }
    STDMETHOD(GetCurrentPosition)(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetVolume)(LPLONG) override { return E_NOTIMPL; }
    STDMETHOD(GetPan)(LPLONG) override { return E_NOTIMPL; }
    STDMETHOD(GetFrequency)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetStatus)(LPDWORD status) override
    {
        *status = (fakeDirectSound->lost ? DSBSTATUS_BUFFERLOST : 0) | (m_playing ? DSBSTATUS_PLAYING : 0);
        return S_OK;
    }
    STDMETHOD(Initialize)(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2, DWORD) override
    {
        if (fakeDirectSound->lost)
            return DSERR_BUFFERLOST;
        return LockMemory(offset, bytes, p1, n1, p2, n2);
    }
    STDMETHOD(Play)(DWORD, DWORD, DWORD flags) override
    {
        fakeDirectSound->playFlags = flags;
        m_playing = true;
        return S_OK;
    }
    STDMETHOD(SetCurrentPosition)(DWORD) override
    {
        fakeDirectSound->setPositionCalls++;
        return S_OK;
    }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX format) override
    {
        if (!m_primary)
            return DSERR_INVALIDCALL;
        fakeDirectSound->primaryFormat = *format;
        return S_OK;
    }
    STDMETHOD(SetVolume)(LONG) override { return E_NOTIMPL; }
    STDMETHOD(SetPan)(LONG) override { return E_NOTIMPL; }
    STDMETHOD(SetFrequency)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Stop)() override
    {
        m_playing = false;
        return S_OK;
    }
    STDMETHOD(Unlock)(LPVOID, DWORD, LPVOID, DWORD) override { return S_OK; }
    STDMETHOD(Restore)() override
    {
        FakeDirectSound& f = *fakeDirectSound;
        f.restoreCalls++;
        if (f.restoreLostReplies != 0) {
            if (f.restoreLostReplies > 0)
                f.restoreLostReplies--;
            return DSERR_BUFFERLOST;
        }
        f.lost = false;
        return S_OK;
    }

protected:
    HRESULT QueryOther(REFIID riid, void** out) override { return m_primary ? E_NOINTERFACE : NewNotify(riid, out); }

private:
    bool m_primary;
    bool m_playing = false;
};

class FakeSound : public FakeObject<IDirectSound> {
public:
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC desc, LPLPDIRECTSOUNDBUFFER out, IUnknown*) override
    {
        FakeDirectSound& f = *fakeDirectSound;
        if (desc->dwSize != 36)
            return DSERR_INVALIDPARAM;
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            *out = new FakeSoundBuffer(true);
            return S_OK;
        }
        if (FAILED(f.streamingCreateResult))
            return f.streamingCreateResult;
        std::lock_guard<std::mutex> hold(f.lock);
        f.streamingDesc = *desc;
        f.memory.assign(desc->dwBufferBytes, 0x33);
        *out = new FakeSoundBuffer(false);
        return S_OK;
    }
    STDMETHOD(GetCaps)(LPDSCAPS) override { return E_NOTIMPL; }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override { return E_NOTIMPL; }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD level) override
    {
        fakeDirectSound->cooperativeLevel = level;
        return S_OK;
    }
    STDMETHOD(Compact)() override { return E_NOTIMPL; }
    STDMETHOD(GetSpeakerConfig)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetSpeakerConfig)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(LPCGUID) override { return E_NOTIMPL; }
};

void NoteGuid(LPCGUID guid)
{
    fakeDirectSound->createdWithNull = guid == nullptr;
    fakeDirectSound->lastGuid = guid ? *guid : GUID{};
}

HRESULT WINAPI CaptureCreate(LPCGUID guid, LPDIRECTSOUNDCAPTURE* out, LPUNKNOWN)
{
    NoteGuid(guid);
    if (FAILED(fakeDirectSound->captureCreateResult))
        return fakeDirectSound->captureCreateResult;
    fakeDirectSound->captureCreates++;
    *out = new FakeCapture;
    return S_OK;
}

// The default capture device is the first one.
HRESULT WINAPI DeviceId(LPCGUID source, LPGUID out)
{
    const bool byDefault = IsEqualGUID(*source, DSDEVID_DefaultCapture);
    if (byDefault && fakeDirectSound->devices.empty())
        return DSERR_NODRIVER;
    *out = byDefault ? fakeDirectSound->devices[0].guid : *source;
    return S_OK;
}

HRESULT WINAPI Create(LPCGUID guid, LPDIRECTSOUND* out, LPUNKNOWN)
{
    NoteGuid(guid);
    *out = new FakeSound;
    return S_OK;
}

HRESULT WINAPI Enumerate(LPDSENUMCALLBACKA callback, LPVOID context)
{
    if (fakeDirectSound->enumerateFails)
        return DSERR_NODRIVER;
    if (!callback(nullptr, "Primary Sound Driver", "", context))
        return S_FALSE;
    FakeDirectSound& f = *fakeDirectSound;
    for (size_t n = 0; n < f.devices.size(); n++) {
        // As such a system does: the GUID goes into its table before the callback hears of the device.
        if (f.guidTableSize > 0 && (int)n >= f.guidTableSize)
            f.tableOverruns++;
        if (!callback(&f.devices[n].guid, f.devices[n].name.c_str(), "fake.drv", context))
            return S_FALSE;
    }
    return S_OK;
}

DWORD WINAPI Wait(DWORD count, const HANDLE* handles, WINBOOL all, DWORD ms)
{
    fakeDirectSound->waits++;
    fakeDirectSound->wake = handles[0];
    if (fakeDirectSound->failWait)
        return WAIT_FAILED;
    return WaitForMultipleObjects(count, handles, all, ms);
}

DWORD WINAPI TickCount()
{
    return fakeDirectSound->Now();
}

} // namespace

FakeDirectSound::FakeDirectSound()
{
    devices.push_back({{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}}, "Fake Mic A"});
    devices.push_back({{0xabcdef01, 0x0203, 0x0405, {6, 7, 8, 9, 10, 11, 12, 13}}, "Fake Mic B"});
    m_api = {CaptureCreate, Enumerate, DeviceId, Create, Enumerate, Wait, TickCount, 0, false};
    fakeDirectSound = this;
    SetDSoundApi(&m_api);
}

FakeDirectSound::~FakeDirectSound()
{
    StopStreaming();
    DSoundCaptureKeeper::Clear();
    SetDSoundApi(nullptr);
    fakeDirectSound = nullptr;
}

void FakeDirectSound::NameDevices(int count, int tableSize)
{
    devices.resize(count);
    for (int i = 0; i < count; i++)
        devices[i] = {{0x5a000000u + (DWORD)i, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, (BYTE)i}},
                      "Source " + std::to_string(i)};
    guidTableSize = tableSize;
    m_api.enumerationLimit = tableSize;
}

void FakeDirectSound::LeakReleasedCapture()
{
    m_api.leaksReleasedCapture = true;
}

void FakeDirectSound::CaptureBlocks(int count)
{
    std::lock_guard<std::mutex> hold(lock);
    for (int i = 0; i < count; i++) {
        int blocks = (int)positions.size();
        if (blocks == 0 || memory.empty())
            return;
        int blockBytes = (int)memory.size() / blocks;
        WriteRamp((int16_t*)(memory.data() + nextBlock * blockBytes), blockBytes / 4, &frame);
        SetEvent(positions[nextBlock].hEventNotify);
        nextBlock = (nextBlock + 1) % blocks;
    }
}

void FakeDirectSound::SignalOutputBlock(int i)
{
    std::lock_guard<std::mutex> hold(lock);
    if (i >= 0 && i < (int)positions.size())
        SetEvent(positions[i].hEventNotify);
}

// A capture buffer's ring is overwritten at the device's pace, read or not: one block a millisecond.
bool FakeDirectSound::ProduceBlock()
{
    CaptureBlocks(1);
    return false;
}

void FakeDirectSound::WakeDriver()
{
    if (HANDLE event = wake)
        SetEvent(event);
}
