#pragma once

struct RealFftSpec;

// Windowed-sinc low-pass designer that hands back the spectrum of its
// 2^order + 1 taps for FFT convolution.
class CFirFilter {
public:
    CFirFilter();
    virtual ~CFirFilter();
    CFirFilter(const CFirFilter&) = delete;
    CFirFilter& operator=(const CFirFilter&) = delete;

    bool Setup(int order);
    // The CCS spectrum (2^(order+1) + 2 floats, unscaled) of a Blackman
    // windowed low-pass with unit gain at 0 Hz times gain. The caller frees
    // it with dspsFree; null on bad arguments or failure.
    float* Design(float cutoffHz, float rateHz, double gain);

    int GetTapsCount() const { return m_tapsCount; }
    int GetTransformLength() const { return m_transformLength; }

private:
    void Release();

    RealFftSpec* m_spec;
    int m_tapsCount;
    int m_transformLength;
};
