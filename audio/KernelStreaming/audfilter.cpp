#include "audio/KernelStreaming/audfilter.h"
#include "audio/KernelStreaming/kstrace.h"
#include <new>

namespace {
const char kFile[] = "audfilter";
}

CKsAudFilter::CKsAudFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName)
    : CKsFilter(pszName, phr, pszFriendlyName)
{
    KS_EXIT_TRACE(kFile, phr ? *phr : S_OK);
}

CKsAudPin* CKsAudFilter::NewPin(ULONG communication, ULONG dataFlow, ULONG id, HRESULT* phr)
{
    if (communication == KSPIN_COMMUNICATION_SINK && dataFlow == KSPIN_DATAFLOW_IN)
        return new (std::nothrow) CKsAudRenderPin(this, id, phr);
    if (communication == KSPIN_COMMUNICATION_SINK && dataFlow == KSPIN_DATAFLOW_OUT)
        return new (std::nothrow) CKsAudCapturePin(this, id, phr);
    return new (std::nothrow) CKsAudPin(this, id, phr);
}

HRESULT CKsAudFilter::DeleteAllPins()
{
    KsTrace(1, "Ran out of memory enumerating pins - deleting all pins");
    m_listPins.DeleteAll();
    KS_EXIT_TRACE(kFile, E_OUTOFMEMORY);
    return E_OUTOFMEMORY;
}

HRESULT CKsAudFilter::EnumeratePins()
{
    ULONG count = 0;
    if (FAILED(GetPinCount(&count))) {
        KsTrace(1, "Failed to retrieve count of pins in audio filter");
        count = 0;
    }
    for (ULONG id = 0; id < count; ++id) {
        ULONG communication = 0;
        if (FAILED(GetPinProperty(id, KSPROPSETID_Pin, KSPROPERTY_PIN_COMMUNICATION, &communication,
                                  sizeof(communication)))) {
            KsTrace(1, "Failed to retrieve pin property KSPROPERTY_PIN_COMMUNICATION");
            continue;
        }
        if (communication < KSPIN_COMMUNICATION_SINK || communication > KSPIN_COMMUNICATION_BOTH) {
            KsTrace(1, "Pin communication value doesn't make sense");
            continue;
        }
        ULONG dataFlow = 0;
        if (FAILED(GetPinProperty(id, KSPROPSETID_Pin, KSPROPERTY_PIN_DATAFLOW, &dataFlow, sizeof(dataFlow)))) {
            KsTrace(1, "Failed to retrieve pin property KSPROPERTY_PIN_DATAFLOW");
            continue;
        }
        HRESULT pinResult = S_OK;
        CKsAudPin* pin = NewPin(communication, dataFlow, id, &pinResult);
        if (!pin) {
            KsTrace(1, "Failed to create audio pin");
            return DeleteAllPins();
        }
        if (FAILED(pinResult)) {
            delete pin;
            continue;
        }
        if (!m_listPins.AddTail(pin)) {
            delete pin;
            KsTrace(1, "Unable to allocate list entry to save pin in");
            return DeleteAllPins();
        }
    }
    ClassifyPins();
    HRESULT hr = S_OK;
    if (!HasClassifiedPins(false)) {
        KsTrace(1, "No valid pins found on the filter");
        hr = E_FAIL;
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

CKsAudPin* CKsAudFilter::FindViablePinIn(const CKsPtrList<CKsPin>& list, const WAVEFORMATEX* pwfx) const
{
    for (auto* node = list.GetHead(); node; node = node->pNext) {
        CKsAudPin* pin = static_cast<CKsAudPin*>(node->pData);
        if (pin->IsFormatSupported(pwfx))
            return pin;
    }
    return nullptr;
}

CKsAudRenderFilter::CKsAudRenderFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName)
    : CKsAudFilter(pszName, phr, pszFriendlyName), m_pszLastError("")
{
    m_nFilterKind = 1;
}

CKsAudPin* CKsAudRenderFilter::FindViablePin(const WAVEFORMATEX* pwfx) const
{
    return FindViablePinIn(m_listInSinkPins, pwfx);
}

bool CKsAudRenderFilter::OpenPin(CKsAudPin* pin, const WAVEFORMATEX* pwfx, BOOL fLooped, HRESULT* phr)
{
    *phr = pin->SetFormat(pwfx);
    if (FAILED(*phr))
        return false;
    *phr = pin->Instantiate(fLooped);
    return SUCCEEDED(*phr);
}

CKsAudPin* CKsAudRenderFilter::CreateRenderPin(const WAVEFORMATEX* pwfx, BOOL fLooped)
{
    m_pszLastError = "";
    HRESULT hr = E_FAIL;
    CKsAudPin* pin = FindViablePin(pwfx);
    if (!pin) {
        m_pszLastError = "Could not find a Render pin that supports the given wave format";
    } else if (FAILED(hr = pin->SetFormat(pwfx))) {
        m_pszLastError = "Failed to set Render Pin format - the pin lied about its supported formats";
        pin = nullptr;
    } else if (FAILED(hr = pin->Instantiate(fLooped))) {
        m_pszLastError = "Failed to instantiate Render Pin";
        pin = nullptr;
    } else {
        KsTrace(5, "Successfully instantiated Render Pin.  Handle = 0x%08x", (unsigned)(ULONG_PTR)pin->GetHandle());
    }
    // A pin may accept the format when connected even though its data ranges deny it.
    for (auto* node = m_listInSinkPins.GetHead(); !pin && node; node = node->pNext) {
        CKsAudPin* candidate = static_cast<CKsAudPin*>(node->pData);
        if (OpenPin(candidate, pwfx, fLooped, &hr))
            pin = candidate;
    }
    if (!pin) {
        KS_EXIT_TRACE(kFile, hr);
        return nullptr;
    }
    m_listPins.Remove(pin);
    m_listInSinkPins.Remove(pin);
    m_listInSourcePins.Remove(pin);
    KS_EXIT_TRACE(kFile, S_OK);
    return pin;
}

CKsAudCaptureFilter::CKsAudCaptureFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName)
    : CKsAudFilter(pszName, phr, pszFriendlyName)
{
    m_nFilterKind = 2;
}

CKsAudPin* CKsAudCaptureFilter::FindViablePin(const WAVEFORMATEX* pwfx) const
{
    return FindViablePinIn(m_listOutSinkPins, pwfx);
}

CKsAudPin* CKsAudCaptureFilter::CreateCapturePin(const WAVEFORMATEX* pwfx, BOOL fLooped)
{
    CKsAudPin* pin = FindViablePin(pwfx);
    if (!pin) {
        KsTrace(1, "Could not find a Capture pin that supports the given wave format");
        KS_EXIT_TRACE(kFile, E_FAIL);
        return nullptr;
    }
    if (FAILED(pin->SetFormat(pwfx))) {
        KsTrace(1, "Failed to set Capture Pin format");
        return nullptr;
    }
    if (FAILED(pin->Instantiate(fLooped))) {
        KsTrace(1, "Failed to instantiate Capture Pin");
        return nullptr;
    }
    KsTrace(5, "Successfully instantiated Capture Pin.  Handle = 0x%08x", (unsigned)(ULONG_PTR)pin->GetHandle());
    return pin;
}
