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
    // a and b each filter the same input, as Filter would, two at once where
    // the processor allows; the outputs may not overlap the input.
    static bool FilterPair(CBiquadCascade& a, CBiquadCascade& b, const float* input, float* outputA, float* outputB,
                           int count);
    void FreeSections();

    int GetSectionCount() const { return m_sectionCount; }
    float GetOutputGain() const { return m_outputGain; }

private:
    double* History() const;

    CBiquad** m_sections;
    int m_sectionCount;
    float m_outputGain;
    double* m_packed;
};
