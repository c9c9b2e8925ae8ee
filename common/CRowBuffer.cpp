#include "common/CRowBuffer.h"

CRowBuffer::CRowBuffer() : m_nRows(0), m_nStride(0), m_pData(nullptr)
{}

unsigned char* CRowBuffer::Alloc(int widthBytes, int rowCount)
{
    long long stride = ((long long)widthBytes + 4) & ~3LL;
    long long bytes = stride * rowCount;
    m_nRows = 0;
    if (widthBytes < 0 || rowCount < 0 || bytes > 0x7FFFFFFF)
        return nullptr;
    m_nStride = (int)stride;
    m_pData = m_block.Resize((int)bytes);
    if (m_pData)
        m_nRows = rowCount;
    return m_pData;
}

unsigned char* CRowBuffer::Row(int i) const
{
    if (i < 0 || i >= m_nRows)
        return nullptr;
    return m_pData + (long long)m_nStride * i;
}
