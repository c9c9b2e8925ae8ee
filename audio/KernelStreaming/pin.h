#pragma once
#include "audio/KernelStreaming/irptgt.h"

class CKsFilter;

// One pin type of a filter: described from the filter's properties on construction,
// instantiated through KsCreatePin once a connection request exists.
class CKsPin : public CKsIrpTarget {
public:
    CKsPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr);
    virtual ~CKsPin();
    CKsPin(const CKsPin&) = delete;
    CKsPin& operator=(const CKsPin&) = delete;

    virtual HRESULT Instantiate(BOOL fLooped = FALSE);
    virtual HRESULT SetState(KSSTATE state);
    void ClosePin();

    HRESULT WriteData(KSSTREAM_HEADER* header, OVERLAPPED* overlapped);
    HRESULT ReadData(KSSTREAM_HEADER* header, OVERLAPPED* overlapped);

    HRESULT GetDataFlow(ULONG* dataFlow) const;
    HRESULT GetCommunication(ULONG* communication) const;

    ULONG GetId() const { return m_nId; }
    ULONG GetPinType() const { return m_nPinType; }
    ULONG GetState() const { return m_nState; }
    ULONG GetInterfaceCount() const { return m_nInterfaces; }
    ULONG GetMediumCount() const { return m_nMediums; }
    ULONG GetDataRangeCount() const { return m_nDataRanges; }
    const KSPIN_CINSTANCES& GetInstances() const { return m_cInstances; }
    const KSPIN_CINSTANCES& GetGlobalInstances() const { return m_cGlobalInstances; }
    const GUID& GetCategory() const { return m_guidCategory; }
    const WCHAR* GetName() const { return (const WCHAR*)m_szName; }
    const KSPIN_CONNECT* GetConnect() const { return (const KSPIN_CONNECT*)m_pksPinCreate; }
    ULONG GetConnectSize() const { return m_cbPinCreateSize; }

protected:
    BYTE* m_pksPinCreate;
    ULONG m_cbPinCreateSize;
    ULONG m_nId;
    CKsFilter* m_pFilter;
    GUID m_guidCategory;
    ULONG m_nInterfaces;
    KSIDENTIFIER* m_pInterfaces;
    ULONG m_nMediums;
    KSIDENTIFIER* m_pMediums;
    ULONG m_nDataRanges;
    KSDATARANGE* m_pDataRanges;
    ULONG m_nDataFlow;
    ULONG m_nCommunication;
    KSPIN_CINSTANCES m_cInstances;
    KSPIN_CINSTANCES m_cGlobalInstances;
    void* m_pDataRangesBlock;
    void* m_pMediumsBlock;
    void* m_pInterfacesBlock;
    ULONG m_cbDataRangesBlock;
    ULONG m_nPinType;
    ULONG m_nState;
    BYTE m_szName[260];

private:
    HRESULT ReadDescription();
    bool ReadPinProperty(ULONG id, void* out, ULONG outLen, const char* name);
    bool ReadIdentifiers(ULONG id, void** block, ULONG* count, KSIDENTIFIER** first, const char* name);
    bool ReadDataRanges();
};
