#include "CaptureTap.h"
#include "audio/CAudioDriver.h"
#include "audio/DSoundApi.h"
#include "audio/WaveApi.h"
#include <algorithm>

namespace {

CaptureTap* activeTap = nullptr;
DSoundApi systemDSound, tappedDSound;
WaveApi systemWave, tappedWave;

// A system object wrapped: its own count, the system's object released with it.
template <class Interface>
class Forwarder : public Interface {
public:
    explicit Forwarder(Interface* real) : m_real(real) {}
    virtual ~Forwarder() = default;
    STDMETHOD(QueryInterface)(REFIID riid, void** out) override { return m_real->QueryInterface(riid, out); }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }
    STDMETHOD_(ULONG, Release)() override
    {
        ULONG left = --m_refs;
        if (left == 0) {
            m_real->Release();
            delete this;
        }
        return left;
    }

protected:
    Interface* m_real;

private:
    ULONG m_refs = 1;
};

// Forwards every call to the system's buffer; a lock records the block it hands out.
class TapCaptureBuffer final : public Forwarder<IDirectSoundCaptureBuffer> {
public:
    using Forwarder::Forwarder;
    STDMETHOD(GetCaps)(LPDSCBCAPS caps) override { return m_real->GetCaps(caps); }
    STDMETHOD(GetCurrentPosition)(LPDWORD capture, LPDWORD read) override
    {
        return m_real->GetCurrentPosition(capture, read);
    }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override
    {
        return m_real->GetFormat(format, size, written);
    }
    STDMETHOD(GetStatus)(LPDWORD status) override { return m_real->GetStatus(status); }
    STDMETHOD(Initialize)(LPDIRECTSOUNDCAPTURE capture, LPCDSCBUFFERDESC desc) override
    {
        return m_real->Initialize(capture, desc);
    }
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2, DWORD flags) override
    {
        HRESULT hr = m_real->Lock(offset, bytes, p1, n1, p2, n2, flags);
        if (SUCCEEDED(hr)) {
            bool whole = bytes > 0 && offset % bytes == 0;
            bool split = p2 && n2 && *p2;
            activeTap->Record(whole ? (int)(offset / bytes) : -1, *p1, *n1, split ? *p2 : nullptr, split ? *n2 : 0);
        }
        return hr;
    }
    STDMETHOD(Start)(DWORD flags) override { return m_real->Start(flags); }
    STDMETHOD(Stop)() override { return m_real->Stop(); }
    STDMETHOD(Unlock)(LPVOID p1, DWORD n1, LPVOID p2, DWORD n2) override
    {
        activeTap->NoteReturned(p1, n1, p2, n2);
        return m_real->Unlock(p1, n1, p2, n2);
    }
};

// Forwards every call to the system's device; the buffers it makes are tapped.
class TapCapture final : public Forwarder<IDirectSoundCapture> {
public:
    using Forwarder::Forwarder;
    STDMETHOD(CreateCaptureBuffer)(LPCDSCBUFFERDESC desc, LPDIRECTSOUNDCAPTUREBUFFER* out, LPUNKNOWN outer) override
    {
        IDirectSoundCaptureBuffer* real = nullptr;
        HRESULT hr = m_real->CreateCaptureBuffer(desc, &real, outer);
        *out = SUCCEEDED(hr) ? new TapCaptureBuffer(real) : nullptr;
        return hr;
    }
    STDMETHOD(GetCaps)(LPDSCCAPS caps) override { return m_real->GetCaps(caps); }
    STDMETHOD(Initialize)(LPCGUID device) override { return m_real->Initialize(device); }
};

HRESULT WINAPI TapCaptureCreate(LPCGUID device, LPDIRECTSOUNDCAPTURE* out, LPUNKNOWN outer)
{
    IDirectSoundCapture* real = nullptr;
    HRESULT hr = systemDSound.captureCreate(device, &real, outer);
    *out = SUCCEEDED(hr) ? new TapCapture(real) : nullptr;
    return hr;
}

// A buffer queued again has been handed on: the device filled it in queue order.
MMRESULT WINAPI TapAddBuffer(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    bool seenBefore = false;
    int slot = activeTap->QueuePlace(header, &seenBefore);
    if (seenBefore)
        activeTap->Record(slot, header->lpData, std::min(header->dwBytesRecorded, header->dwBufferLength), nullptr, 0);
    return systemWave.inAddBuffer(device, header, size);
}

} // namespace

CaptureTap::CaptureTap(int typeId) : m_typeId(typeId)
{
    activeTap = this;
    if (typeId == AudioTypeDirectSound) {
        systemDSound = tappedDSound = CurrentDSoundApi();
        tappedDSound.captureCreate = TapCaptureCreate;
        SetDSoundApi(&tappedDSound);
    } else {
        systemWave = tappedWave = CurrentWaveApi();
        tappedWave.inAddBuffer = TapAddBuffer;
        SetWaveApi(&tappedWave);
    }
}

CaptureTap::~CaptureTap()
{
    if (m_typeId == AudioTypeDirectSound)
        SetDSoundApi(nullptr);
    else
        SetWaveApi(nullptr);
    activeTap = nullptr;
}

std::vector<HandedBlock> CaptureTap::Blocks()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_blocks;
}

namespace {

std::vector<int16_t> Samples(const void* first, uint32_t firstBytes, const void* second, uint32_t secondBytes)
{
    std::vector<int16_t> samples;
    const int16_t* parts[] = {(const int16_t*)first, (const int16_t*)second};
    uint32_t sizes[] = {firstBytes, secondBytes};
    for (int part = 0; part < 2; part++)
        if (parts[part])
            samples.insert(samples.end(), parts[part], parts[part] + sizes[part] / sizeof(int16_t));
    return samples;
}

} // namespace

void CaptureTap::Record(int slot, const void* first, uint32_t firstBytes, const void* second, uint32_t secondBytes)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_blocks.push_back({slot, Samples(first, firstBytes, second, secondBytes), false});
}

void CaptureTap::NoteReturned(const void* first, uint32_t firstBytes, const void* second, uint32_t secondBytes)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_blocks.empty() && m_blocks.back().samples != Samples(first, firstBytes, second, secondBytes))
        m_blocks.back().overwritten = true;
}

int CaptureTap::QueuePlace(const void* buffer, bool* seenBefore)
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = std::find(m_queued.begin(), m_queued.end(), buffer);
    *seenBefore = found != m_queued.end();
    if (!*seenBefore)
        found = m_queued.insert(m_queued.end(), buffer);
    return (int)(found - m_queued.begin());
}
