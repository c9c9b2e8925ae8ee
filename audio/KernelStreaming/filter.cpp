#include "audio/KernelStreaming/filter.h"
#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KernelStreaming/kstrace.h"
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
const char kFile[] = "filter";

void CopyName(char* dest, LPCSTR source)
{
    dest[0] = 0;
    if (source)
        lstrcpynA(dest, source, MAX_PATH);
}

KSP_PIN PinRequest(ULONG nPinId, REFGUID set, ULONG id)
{
    KSP_PIN request = {};
    request.Property.Set = set;
    request.Property.Id = id;
    request.Property.Flags = KSPROPERTY_TYPE_GET;
    request.PinId = nPinId;
    request.Reserved = 0;
    return request;
}
} // namespace

CKsFilter::CKsFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName)
    : CKsIrpTarget(INVALID_HANDLE_VALUE), m_nFilterKind(0)
{
    HRESULT hr = S_OK;
    CopyName(m_szFriendlyName, pszFriendlyName);
    m_szDevicePath[0] = 0;
    if (!pszName) {
        KsTrace(1, "pszName cannot be NULL");
        hr = E_INVALIDARG;
    } else {
        CopyName(m_szDevicePath, pszName);
    }
    KS_EXIT_TRACE(kFile, hr);
    if (phr)
        *phr = hr;
}

CKsFilter::~CKsFilter()
{
    DestroyLists();
    SafeCloseHandle(m_handle);
    KS_EXIT_TRACE(kFile, 0);
}

HRESULT CKsFilter::Instantiate()
{
    m_handle = KsPlatform()->CreateFileA(m_szDevicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    HRESULT hr = S_OK;
    if (!IsValidHandle(m_handle)) {
        KsTrace(1, "CKsFilter::Instantiate: CreateFile failed for device %s.  ErrorCode = 0x%08x", m_szDevicePath,
                (unsigned)GetLastError());
        hr = E_FAIL;
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsFilter::GetPinProperty(ULONG nPinId, REFGUID set, ULONG id, void* out, ULONG outLen)
{
    KSP_PIN request = PinRequest(nPinId, set, id);
    ULONG count = 0;
    HRESULT hr = SyncIoctl(m_handle, IOCTL_KS_PROPERTY, &request, sizeof(request), out, outLen, &count);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsFilter::GetPinPropertyMulti(ULONG nPinId, REFGUID set, ULONG id, void** buffer, ULONG* blockSize)
{
    if (!buffer) {
        KS_EXIT_TRACE(kFile, E_INVALIDARG);
        return E_INVALIDARG;
    }
    KSP_PIN request = PinRequest(nPinId, set, id);
    // An empty answer still gets a block, so the caller always owns one on success.
    HRESULT hr = ReadMultiple(&request, sizeof(request), buffer, blockSize, true);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsFilter::GetPinCount(ULONG* count)
{
    *count = 0;
    HRESULT hr = GetPinProperty(0, KSPROPSETID_Pin, KSPROPERTY_PIN_CTYPES, count, sizeof(*count));
    if (SUCCEEDED(hr) && *count > MaxPinCount) {
        KsTrace(1, "Pin count %lu is not believable", *count);
        *count = 0;
        hr = E_FAIL;
    }
    return hr;
}

HRESULT CKsFilter::EnumeratePins()
{
    ULONG count = 0;
    HRESULT hr = GetPinCount(&count);
    for (ULONG id = 0; SUCCEEDED(hr) && id < count; ++id) {
        HRESULT pinResult = S_OK;
        CKsPin* pin = new (std::nothrow) CKsPin(this, id, &pinResult);
        if (!pin) {
            KsTrace(1, "Failed to create pin");
        } else if (FAILED(pinResult)) {
            KsTrace(1, "Failed to construct pin");
            delete pin;
        } else if (!m_listPins.AddTail(pin)) {
            KsTrace(1, "Failed to add pin to list");
            delete pin;
        }
    }
    hr = ClassifyPins();
    if (!HasClassifiedPins(true)) {
        KsTrace(1, "Filter is not viable. It has no pins.");
        hr = E_FAIL;
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

bool CKsFilter::HasClassifiedPins(bool countNonePins) const
{
    return !m_listInSinkPins.IsEmpty() || !m_listOutSinkPins.IsEmpty() || !m_listOutSourcePins.IsEmpty() ||
           !m_listInSourcePins.IsEmpty() || (countNonePins && !m_listNonePins.IsEmpty());
}

HRESULT CKsFilter::ClassifyPins()
{
    HRESULT hr = S_OK;
    for (auto* node = m_listPins.GetHead(); node && SUCCEEDED(hr); node = node->pNext) {
        CKsPin* pin = node->pData;
        ULONG communication = 0;
        ULONG dataFlow = 0;
        pin->GetCommunication(&communication);
        pin->GetDataFlow(&dataFlow);
        bool in = dataFlow == KSPIN_DATAFLOW_IN;
        CKsPtrList<CKsPin>& sinks = in ? m_listInSinkPins : m_listOutSinkPins;
        CKsPtrList<CKsPin>& sources = in ? m_listInSourcePins : m_listOutSourcePins;
        bool added = true;
        switch (communication) {
        case KSPIN_COMMUNICATION_NONE: added = m_listNonePins.AddTail(pin) != nullptr; break;
        case KSPIN_COMMUNICATION_SINK: added = sinks.AddTail(pin) != nullptr; break;
        case KSPIN_COMMUNICATION_SOURCE: added = sources.AddTail(pin) != nullptr; break;
        case KSPIN_COMMUNICATION_BOTH: added = sinks.AddTail(pin) && sources.AddTail(pin); break;
        default: KsTrace(5, "Pin communication type not recognized"); break;
        }
        if (!added)
            hr = E_OUTOFMEMORY;
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsFilter::EnumerateNodes()
{
    m_listNodes.DeleteAll();
    void* block = nullptr;
    ULONG size = 0;
    HRESULT hr = GetPropertyMulti(KSPROPSETID_Topology, KSPROPERTY_TOPOLOGY_NODES, &block, &size);
    if (FAILED(hr)) {
        KsTrace(4, "Failed to get property KSPROPSETID_Topology.KSPROPERTY_TOPOLOGY_NODES");
    } else if (block && !KsIsValidMultipleItem(block, size, sizeof(GUID))) {
        hr = E_FAIL;
    } else if (block) {
        const KSMULTIPLE_ITEM* header = (const KSMULTIPLE_ITEM*)block;
        const GUID* types = (const GUID*)(header + 1);
        for (ULONG i = 0; i < header->Count; ++i) {
            HRESULT nodeResult = S_OK;
            CKsTopologyNode* node = new (std::nothrow) CKsTopologyNode(i, types[i], &nodeResult);
            if (node && !m_listNodes.AddTail(node))
                delete node;
        }
        if (m_listNodes.GetCount() != header->Count) {
            hr = E_FAIL;
            m_listNodes.DeleteAll();
        }
    }
    free(block);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsFilter::DestroyLists()
{
    m_listNodes.DeleteAll();
    m_listPins.DeleteAll();
    m_listInSinkPins.RemoveAll();
    m_listOutSourcePins.RemoveAll();
    m_listOutSinkPins.RemoveAll();
    m_listInSourcePins.RemoveAll();
    m_listNonePins.RemoveAll();
    KS_EXIT_TRACE(kFile, S_OK);
    return S_OK;
}
