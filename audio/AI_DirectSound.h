#pragma once
#include "audio/CAudioDriver.h"
#include "audio/DSoundFillSink.h"
#include "audio/ThreadComInit.h"
#include "common/CThread.h"
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#include <atomic>
#include <string>
#include <vector>

class DSoundManager;
class DSoundStreamingBuffer;

// One device found by enumeration.
struct DSoundDeviceEntry {
    GUID guid;
    std::string description;
    std::string module;
};

// Driver for DirectSound devices: capture through a buffer of whole blocks with one
// notification per block; output through DSoundManager. Devices are named by their
// GUID text.
//
// Threads: Open, Close and enumeration run on the owner's thread (COM is
// initialised once for the driver where it was made and once per open stream
// where it was opened, each undone only there); the device
// thread (time critical) waits on its wake event and one event per block, and
// calls the owner's OnAudioBlock for each block on that thread.
// Buffers: DirectSound owns the ring of bufferCount blocks. A captured block is
// locked for the callback only, then unlocked; output blocks are filled through
// Fill while the streaming buffer asks for them.
// Stop order (Close): mark the stream stopping (a fill in progress gives up),
// end the thread, stop and release the device objects (a capture object that
// worked goes back to DSoundCaptureKeeper), close the block events,
// undo the stream's COM initialisation. A failed Open leaves what it made until
// the next Open or Close.
// Overrun: a late thread finds several block events set and hands the blocks on
// in ring order up to the newest; a thread a whole ring late gets blocks that
// the device has already overwritten, and nothing tells.
// Failure: a failed wait or lock, or a capture device that signals no block for
// a stall time (see StallWatch), ends the thread and sets HasFailed; the driver
// stays open until Close.
class AI_DirectSound : public CAudioDriver, public CRunnable, public DSoundFillSink {
public:
    // The wake event and one event per block go to one wait, which takes at most MAXIMUM_WAIT_OBJECTS (64);
    // the settings window offers at most 16 blocks.
    enum { MaxBlocks = 32 };
    static_assert(1 + MaxBlocks <= MAXIMUM_WAIT_OBJECTS, "one wait takes every event");

    explicit AI_DirectSound(bool input);
    ~AI_DirectSound() override;

    int Open(const AudioDriverSettings* settings) override;
    int Close() override;
    void Reset() override;
    int IsOpen() override;
    int GetLatency() override;
    int GetNumDevices() override;
    void GetDeviceName(AudioDeviceEntry* out, int index) override;
    bool SupportsDefaultDevice() override;
    bool IsDefaultDeviceName(const char* name) override;
    bool HasFailed() override;

    void Run(CThread* thread) override;
    void Fill(void* buffer, int bytes) override;
    void OnPosition(int block, int offset) override;

private:
    static BOOL CALLBACK EnumerateCallback(LPGUID guid, LPCSTR description, LPCSTR module, LPVOID context);
    void ClearDeviceList();
    int OpenCapture(const GUID* device);
    int StartCaptureStream();
    HRESULT CreateCaptureBuffer();
    int OpenOutput(const GUID* device);
    HRESULT CaptureBlock(int index);
    bool HandleWake(DWORD result);
    bool IsBlockEvent(DWORD result) const;
    HRESULT ServiceBlock(int block);
    void ReleaseDevices();

    CThread m_thread;
    std::atomic<int> m_running;
    std::atomic<bool> m_failed;
    std::atomic<bool> m_stopping;
    ThreadComInit m_driverCom;
    ThreadComInit m_openCom; // kept while a stream is open
    std::vector<DSoundDeviceEntry*> m_devices;
    IDirectSoundCapture* m_capture;
    GUID m_captureDevice; // the device m_capture captures from, as the keeper resolved it
    bool m_captureWorked; // the capture opened fully
    IDirectSoundCaptureBuffer* m_captureBuffer;
    IDirectSoundNotify* m_notify;
    DSoundManager* m_manager;
    DSoundStreamingBuffer* m_streaming;
    int m_blockBytes;
    WAVEFORMATEX m_format;
    HANDLE m_waitHandles[1 + MaxBlocks];
    int m_nextBlock; // the block the ring hands on next
};
