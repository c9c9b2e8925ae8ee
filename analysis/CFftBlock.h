#pragma once

struct RealFftSpec;

// Overlap-save convolution of a stream, block by block, with the spectrum of
// at most N + 1 taps: each block is transformed together with the previous
// one at 2N points, multiplied by the taps' spectrum and the second half of
// the inverse kept.
class CFftBlock {
public:
    CFftBlock();
    virtual ~CFftBlock();
    CFftBlock(const CFftBlock&) = delete;
    CFftBlock& operator=(const CFftBlock&) = delete;

    // N = 2^order. False, leaving the block unusable, when the order is out
    // of range or memory runs out.
    bool Setup(int order);
    void Release();
    // block: N samples.
    bool Forward(const float* block);
    // product = taps x spectrum over length / 2 complex values; null
    // spectrum or product and a length of 0 stand for the block's own.
    bool MultiplySpectrum(const float* taps, float* spectrum, float* product, int length);
    // out: N samples; a null spectrum stands for the block's product.
    bool Inverse(float* out, const float* spectrum);

    float* GetSpectrum() const { return m_spectrum; }
    float* GetProduct() const { return m_product; }
    int GetSpectrumLength() const { return m_spectrumLength; }
    int GetBlockLength() const { return m_blockLength; }

private:
    float* m_time;
    float* m_inverseOutput;
    float* m_spectrum;
    float* m_product;
    unsigned char* m_forwardWork;
    unsigned char* m_inverseWork;
    RealFftSpec* m_spec;
    int m_spectrumLength;
    int m_blockLength;
};
