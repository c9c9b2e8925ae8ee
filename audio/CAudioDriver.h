#pragma once
#include "audio/AudioDeviceEntry.h"
#include "audio/AudioDriverSettings.h"

class CAudioCallback;

// Interface type ids, as stored by the audio interface and its drivers.
enum AudioInterfaceType {
    AudioTypeNone = 0,
    AudioTypeWave = 1,
    AudioTypeDirectSound = 2,
    AudioTypeKernelStreaming = 3,
};

// Limits of the planar channel table and of one device block.
enum { AudioMaxChannels = 32, AudioMaxBufferFrames = 65536 };

// Sample rates a device is asked for: below the lowest telephone rate nothing is measurable, and above the
// highest rate sound hardware offers the sound system aborts or spins instead of refusing.
enum { AudioMinSampleRate = 8000, AudioMaxSampleRate = 384000 };

// Bytes of every error text of the audio layer, terminator included: a text handed from an engine to its
// driver and on to the audio interface is cut in one place only.
enum { AudioErrorTextSize = 256 };

// Result codes of a driver's Open.
enum AudioOpenResult { AudioOpenOk = 0, AudioOpenFailed = 1, AudioOpenNoDevice = 2 };

// Result codes of a driver's Close.
enum AudioCloseResult { AudioCloseOk = 0, AudioCloseOnDeviceThread = 1 };

// Abstract device driver owned by a CAudioInterface.
class CAudioDriver {
public:
    explicit CAudioDriver(bool input);
    virtual ~CAudioDriver();
    CAudioDriver(const CAudioDriver&) = delete;
    CAudioDriver& operator=(const CAudioDriver&) = delete;

    // Copies the settings, opens the device and starts one device thread.
    virtual int Open(const AudioDriverSettings* settings) = 0;
    // Returns only after the device thread has ended. Called from that thread (from inside a
    // delivered block) it cannot wait for itself: it asks the thread to end once the block
    // returns, closes nothing and returns AudioCloseOnDeviceThread; a later Close releases the device.
    virtual int Close() = 0;
    virtual void Reset() = 0;
    virtual int IsOpen() = 0;
    virtual int GetLatency() = 0;
    int GetFrameBytes() const;
    virtual int GetNumDevices() = 0;
    virtual void GetDeviceName(AudioDeviceEntry* out, int index) = 0;
    virtual bool SupportsDefaultDevice();
    virtual bool IsDefaultDeviceName(const char* name);
    virtual bool HasFailed() = 0;

    // The identifier of the default device's entry, first in the list of a driver that has one.
    static constexpr const char* kDefaultDeviceKey = "WAVE_MAPPER";
    // Names that mean "no device wanted": null, empty, Disable(d), Off, None, (None).
    static bool IsDisabledDeviceName(const char* name);

    const char* GetDirectionText() const;
    void SetOwner(CAudioCallback* owner);
    bool IsInput() const;
    void SetType(int typeId);
    int GetType() const;
    void SetAllowDefaultDevice(bool allow);
    // Copies at most max - 1 characters and terminates dest.
    void GetErrorText(char* dest, int max) const;

protected:
    // The refusals a driver's Open starts with, in this order: no settings, a stream
    // already open. True, with the error text set, when Open must fail.
    bool RefuseOpen(const AudioDriverSettings* settings, bool open);
    void SetErrorText(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Refuses a settings copy that would overrun fixed tables; sets the error text.
    bool CheckBufferSettings(int maxBuffers);
    // True, with the error text set, when the settings name no device.
    bool NoDeviceSelected();
    // Fills the entry of the default device when index names it.
    bool DescribeDefaultDevice(AudioDeviceEntry* out, int index) const;
    // The error text and trace of a Close made on the device thread; returns AudioCloseOnDeviceThread.
    int RefuseCloseOnDeviceThread();
    // Hands one device block to the owner, if there is one.
    void DeliverBlock(void* block, int bytes);
    // The error text of a capture device that went silent for that long.
    void SetStallText(int seconds);

    char m_errorText[AudioErrorTextSize];
    AudioDriverSettings m_settings;
    int m_frameBytes; // bytes of one device frame while open
    bool m_allowDefaultDevice;

private:
    bool m_input;
    CAudioCallback* m_owner;
    int m_typeId;
};
