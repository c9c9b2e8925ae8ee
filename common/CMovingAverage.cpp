#include "common/CMovingAverage.h"
#include <cstdlib>
#include <cstring>

CMovingAverage::CMovingAverage()
    : m_pSlots(nullptr), m_nIndex(0), m_nSum(0), m_nDelayLeft(0), m_nCount(0), m_nLength(0), m_nInitialDelay(0)
{}

CMovingAverage::~CMovingAverage()
{
    std::free(m_pSlots);
}

int CMovingAverage::Init(int windowLength, int delay)
{
    m_nInitialDelay = delay;
    std::free(m_pSlots);
    m_pSlots = nullptr;
    m_nLength = 0;
    if (windowLength >= 1) {
        m_pSlots = (int32_t*)std::calloc((size_t)windowLength, sizeof(int32_t));
        if (m_pSlots)
            m_nLength = windowLength;
    }
    return Reset();
}

int CMovingAverage::Reset()
{
    if (m_pSlots)
        std::memset(m_pSlots, 0, sizeof(int32_t) * m_nLength);
    m_nIndex = 0;
    m_nSum = 0;
    m_nCount = 0;
    m_nDelayLeft = m_nInitialDelay;
    return GetAverage();
}

int CMovingAverage::Push(int value)
{
    if (m_nDelayLeft > 0) {
        --m_nDelayLeft;
        return GetAverage();
    }
    if (m_nLength < 1)
        return 0;
    m_nIndex = (m_nIndex + 1) % m_nLength;
    m_nSum -= m_pSlots[m_nIndex];
    if (m_nCount < m_nLength)
        ++m_nCount;
    m_pSlots[m_nIndex] = value;
    m_nSum += value;
    return GetAverage();
}

int CMovingAverage::GetAverage() const
{
    if (m_nCount == 0)
        return 0;
    return (int)(m_nSum / m_nCount);
}
