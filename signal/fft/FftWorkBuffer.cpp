#include "signal/fft/FftWorkBuffer.h"
#include "signal/DspBodies.h"
#include <cstdint>

namespace dsp::generic {

FftWorkBuffer::FftWorkBuffer(const RealFftSpec* spec, unsigned char* caller)
{
    if (spec->workBytes <= 0)
        return;
    if (!caller) {
        m_pOwned = dspsMalloc_8u(spec->workBytes);
        m_bFailed = !m_pOwned;
        caller = m_pOwned;
    }
    const uintptr_t address = reinterpret_cast<uintptr_t>(caller);
    m_pWork = reinterpret_cast<float*>((address + 15) & ~uintptr_t(15));
}

FftWorkBuffer::~FftWorkBuffer()
{
    dspsFree(m_pOwned);
}

} // namespace dsp::generic
