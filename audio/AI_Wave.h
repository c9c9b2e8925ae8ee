#pragma once
#include "audio/CAudioDriver.h"
#include "common/CThread.h"
#include <windows.h>
#include <mmsystem.h>
#include <atomic>

// Driver for the multimedia wave functions: a ring of prepared buffers and one
// device thread woken by the device's event.
//
// Threads: Open, Close and the device queries run on the owner's thread; the
// device thread (time critical) only hands on finished buffers and queues them
// again, in queue order, calling the owner's OnAudioBlock on that thread.
// Buffers: Open allocates, prepares and queues bufferCount of them. A queued
// buffer belongs to the device until it is marked done, then to the device
// thread until it is queued again; the owner may read it only inside its
// callback.
// Stop order (Close): stop the device, end the thread, reset the device (it
// returns every queued buffer), unprepare and free the buffers, close the
// device; a failed Open undoes the same steps for what it made.
// Overrun: a late thread finds several buffers done and hands them all on in
// order; while none is queued the device drops the sound, which nothing counts.
// Failure: a buffer the device refuses to queue again, or a capture device that
// hands on nothing for a stall time (see StallWatch), ends the thread and sets
// HasFailed; the driver stays open until Close.
class AI_Wave : public CAudioDriver, public CRunnable {
public:
    // Room in the fixed header table: the settings window offers at most 16 buffers, the rest is headroom
    // for a hand-edited settings file; larger counts are refused.
    enum { MaxBuffers = 36 };

    explicit AI_Wave(bool input);
    ~AI_Wave() override;

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

private:
    int SelectDevice(const char* name, UINT* device);
    bool FindDevice(const char* name, UINT* device);
    void SetOpenFailureText(MMRESULT result);
    void ReadInterfacePath(UINT device, AudioDeviceEntry* out);
    bool PrepareBuffers();
    bool PrepareBuffer(int index, int bytes);
    void ReleaseBuffers(int count);
    void FailOpen(int preparedCount);
    bool IsDone(int index) const;
    // The bytes of a finished buffer that are handed on: recorded (input) or all (output), never past the buffer.
    DWORD DeliveredBytes(const WAVEHDR& header) const;
    // Returns how many buffers were handed on.
    int ServiceBuffers(CThread* thread, int* index);

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
