#include "image/resize/ResizeBlockList.h"

#include "image/resize/ResizeMemory.h"

ResizeBlockList::~ResizeBlockList()
{
    for (int i = 0; i < m_count; ++i) {
        ResizeFree(m_blocks[i]);
    }
}

bool ResizeBlockList::Keep(void* block)
{
    if (!block || m_count == kMaxBlocks) {
        ResizeFree(block);
        return false;
    }
    m_blocks[m_count++] = block;
    return true;
}
