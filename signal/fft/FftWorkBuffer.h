#pragma once
#include "signal/fft/RealFftSpec.h"

namespace dsp::generic {

// Scratch of one transform: the caller's buffer aligned up to 16 bytes, or a block allocated
// for the call and released by the destructor. None when the specification needs none.
class FftWorkBuffer {
public:
    FftWorkBuffer(const RealFftSpec* spec, unsigned char* caller);
    ~FftWorkBuffer();
    FftWorkBuffer(const FftWorkBuffer&) = delete;
    FftWorkBuffer& operator=(const FftWorkBuffer&) = delete;

    bool IsValid() const { return !m_bFailed; }
    float* Get() const { return m_pWork; }

private:
    unsigned char* m_pOwned = nullptr;
    float* m_pWork = nullptr;
    bool m_bFailed = false;
};

} // namespace dsp::generic
