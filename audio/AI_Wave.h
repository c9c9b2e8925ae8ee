#pragma once
#include "audio/CAudioDriver.h"
#include "common/CThread.h"
#include <windows.h>
#include <mmsystem.h>
#include <atomic>

// Driver for the multimedia wave functions: a ring of prepared buffers and one
// device thread woken by the device's event.
class AI_Wave : public CAudioDriver, public CRunnable {
public:
    enum { MaxBuffers = 36 };

    explicit AI_Wave(bool input);
    ~AI_Wave() override;

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

private:
    int SelectDevice(const char* name, UINT* device);
    bool FindDevice(const char* name, UINT* device);
    void ReadInterfacePath(UINT device, AudioDeviceEntry* out);
    bool PrepareBuffers();
    bool PrepareBuffer(int index, int bytes);
    void ReleaseBuffers(int count);
    void FailOpen(int preparedCount);
    bool IsDone(int index) const;
    void ServiceBuffers(CThread* thread, int* index);

    MMRESULT DeviceOpen(UINT device, const WAVEFORMATEX* format);
    MMRESULT DevicePrepare(WAVEHDR* header);
    MMRESULT DeviceUnprepare(WAVEHDR* header);
    MMRESULT DeviceQueue(WAVEHDR* header);
    MMRESULT DeviceMessage(UINT device, UINT message, DWORD_PTR p1, DWORD_PTR p2);
    void DeviceStop();
    void DeviceClose();

    CThread m_thread;
    WAVEHDR m_headers[MaxBuffers];
    HWAVEOUT m_outDevice;
    HWAVEIN m_inDevice;
    int m_open;
    std::atomic<bool> m_failed;
};
