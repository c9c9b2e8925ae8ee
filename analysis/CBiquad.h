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
    // x1, x2, y1, y2. Inline: the cascade moves them around every block.
    void GetHistory(float* out) const
    {
        out[0] = m_x1;
        out[1] = m_x2;
        out[2] = m_y1;
        out[3] = m_y2;
    }
    void SetHistory(const float* in)
    {
        m_x1 = in[0];
        m_x2 = in[1];
        m_y1 = in[2];
        m_y2 = in[3];
    }

private:
    float m_b0, m_b1, m_b2;
    float m_a1, m_a2;
    float m_x1, m_x2;
    float m_y1, m_y2;
};
