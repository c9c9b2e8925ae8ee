#pragma once
#include "audio/KernelStreaming/filter.h"
#include "audio/KernelStreaming/kslist.h"

// Finds the Kernel Streaming filters of the requested device interface classes,
// names them, opens them and keeps the ones that work.
class CKsFilterEnum {
public:
    static const DWORD kDetailSize = 525;

    explicit CKsFilterEnum(HRESULT* phr);
    virtual ~CKsFilterEnum();
    CKsFilterEnum(const CKsFilterEnum&) = delete;
    CKsFilterEnum& operator=(const CKsFilterEnum&) = delete;

    virtual HRESULT DestroyLists();

    // kind: 0 plain, 1 render, 2 capture filters. The first class finds the interfaces;
    // each further class must be an active alias of them.
    HRESULT EnumFilters(ULONG kind, const GUID* classes, ULONG count, BOOL enumPins, BOOL enumNodes, BOOL instantiate);

    CKsPtrList<CKsFilter> m_listFilters;

private:
    void EnumInterfaces(HDEVINFO set, ULONG kind, const GUID* classes, ULONG count, BOOL enumPins, BOOL enumNodes,
                        BOOL instantiate, HRESULT* phr);
    void AddFilter(ULONG kind, LPCSTR path, LPCSTR name, BOOL enumPins, BOOL enumNodes, BOOL instantiate);
};
