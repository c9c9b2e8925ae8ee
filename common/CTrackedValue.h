#pragma once

// Change detector for one integer: lets a caller skip work when nothing changed.
class CTrackedValue {
public:
    CTrackedValue() : m_nValue(0), m_nPrevious(0) {}

    // 1 (and the value taken) when value differs from the current one, else 0.
    int Update(int value)
    {
        if (value == m_nValue)
            return 0;
        m_nPrevious = m_nValue;
        m_nValue = value;
        return 1;
    }
    // Usually -1, a value the source never gives, to force the next Update to report.
    void Set(int value) { m_nValue = value; }
    int Get() const { return m_nValue; }
    int GetPrevious() const { return m_nPrevious; }

private:
    int m_nValue;
    int m_nPrevious;
};
