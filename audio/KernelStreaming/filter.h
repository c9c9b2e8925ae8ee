#pragma once
#include "audio/KernelStreaming/irptgt.h"
#include "audio/KernelStreaming/kslist.h"
#include "audio/KernelStreaming/node.h"
#include "audio/KernelStreaming/pin.h"

// One device interface of an audio driver, opened as a file, with its pins sorted
// by data flow and communication and, on request, its topology nodes.
class CKsFilter : public CKsIrpTarget {
public:
    // Audio filters have a handful of pin types; a driver answering billions would keep
    // enumeration busy for days.
    static const ULONG MaxPinCount = 256;

    CKsFilter(LPCSTR pszName, HRESULT* phr, LPCSTR pszFriendlyName);
    virtual ~CKsFilter();
    CKsFilter(const CKsFilter&) = delete;
    CKsFilter& operator=(const CKsFilter&) = delete;

    virtual HRESULT Instantiate();
    virtual HRESULT EnumerateNodes();
    virtual HRESULT EnumeratePins();
    virtual HRESULT DestroyLists();

    HRESULT ClassifyPins();
    // The filter's pin count; a count past MaxPinCount is a bad answer (E_FAIL), not a list to walk.
    HRESULT GetPinCount(ULONG* count);
    HRESULT GetPinProperty(ULONG nPinId, REFGUID set, ULONG id, void* out, ULONG outLen);
    // The answer block comes from malloc and is the caller's; its size goes to *blockSize.
    HRESULT GetPinPropertyMulti(ULONG nPinId, REFGUID set, ULONG id, void** buffer, ULONG* blockSize = nullptr);

    ULONG GetFilterKind() const { return m_nFilterKind; }

    char m_szFriendlyName[MAX_PATH];
    CKsPtrList<CKsTopologyNode> m_listNodes;
    CKsPtrList<CKsPin> m_listPins;
    CKsPtrList<CKsPin> m_listInSinkPins;
    CKsPtrList<CKsPin> m_listOutSourcePins;
    CKsPtrList<CKsPin> m_listOutSinkPins;
    CKsPtrList<CKsPin> m_listInSourcePins;
    CKsPtrList<CKsPin> m_listNonePins;
    char m_szDevicePath[MAX_PATH];

protected:
    bool HasClassifiedPins(bool countNonePins) const;

    ULONG m_nFilterKind;
};
