#pragma once
#include "audio/KernelStreaming/audpin.h"
#include "audio/KernelStreaming/filter.h"

// A filter that builds audio pins and keeps only those that can stream.
class CKsAudFilter : public CKsFilter {
public:
    CKsAudFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName);

    HRESULT EnumeratePins() override;

protected:
    CKsAudPin* FindViablePinIn(const CKsPtrList<CKsPin>& list, const WAVEFORMATEX* pwfx) const;

private:
    CKsAudPin* NewPin(ULONG communication, ULONG dataFlow, ULONG id, HRESULT* phr);
    HRESULT DeleteAllPins();
};

class CKsAudRenderFilter : public CKsAudFilter {
public:
    CKsAudRenderFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName);

    CKsAudPin* FindViablePin(const WAVEFORMATEX* pwfx) const;
    // The pin returned leaves the filter's lists: the caller deletes it.
    CKsAudPin* CreateRenderPin(const WAVEFORMATEX* pwfx, BOOL fLooped);

    const char* m_pszLastError;

private:
    bool OpenPin(CKsAudPin* pin, const WAVEFORMATEX* pwfx, BOOL fLooped, HRESULT* phr);
};

class CKsAudCaptureFilter : public CKsAudFilter {
public:
    CKsAudCaptureFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName);

    CKsAudPin* FindViablePin(const WAVEFORMATEX* pwfx) const;
    // The pin returned stays in the filter's lists and dies with the filter.
    CKsAudPin* CreateCapturePin(const WAVEFORMATEX* pwfx, BOOL fLooped);
};
