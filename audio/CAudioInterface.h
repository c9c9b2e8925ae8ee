#pragma once
#include "audio/CAudioCallback.h"
#include "audio/CAudioDriver.h"
#include "common/CMutex.h"
#include <atomic>
#include <cstdint>

class CAudioClient;
class CFifo;

// One row of the interface-type table.
struct InterfaceTypeInfo {
    const char* displayName;
    const char* shortName; // the .ini value of "Interface" and the per-interface key suffix
    int defaultBufferSize; // frames
    int defaultBufferCount;
    int typeId;
};

// Front object of the audio input layer: owns one driver, converts its blocks and
// delivers them to the client on the driver's device thread, under its own lock.
// Threads: the operations that open, close, replace or ask the driver may come
// from several threads; a second lock makes each wait for the others. The
// device thread, calling them from inside a block, passes without it: a
// closing thread holds it while it waits for that thread to end.
class CAudioInterface : public CAudioCallback {
public:
    enum { MaxChannels = AudioMaxChannels, ErrorTextSize = AudioErrorTextSize };

    CAudioInterface();
    ~CAudioInterface() override;
    CAudioInterface(const CAudioInterface&) = delete;
    CAudioInterface& operator=(const CAudioInterface&) = delete;

    // Both keep the current driver when called from its device thread (see Close).
    void CreateDriver(bool input, int typeId);
    void DestroyDriver();
    int GetDriverType();
    // 0 on success; otherwise GetErrorText says why.
    int Open(const AudioDriverSettings* settings);
    // AudioCloseOk once closed; AudioCloseOnDeviceThread, with the driver's text, when called from the device
    // thread (see CAudioDriver::Close).
    int Close();
    // True once the driver's device thread ended on a device error (a lost
    // device); the driver's text is then in GetErrorText. The driver stays open.
    bool HasFailed();
    const char* GetErrorText() const;
    void SetClient(CAudioClient* client);
    int GetNumDevices();
    void GetDeviceName(AudioDeviceEntry* out, int index);

    static int GetNumInterfaceTypes();
    static void GetInputInterfaceType(int index, InterfaceTypeInfo* out);
    static void GetOutputInterfaceType(int index, InterfaceTypeInfo* out);
    static int InterfaceTypeFromIndex(int index);
    static int InterfaceTypeFromName(bool input, const char* shortName);
    // The device name that opens the type's default device, as its list's first entry names it; empty
    // for a type without one.
    static const char* DefaultDeviceKey(int typeId);

    void OnAudioBlock(CAudioDriver* driver, void* deviceBuffer, int bytes) override;

private:
    class ControlGuard;
    int CheckSettings(const AudioDriverSettings* settings);
    bool AllocateChannels();
    void FreeChannels();
    void DeliverFifo(CAudioDriver* driver, void* deviceBuffer, int bytes);
    void DeliverInterleaved(CAudioDriver* driver, void* deviceBuffer, int bytes);
    void DeliverPlanarInput(const void* deviceBuffer, int bytes);
    void DeliverPlanarOutput(void* deviceBuffer, int bytes);
    void SetError(const char* text);

    CFifo* m_fifo;
    CAudioDriver* m_driver;
    char m_errorText[ErrorTextSize];
    AudioDriverSettings m_settings;
    CAudioClient* m_client;
    int32_t* m_channels[MaxChannels];
    bool m_allowDefaultDevice;
    CMutex m_lock;
    std::atomic<bool> m_running;
    CMutex m_controlLock;
    std::atomic<unsigned long> m_deliveringThread; // the device thread's id while it is inside a block, else 0
};
