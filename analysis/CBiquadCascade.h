#pragma once

class CBiquad;

// Second-order sections in series, built from constant tables of coefficient
// rows (six doubles each: denominator rows 1,0,0,a0,a1,a2; numerator rows
// g,0,0,b0,b1,b2 with the section gain g).
class CBiquadCascade {
public:
    CBiquadCascade();
    virtual ~CBiquadCascade();
    CBiquadCascade(const CBiquadCascade&) = delete;
    CBiquadCascade& operator=(const CBiquadCascade&) = delete;

    // False, leaving no sections, for a missing table or when memory runs out.
    bool Design(const double (*denominators)[6], const double (*numerators)[6], float gain, int order);
    // Input and output may be the same buffer.
    bool Filter(const float* input, float* output, int count);
    void FreeSections();

    int GetSectionCount() const { return m_sectionCount; }
    float GetOutputGain() const { return m_outputGain; }

private:
    void LoadHistory(double* history) const;
    void StoreHistory(const double* history);

    CBiquad** m_sections;
    int m_sectionCount;
    float m_outputGain;
    double* m_packed;
};
