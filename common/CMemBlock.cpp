#include "common/CMemBlock.h"
#include <cstdlib>
#include <cstring>

CMemBlock::CMemBlock() : m_nGrowthPercent(0), m_pData(nullptr), m_nSize(0), m_nCapacity(0)
{}

CMemBlock::~CMemBlock()
{
    std::free(m_pData);
}

unsigned char* CMemBlock::Resize(int bytes)
{
    if (m_nCapacity >= bytes)
        return m_pData;
    long long capacity = bytes + (long long)bytes * m_nGrowthPercent / 100;
    if (capacity > 0x7FFFFFFF)
        return nullptr;
    void* grown = std::realloc(m_pData, (size_t)capacity);
    if (!grown)
        return nullptr;
    m_pData = (unsigned char*)grown;
    m_nCapacity = (int)capacity;
    std::memset(m_pData, 0, m_nCapacity);
    m_nSize = bytes;
    return m_pData;
}

void CMemBlock::Fill(unsigned char value)
{
    if (m_pData)
        std::memset(m_pData, value, m_nSize);
}
