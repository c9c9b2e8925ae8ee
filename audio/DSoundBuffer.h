#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#include <atomic>
#include <vector>

class DSoundFillSink;

// A set of DirectSound buffers whose references it owns.
class DSoundBuffer {
public:
    // A lost buffer is given this many restore attempts, 10 ms apart.
    enum { MaxRestoreAttempts = 100 };

    DSoundBuffer(IDirectSoundBuffer** buffers, DWORD bufferBytes, DWORD count, DWORD flags, DSoundFillSink* sink,
                 DWORD blockBytes);
    virtual ~DSoundBuffer();
    DSoundBuffer(const DSoundBuffer&) = delete;
    DSoundBuffer& operator=(const DSoundBuffer&) = delete;

    // 0 when the buffer was lost and restored, 1 when it was not lost.
    HRESULT RestoreBuffer(IDirectSoundBuffer* buffer, BOOL* restored);
    IDirectSoundBuffer* GetFreeBuffer();
    IDirectSoundBuffer* GetBuffer(DWORD index);
    HRESULT Play(DWORD priority, DWORD playFlags, LONG volume, DWORD frequency, LONG pan);
    HRESULT Stop();
    // Silences the whole buffer and fills its first half from the sink.
    HRESULT FillBufferWithDSound(IDirectSoundBuffer* buffer, int mode);
    // While the flag is set, a lost buffer is no longer waited for.
    void SetCancelFlag(const std::atomic<bool>* cancel);

protected:
    std::vector<IDirectSoundBuffer*> m_buffers;
    DWORD m_bufferBytes;
    DWORD m_flags;
    DSoundFillSink* m_sink;
    DWORD m_blockBytes;

private:
    bool IsCancelled() const;

    const std::atomic<bool>* m_cancel;
};
