#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

class DSoundFillSink;
class DSoundStreamingBuffer;

// Owns the DirectSound object of the output device and makes its streaming buffer.
class DSoundManager {
public:
    DSoundManager();
    ~DSoundManager();
    DSoundManager(const DSoundManager&) = delete;
    DSoundManager& operator=(const DSoundManager&) = delete;

    HRESULT Initialize(const GUID* device, HWND window, DWORD level);
    HRESULT SetPrimaryBufferFormat(DWORD channels, DWORD rate, DWORD bits);
    // A looping buffer of blocks × blockBytes with one notification in the middle of
    // each block, event i for block i.
    HRESULT CreateStreaming(DSoundStreamingBuffer** out, const WAVEFORMATEX* format, DWORD flags, GUID algorithm,
                            DWORD blocks, DWORD blockBytes, HANDLE* events, DSoundFillSink* sink);

private:
    HRESULT SetNotifications(IDirectSoundBuffer* buffer, DWORD blocks, DWORD blockBytes, HANDLE* events);

    IDirectSound* m_directSound;
};
