#pragma once
#include "audio/CAudioDriver.h"
#include "audio/DSoundFillSink.h"
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
class AI_DirectSound : public CAudioDriver, public CRunnable, public DSoundFillSink {
public:
    enum { MaxBlocks = 32 };

    explicit AI_DirectSound(bool input);
    ~AI_DirectSound() override;

    int Open(const AudioDriverSettings* settings) override;
    void Close() override;
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
    HRESULT CreateCaptureBuffer();
    int OpenOutput(const GUID* device);
    HRESULT CaptureBlock(int index);
    bool HandleWake(DWORD result);
    HRESULT ServiceBlock(int block);
    void ReleaseDevices();

    CThread m_thread;
    std::atomic<int> m_running;
    std::atomic<bool> m_failed;
    std::atomic<bool> m_stopping;
    bool m_comInitialized;
    bool m_openComInitialized;
    std::vector<DSoundDeviceEntry*> m_devices;
    IDirectSoundCapture* m_capture;
    IDirectSoundCaptureBuffer* m_captureBuffer;
    IDirectSoundNotify* m_notify;
    DSoundManager* m_manager;
    DSoundStreamingBuffer* m_streaming;
    int m_blockBytes;
    WAVEFORMATEX m_format;
    HANDLE m_waitHandles[1 + MaxBlocks];
    int m_nextBlock; // the block the ring hands on next
};
