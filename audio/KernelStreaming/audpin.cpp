#include "audio/KernelStreaming/audpin.h"
#include "audio/KernelStreaming/kstrace.h"
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
const char kFile[] = "audpin";

// {00000000-0000-0010-8000-00AA00389B71}: a wave format tag lives in its first word.
const GUID kWaveTagBase = {0x00000000, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

bool IsWaveTagGuid(const GUID& guid)
{
    return memcmp((const BYTE*)&guid + 2, (const BYTE*)&kWaveTagBase + 2, sizeof(GUID) - 2) == 0;
}

bool IsNullOr(const GUID& guid, const GUID& wanted)
{
    return IsEqualGUID(guid, GUID_NULL) || IsEqualGUID(guid, wanted);
}

// The format's own sub-format: an extensible format names it, any other is its tag.
bool FormatSubType(const WAVEFORMATEX* pwfx, GUID* subFormat)
{
    if (pwfx->wFormatTag == WAVE_FORMAT_EXTENSIBLE) {
        if (pwfx->cbSize < sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX))
            return false;
        *subFormat = ((const WAVEFORMATEXTENSIBLE*)pwfx)->SubFormat;
        return true;
    }
    *subFormat = kWaveTagBase;
    subFormat->Data1 = pwfx->wFormatTag;
    return true;
}

bool RangeAccepts(const KSDATARANGE_AUDIO* range, const WAVEFORMATEX* pwfx, const GUID& subFormat)
{
    const KSDATARANGE& data = range->DataRange;
    return IsNullOr(data.MajorFormat, KSDATAFORMAT_TYPE_AUDIO) && IsNullOr(data.SubFormat, subFormat) &&
           IsNullOr(data.Specifier, KSDATAFORMAT_SPECIFIER_WAVEFORMATEX) && range->MaximumChannels >= pwfx->nChannels &&
           range->MinimumBitsPerSample <= pwfx->wBitsPerSample && pwfx->wBitsPerSample <= range->MaximumBitsPerSample &&
           range->MinimumSampleFrequency <= pwfx->nSamplesPerSec &&
           pwfx->nSamplesPerSec <= range->MaximumSampleFrequency;
}

bool HasIdentifier(const KSIDENTIFIER* items, ULONG count, const GUID& set, ULONG id)
{
    for (ULONG i = 0; i < count; ++i) {
        if (IsEqualGUID(items[i].Set, set) && items[i].Id == id)
            return true;
    }
    return false;
}
} // namespace

CKsAudPin::CKsAudPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr)
    : CKsPin(pFilter, nId, phr), m_pwfx(nullptr), m_pksDataFormatWfx(nullptr)
{
    HRESULT hr = phr ? *phr : (pFilter ? S_OK : E_INVALIDARG);
    if (SUCCEEDED(hr)) {
        m_pksPinCreate = (BYTE*)calloc(1, kInitialConnectSize);
        if (!m_pksPinCreate) {
            KsTrace(1, "Failed to allocate m_pksPinCreate");
            hr = E_OUTOFMEMORY;
        } else {
            m_cbPinCreateSize = kInitialConnectSize;
            FillConnect();
            hr = Init();
        }
    }
    KS_EXIT_TRACE(kFile, hr);
    if (phr)
        *phr = hr;
}

CKsAudPin::~CKsAudPin()
{
    m_listDataRanges.DeleteAll();
    free(m_pwfx);
}

void CKsAudPin::FillConnect()
{
    KSPIN_CONNECT* connect = (KSPIN_CONNECT*)m_pksPinCreate;
    connect->Interface.Set = KSINTERFACESETID_Standard;
    connect->Interface.Id = KSINTERFACE_STANDARD_STREAMING;
    connect->Interface.Flags = 0;
    connect->Medium.Set = KSMEDIUMSETID_Standard;
    connect->Medium.Id = KSMEDIUM_TYPE_ANYINSTANCE;
    connect->Medium.Flags = 0;
    connect->PinId = m_nId;
    connect->PinToHandle = nullptr;
    connect->Priority.PriorityClass = KSPRIORITY_NORMAL;
    connect->Priority.PrioritySubClass = 1;
    m_pksDataFormatWfx = (KSDATAFORMAT*)(connect + 1);
    m_pksDataFormatWfx->FormatSize = sizeof(KSDATAFORMAT) + sizeof(WAVEFORMATEX);
    m_pksDataFormatWfx->Flags = 0;
    m_pksDataFormatWfx->SampleSize = 0;
    m_pksDataFormatWfx->Reserved = 0;
    m_pksDataFormatWfx->MajorFormat = KSDATAFORMAT_TYPE_AUDIO;
    m_pksDataFormatWfx->SubFormat = KSDATAFORMAT_SUBTYPE_PCM;
    m_pksDataFormatWfx->Specifier = KSDATAFORMAT_SPECIFIER_WAVEFORMATEX;
}

