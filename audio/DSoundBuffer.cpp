#include "audio/DSoundBuffer.h"
#include "audio/DSoundFillSink.h"
#include <cstdlib>
#include <cstring>

DSoundBuffer::DSoundBuffer(IDirectSoundBuffer** buffers, DWORD bufferBytes, DWORD count, DWORD flags,
                           DSoundFillSink* sink, DWORD blockBytes)
    : m_bufferBytes(bufferBytes), m_flags(flags), m_sink(sink), m_blockBytes(blockBytes), m_cancel(nullptr)
{
    if (buffers)
        m_buffers.assign(buffers, buffers + count);
}

DSoundBuffer::~DSoundBuffer()
{
    for (IDirectSoundBuffer* buffer : m_buffers)
        if (buffer)
            buffer->Release();
}

void DSoundBuffer::SetCancelFlag(const std::atomic<bool>* cancel)
{
    m_cancel = cancel;
}

bool DSoundBuffer::IsCancelled() const
{
    return m_cancel && m_cancel->load();
}

HRESULT DSoundBuffer::RestoreBuffer(IDirectSoundBuffer* buffer, BOOL* restored)
{
    if (!buffer)
        return CO_E_NOTINITIALIZED;
    if (restored)
        *restored = FALSE;
    DWORD status = 0;
    HRESULT hr = buffer->GetStatus(&status);
    if (FAILED(hr))
        return hr;
    if (!(status & DSBSTATUS_BUFFERLOST))
        return S_FALSE;
    // The application may not have the focus yet; give it a bounded while.
    hr = buffer->Restore();
    for (int attempt = 1; hr == DSERR_BUFFERLOST; attempt++) {
        if (attempt >= MaxRestoreAttempts || IsCancelled())
            return DSERR_BUFFERLOST;
        Sleep(10);
        hr = buffer->Restore();
    }
    if (restored)
        *restored = TRUE;
    return S_OK;
}

IDirectSoundBuffer* DSoundBuffer::GetFreeBuffer()
{
    if (m_buffers.empty())
        return nullptr;
    for (IDirectSoundBuffer* buffer : m_buffers) {
        DWORD status = 0;
        if (buffer && SUCCEEDED(buffer->GetStatus(&status)) && !(status & DSBSTATUS_PLAYING))
            return buffer;
    }
    return m_buffers[rand() % m_buffers.size()];
}

IDirectSoundBuffer* DSoundBuffer::GetBuffer(DWORD index)
{
    return index < m_buffers.size() ? m_buffers[index] : nullptr;
}

HRESULT DSoundBuffer::Play(DWORD priority, DWORD playFlags, LONG volume, DWORD frequency, LONG pan)
{
    if (m_buffers.empty())
        return CO_E_NOTINITIALIZED;
    IDirectSoundBuffer* buffer = GetFreeBuffer();
    if (!buffer)
        return E_FAIL;
    HRESULT hr = RestoreBuffer(buffer, nullptr);
    if (FAILED(hr))
        return hr;
    if (m_flags & DSBCAPS_CTRLVOLUME)
        buffer->SetVolume(volume);
    if (frequency != (DWORD)-1 && (m_flags & DSBCAPS_CTRLFREQUENCY))
        buffer->SetFrequency(frequency);
    if (m_flags & DSBCAPS_CTRLPAN)
        buffer->SetPan(pan);
    return buffer->Play(0, priority, playFlags);
}

HRESULT DSoundBuffer::Stop()
{
    if (m_buffers.empty())
        return CO_E_NOTINITIALIZED;
    HRESULT hr = S_OK;
    for (IDirectSoundBuffer* buffer : m_buffers)
        if (buffer)
            hr |= buffer->Stop();
    return hr;
}

HRESULT DSoundBuffer::FillBufferWithDSound(IDirectSoundBuffer* buffer, int)
{
    if (!buffer)
        return CO_E_NOTINITIALIZED;
    HRESULT hr = RestoreBuffer(buffer, nullptr);
    if (FAILED(hr))
        return hr;
    void* data = nullptr;
    DWORD bytes = 0;
    hr = buffer->Lock(0, m_bufferBytes, &data, &bytes, nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    memset(data, 0, bytes);
    DWORD half = bytes - bytes / 2;
    for (DWORD done = 0; done < half && m_sink;) {
        DWORD chunk = half - done;
        if (m_blockBytes > 0 && chunk > m_blockBytes)
            chunk = m_blockBytes;
        m_sink->Fill((char*)data + done, (int)chunk);
        done += chunk;
    }
    buffer->Unlock(data, bytes, nullptr, 0);
    return S_OK;
}
