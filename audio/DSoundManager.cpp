#include "audio/DSoundManager.h"
#include "audio/DSoundApi.h"
#include "audio/DSoundStreamingBuffer.h"
#include <new>

DSoundManager::DSoundManager() : m_directSound(nullptr)
{}

DSoundManager::~DSoundManager()
{
    if (m_directSound)
        m_directSound->Release();
}

HRESULT DSoundManager::Initialize(const GUID* device, HWND window, DWORD level)
{
    if (m_directSound) {
        m_directSound->Release();
        m_directSound = nullptr;
    }
    HRESULT hr = CurrentDSoundApi().create(device, &m_directSound, nullptr);
    if (FAILED(hr)) {
        m_directSound = nullptr;
        return hr;
    }
    hr = m_directSound->SetCooperativeLevel(window, level);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT DSoundManager::SetPrimaryBufferFormat(DWORD channels, DWORD rate, DWORD bits)
{
    if (!m_directSound)
        return CO_E_NOTINITIALIZED;
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    HRESULT hr = m_directSound->CreateSoundBuffer(&desc, &primary, nullptr);
    if (FAILED(hr))
        return hr;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = (WORD)channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = (WORD)bits;
    format.nBlockAlign = (WORD)(bits / 8 * channels);
    format.nAvgBytesPerSec = format.nBlockAlign * rate;
    hr = primary->SetFormat(&format);
    primary->Release();
    return FAILED(hr) ? hr : S_OK;
}

HRESULT DSoundManager::CreateStreaming(DSoundStreamingBuffer** out, const WAVEFORMATEX* format, DWORD flags,
                                       GUID algorithm, DWORD blocks, DWORD blockBytes, HANDLE* events,
                                       DSoundFillSink* sink)
{
    if (!m_directSound)
        return CO_E_NOTINITIALIZED;
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = flags | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;
    desc.dwBufferBytes = blocks * blockBytes;
    desc.lpwfxFormat = (LPWAVEFORMATEX)format;
    desc.guid3DAlgorithm = algorithm;
    IDirectSoundBuffer* buffer = nullptr;
    HRESULT hr = m_directSound->CreateSoundBuffer(&desc, &buffer, nullptr);
    if (FAILED(hr))
        return hr;
    hr = SetNotifications(buffer, blocks, blockBytes, events);
    if (FAILED(hr)) {
        buffer->Release();
        return hr;
    }
    *out = new (std::nothrow) DSoundStreamingBuffer(buffer, blocks * blockBytes, blockBytes, sink);
    if (!*out) {
        buffer->Release();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT DSoundManager::SetNotifications(IDirectSoundBuffer* buffer, DWORD blocks, DWORD blockBytes, HANDLE* events)
{
    if (!events)
        return E_INVALIDARG;
    IDirectSoundNotify* notify = nullptr;
    HRESULT hr = buffer->QueryInterface(IID_IDirectSoundNotify, (void**)&notify);
    if (FAILED(hr))
        return hr;
    DSBPOSITIONNOTIFY* positions = new (std::nothrow) DSBPOSITIONNOTIFY[blocks ? blocks : 1];
    if (!positions) {
        notify->Release();
        return E_OUTOFMEMORY;
    }
    for (DWORD i = 0; i < blocks; i++) {
        positions[i].dwOffset = i * blockBytes + blockBytes / 2;
        positions[i].hEventNotify = events[i];
    }
    hr = notify->SetNotificationPositions(blocks, positions);
    notify->Release();
    delete[] positions;
    return FAILED(hr) ? hr : S_OK;
}
