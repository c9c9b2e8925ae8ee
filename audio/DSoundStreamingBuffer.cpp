#include "audio/DSoundStreamingBuffer.h"
#include "audio/DSoundFillSink.h"

DSoundStreamingBuffer::DSoundStreamingBuffer(IDirectSoundBuffer* buffer, DWORD bufferBytes, DWORD blockBytes,
                                             DSoundFillSink* sink)
    : DSoundBuffer(&buffer, bufferBytes, 1, 0, sink, blockBytes), m_lastOffset(0)
{}

HRESULT DSoundStreamingBuffer::HandleNotification(int index, int offset)
{
    if (m_buffers.empty() || !m_buffers[0])
        return CO_E_NOTINITIALIZED;
    int blocks = m_blockBytes ? (int)(m_bufferBytes / m_blockBytes) : 0;
    if (blocks < 1)
        return E_UNEXPECTED;
    BOOL restored = FALSE;
    HRESULT hr = RestoreBuffer(m_buffers[0], &restored);
    if (FAILED(hr))
        return hr;
    if (restored)
        return S_OK;
    int k = ((index + blocks / 2 - offset) % blocks + blocks) % blocks;
    m_lastOffset = (DWORD)k * m_blockBytes;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    hr = m_buffers[0]->Lock(m_lastOffset, m_blockBytes, &first, &firstBytes, &second, &secondBytes, 0);
    if (FAILED(hr))
        return hr;
    if (second && secondBytes) {
        m_buffers[0]->Unlock(first, firstBytes, second, secondBytes);
        return E_UNEXPECTED;
    }
    if (m_sink)
        m_sink->Fill(first, (int)firstBytes);
    m_buffers[0]->Unlock(first, firstBytes, nullptr, 0);
    return S_OK;
}

HRESULT DSoundStreamingBuffer::Reset()
{
    if (m_buffers.empty() || !m_buffers[0])
        return CO_E_NOTINITIALIZED;
    m_lastOffset = 0;
    HRESULT hr = RestoreBuffer(m_buffers[0], nullptr);
    if (!FAILED(hr))
        hr = m_buffers[0]->SetCurrentPosition(0);
    return hr;
}

DWORD DSoundStreamingBuffer::GetLastOffset() const
{
    return m_lastOffset;
}
