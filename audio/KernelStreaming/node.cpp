#include "audio/KernelStreaming/node.h"
#include "audio/KernelStreaming/kstrace.h"

CKsTopologyNode::CKsTopologyNode(ULONG nodeId, REFGUID type, HRESULT* phr)
    : m_nNodeId(nodeId), m_tag(kTag), m_guidType(type)
{
    KS_EXIT_TRACE("node", S_OK);
    if (phr)
        *phr = S_OK;
}
