#pragma once
#include <cstdint>

// Exact mean of the last N values pushed, over a ring of N slots with a 64-bit
// running sum; an optional number of pushes is dropped after every reset.
class CMovingAverage {
public:
    CMovingAverage();
    virtual ~CMovingAverage();
    CMovingAverage(const CMovingAverage&) = delete;
    CMovingAverage& operator=(const CMovingAverage&) = delete;

    // A length below 1, or slots the heap cannot supply, leave length 0: pushes
    // then store nothing and the average stays 0. Returns the average (0).
    int Init(int windowLength, int delay);
    int Reset();
    int Push(int value);
    int GetAverage() const;
    int GetLength() const { return m_nLength; }
    int GetCount() const { return m_nCount; }

private:
    int32_t* m_pSlots;
    int m_nIndex;
    int64_t m_nSum;
    int m_nDelayLeft;
    int m_nCount;
    int m_nLength;
    int m_nInitialDelay;
};
