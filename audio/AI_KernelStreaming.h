#pragma once
#include "audio/CAudioDriver.h"
#include "audio/CAudioSink.h"
#include "audio/KernelStreaming/ksdefs.h"
#include "common/CMemBlock.h"

class CKsEngine;
struct KsSettings;

// The driver for Kernel Streaming devices: opens a stream engine, first in the
// extensible and then in the plain PCM format, and passes its packets to the owner.
class AI_KernelStreaming : public CAudioDriver, public CAudioSink {
public:
    explicit AI_KernelStreaming(bool input);
    ~AI_KernelStreaming() override;

    int Open(const AudioDriverSettings* settings) override;
    int Close() override;
    void Reset() override {}
    int IsOpen() override;
    int GetLatency() override;
    int GetNumDevices() override;
    void GetDeviceName(AudioDeviceEntry* out, int index) override;
    bool HasFailed() override;

    void OnPacketDone() override {}
    int OnCaptured(CKsEngine* engine, void* data, int bytes) override;
    int OnRender(CKsEngine* engine, void* data, int bytes) override;

    static DWORD ChannelMask(int channels);

private:
    WAVEFORMATEXTENSIBLE BuildFormat() const;
    void PrepareConversion(const WAVEFORMATEXTENSIBLE& format);
    CKsEngine* NewStreamEngine(const WAVEFORMATEXTENSIBLE& format);
    bool TryOpen(const WAVEFORMATEXTENSIBLE& format);
    CKsEngine* DeviceListEngine();
    void ExpandChannels(void* data, int bytes);

    CKsEngine* m_pStreamEngine;
    CKsEngine* m_pListEngine;
    int m_bOpen;
    CMemBlock m_conversion;
    int m_nDeviceChannels;
};
