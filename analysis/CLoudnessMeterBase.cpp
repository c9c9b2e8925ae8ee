#include "analysis/CLoudnessMeterBase.h"
#include <cstring>
#include <new>

CLoudnessMeterBase::CLoudnessMeterBase() : m_history(nullptr), m_historyCount(0)
{}

CLoudnessMeterBase::~CLoudnessMeterBase()
{
    delete[] m_history;
}

void CLoudnessMeterBase::OnHistoryRecord(const LoudnessReading*, LoudnessReading*)
{}

void CLoudnessMeterBase::OnReadingsRead(LoudnessReading*)
{}

void CLoudnessMeterBase::ResetReading(LoudnessReading* reading)
{
    if (reading)
        std::memset(reading, 0, sizeof(*reading));
}

const LoudnessReading* CLoudnessMeterBase::GetHistoryRecord(int index) const
{
    return index >= 0 && index < m_historyCount ? &m_history[index] : nullptr;
}

bool CLoudnessMeterBase::ResizeHistory(int count)
{
    delete[] m_history;
    m_history = nullptr;
    m_historyCount = 0;
    if (count < 1)
        return false;
    m_history = new (std::nothrow) LoudnessReading[count];
    if (!m_history)
        return false;
    m_historyCount = count;
    for (int i = 0; i < count; ++i) {
        std::memset(&m_history[i], 0, sizeof(LoudnessReading));
        ResetReading(&m_history[i]);
    }
    return true;
}
