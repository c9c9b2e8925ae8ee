#pragma once

// A growable, zero-filled byte block that never shrinks: asking for its buffer
// before every use allocates once and then reuses the same memory.
class CMemBlock {
public:
    CMemBlock();
    virtual ~CMemBlock();
    CMemBlock(const CMemBlock&) = delete;
    CMemBlock& operator=(const CMemBlock&) = delete;

    // Makes the block hold at least bytes; a block that grows starts all zero.
    // Null when the heap cannot supply it: the old block and its contents stay.
    unsigned char* Resize(int bytes);
    unsigned char* GetDataPtr() const { return m_pData; }
    // Sets the first GetSize() bytes.
    void Fill(unsigned char value);
    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nCapacity; }

private:
    int m_nGrowthPercent;
    unsigned char* m_pData;
    int m_nSize;
    int m_nCapacity;
};
