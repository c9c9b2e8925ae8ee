#pragma once

// One second-order IIR section in direct form I on single-precision samples.
class CBiquad {
public:
    CBiquad();
    virtual ~CBiquad();

    void SetCoefficients(const double* a, const double* b);
    void SetCoefficients(float a0, float a1, float a2, float b0, float b1, float b2);
    float Process(float x);
    // For the cascade's block kernels: b0, b1, b2, a1, a2.
    void GetCoefficients(double* out) const;

private:
    float m_b0, m_b1, m_b2;
    float m_a1, m_a2;
    float m_x1, m_x2;
    float m_y1, m_y2;
};
