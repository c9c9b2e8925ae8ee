#pragma once
#include "audio/KernelStreaming/kslist.h"
#include "audio/KernelStreaming/pin.h"

// An audio pin: its connection request carries a KSDATAFORMAT and a wave format,
// and it keeps the pin's audio data ranges to test formats against.
class CKsAudPin : public CKsPin {
public:
    static const ULONG kInitialConnectSize = sizeof(KSPIN_CONNECT) + sizeof(KSDATAFORMAT) + sizeof(WAVEFORMATEX);

    CKsAudPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr);
    ~CKsAudPin() override;

    HRESULT SetFormat(const WAVEFORMATEX* pwfx);
    BOOL IsFormatSupported(const WAVEFORMATEX* pwfx) const;

    const WAVEFORMATEX* GetFormat() const { return m_pwfx; }
    const KSDATAFORMAT* GetDataFormat() const { return m_pksDataFormatWfx; }
    ULONG GetAudioRangeCount() const { return m_listDataRanges.GetCount(); }

protected:
    CKsPtrList<KSDATARANGE_AUDIO> m_listDataRanges;
    WAVEFORMATEX* m_pwfx;
    KSDATAFORMAT* m_pksDataFormatWfx;

private:
    void FillConnect();
    HRESULT Init();
    HRESULT KeepAudioRange(const KSDATARANGE* range);
};

class CKsAudRenderPin : public CKsAudPin {
public:
    CKsAudRenderPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr);
};

class CKsAudCapturePin : public CKsAudPin {
public:
    CKsAudCapturePin(CKsFilter* pFilter, ULONG nId, HRESULT* phr);
};
