#pragma once
#include "common/CMemBlock.h"

// Equal rows over one CMemBlock, at a stride that is a multiple of 4 and
// always leaves 1 to 4 spare bytes after each row's width.
class CRowBuffer {
public:
    CRowBuffer();
    virtual ~CRowBuffer() = default;
    CRowBuffer(const CRowBuffer&) = delete;
    CRowBuffer& operator=(const CRowBuffer&) = delete;

    // Returns row 0; null (and no rows) for a size that cannot be had.
    unsigned char* Alloc(int widthBytes, int rowCount);
    // Null outside 0..rows - 1.
    unsigned char* Row(int i) const;
    void Fill(unsigned char value) { m_block.Fill(value); }
    int GetRows() const { return m_nRows; }
    int GetStride() const { return m_nStride; }

private:
    int m_nRows;
    int m_nStride;
    CMemBlock m_block;
    unsigned char* m_pData;
};
