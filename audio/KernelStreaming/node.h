#pragma once
#include "audio/KernelStreaming/ksdefs.h"

// One node of a filter's topology.
class CKsTopologyNode {
public:
    static const ULONG kTag = 0x454E4F4E; // "NONE"

    CKsTopologyNode(ULONG nodeId, REFGUID type, HRESULT* phr);

    ULONG GetId() const { return m_nNodeId; }
    const GUID& GetType() const { return m_guidType; }
    ULONG GetTag() const { return m_tag; }

private:
    ULONG m_nNodeId;
    ULONG m_tag;
    GUID m_guidType;
};