HRESULT CKsAudPin::KeepAudioRange(const KSDATARANGE* range)
{
    KSDATARANGE_AUDIO* copy = new (std::nothrow) KSDATARANGE_AUDIO;
    if (!copy) {
        KsTrace(1, "Unable to allocate memory to save datarange in");
        return E_OUTOFMEMORY;
    }
    memcpy(copy, range, sizeof(KSDATARANGE_AUDIO));
    if (!m_listDataRanges.AddTail(copy)) {
        delete copy;
        KsTrace(1, "Unable to allocate list entry to save datarange in");
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CKsAudPin::Init()
{
    HRESULT hr = S_OK;
    if (!HasIdentifier(m_pInterfaces, m_nInterfaces, KSINTERFACESETID_Standard, KSINTERFACE_STANDARD_STREAMING)) {
        KsTrace(1, "No standard streaming interfaces on the pin");
        hr = E_FAIL;
    } else if (!HasIdentifier(m_pMediums, m_nMediums, KSMEDIUMSETID_Standard, KSMEDIUM_TYPE_ANYINSTANCE)) {
        KsTrace(1, "No standard streaming mediums on the pin");
        hr = E_FAIL;
    } else {
        // Each range states its own size; the walk never leaves the answer block.
        const BYTE* pos = (const BYTE*)m_pDataRanges;
        const BYTE* end = (const BYTE*)m_pDataRangesBlock + m_cbDataRangesBlock;
        bool accepted = false;
        for (ULONG i = 0; pos && i < m_nDataRanges; ++i) {
            const KSDATARANGE* range = (const KSDATARANGE*)pos;
            ULONG room = (ULONG)(end - pos);
            if (room < sizeof(KSDATARANGE) || range->FormatSize < sizeof(KSDATARANGE) || range->FormatSize > room)
                break;
            if (!accepted)
                accepted = IsWaveTagGuid(range->SubFormat) || IsEqualGUID(range->SubFormat, GUID_NULL);
            if (accepted && IsEqualGUID(range->MajorFormat, KSDATAFORMAT_TYPE_AUDIO) &&
                range->FormatSize >= sizeof(KSDATARANGE_AUDIO) && FAILED(KeepAudioRange(range)))
                hr = E_OUTOFMEMORY;
            pos += range->FormatSize;
        }
        if (!accepted) {
            KsTrace(1, "No audio dataranges on the pin");
            hr = E_FAIL;
        }
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsAudPin::SetFormat(const WAVEFORMATEX* pwfx)
{
    if (!pwfx || !m_pksDataFormatWfx) {
        KsTrace(1, "pwfx or m_pksDataFormatWfx are NULL");
        KS_EXIT_TRACE(kFile, E_FAIL);
        return E_FAIL;
    }
    ULONG size = GetWfxSize(pwfx);
    ULONG needed = sizeof(KSPIN_CONNECT) + sizeof(KSDATAFORMAT) + size;
    if (m_cbPinCreateSize != needed) {
        BYTE* request = (BYTE*)calloc(1, needed);
        if (!request) {
            KsTrace(1, "Unable to allocate KSPIN_CONNECT structure");
            KS_EXIT_TRACE(kFile, E_OUTOFMEMORY);
            return E_OUTOFMEMORY;
        }
        memcpy(request, m_pksPinCreate, m_cbPinCreateSize < needed ? m_cbPinCreateSize : needed);
        free(m_pksPinCreate);
        m_pksPinCreate = request;
        m_cbPinCreateSize = needed;
        m_pksDataFormatWfx = (KSDATAFORMAT*)(request + sizeof(KSPIN_CONNECT));
        m_pksDataFormatWfx->FormatSize = sizeof(KSDATAFORMAT) + size;
    }
    memcpy(m_pksDataFormatWfx + 1, pwfx, size);
    m_pksDataFormatWfx->SampleSize = (pwfx->nChannels * pwfx->wBitsPerSample / 8) & 0xFFFF;
    free(m_pwfx);
    m_pwfx = (WAVEFORMATEX*)malloc(size);
    if (m_pwfx)
        memcpy(m_pwfx, pwfx, size);
    KS_EXIT_TRACE(kFile, S_OK);
    return S_OK;
}

BOOL CKsAudPin::IsFormatSupported(const WAVEFORMATEX* pwfx) const
{
    GUID subFormat;
    if (!pwfx || !FormatSubType(pwfx, &subFormat))
        return FALSE;
    for (auto* node = m_listDataRanges.GetHead(); node; node = node->pNext) {
        if (RangeAccepts(node->pData, pwfx, subFormat))
            return TRUE;
    }
    return FALSE;
}

CKsAudRenderPin::CKsAudRenderPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr) : CKsAudPin(pFilter, nId, phr)
{
    m_nPinType = 1;
}

CKsAudCapturePin::CKsAudCapturePin(CKsFilter* pFilter, ULONG nId, HRESULT* phr) : CKsAudPin(pFilter, nId, phr)
{
    m_nPinType = 2;
}
