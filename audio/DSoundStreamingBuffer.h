#pragma once
#include "audio/DSoundBuffer.h"

// One looping buffer of whole blocks; each notification in the middle of a block
// refills the block half a buffer ahead.
class DSoundStreamingBuffer : public DSoundBuffer {
public:
    DSoundStreamingBuffer(IDirectSoundBuffer* buffer, DWORD bufferBytes, DWORD blockBytes, DSoundFillSink* sink);

    HRESULT HandleNotification(int index, int offset);
    HRESULT Reset();
    DWORD GetLastOffset() const;

private:
    DWORD m_lastOffset;
};
