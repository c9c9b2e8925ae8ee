#include "analysis/CFftBlock.h"
#include "analysis/EngineBuffers.h"
#include "signal/Dsp.h"
#include <cstring>
#include <initializer_list>

namespace {
const int kMaxOrder = 20;
} // namespace

CFftBlock::CFftBlock()
    : m_time(nullptr), m_inverseOutput(nullptr), m_spectrum(nullptr), m_product(nullptr), m_forwardWork(nullptr),
      m_inverseWork(nullptr), m_spec(nullptr), m_spectrumLength(0), m_blockLength(0)
{}

CFftBlock::~CFftBlock()
{
    Release();
}

void CFftBlock::Release()
{
    for (float** p : {&m_time, &m_inverseOutput, &m_spectrum, &m_product}) {
        dspsFree(*p);
        *p = nullptr;
    }
    dspsFree(m_forwardWork);
    dspsFree(m_inverseWork);
    m_forwardWork = m_inverseWork = nullptr;
    FreeRealFft(&m_spec);
    m_spectrumLength = m_blockLength = 0;
}

bool CFftBlock::Setup(int order)
{
    Release();
    if (order < 1 || order > kMaxOrder)
        return false;
    const int n = 1 << order;
    m_spec = AllocRealFft(order + 1, FftScaleForward);
    if (!m_spec)
        return false;
    m_time = AllocZeroedFloats(2 * n + 2);
    m_inverseOutput = AllocZeroedFloats(2 * n + 2);
    m_spectrum = AllocZeroedFloats(2 * n + 2);
    m_product = AllocZeroedFloats(2 * n + 2);
    if (!m_time || !m_inverseOutput || !m_spectrum || !m_product || !AllocFftWork(m_spec, &m_forwardWork) ||
        !AllocFftWork(m_spec, &m_inverseWork)) {
        Release();
        return false;
    }
    m_blockLength = n;
    m_spectrumLength = 2 * n + 2;
    return true;
}

bool CFftBlock::Forward(const float* block)
{
    if (!m_spec || !block)
        return false;
    const int n = m_blockLength;
    // The second half still holds the previous block: the transform reads its input only.
    std::memcpy(m_time, m_time + n, n * sizeof(float));
    std::memcpy(m_time + n, block, n * sizeof(float));
    return dspsFFTFwd_RToCCS_32f(m_time, m_spectrum, m_spec, m_forwardWork) == StatusOk;
}

bool CFftBlock::MultiplySpectrum(const float* taps, float* spectrum, float* product, int length)
{
    if (!m_spec || !taps || length < 0 || length > m_spectrumLength)
        return false;
    if (!spectrum)
        spectrum = m_spectrum;
    if (!product)
        product = m_product;
    if (length == 0)
        length = m_spectrumLength;
    return dspsMul_32fc(reinterpret_cast<const Dsp32fc*>(taps), reinterpret_cast<const Dsp32fc*>(spectrum),
                        reinterpret_cast<Dsp32fc*>(product), length / 2) == StatusOk;
}

bool CFftBlock::Inverse(float* out, const float* spectrum)
{
    if (!m_spec || !out)
        return false;
    if (dspsFFTInv_CCSToR_32f(spectrum ? spectrum : m_product, m_inverseOutput, m_spec, m_inverseWork) != StatusOk)
        return false;
    std::memcpy(out, m_inverseOutput + m_blockLength, m_blockLength * sizeof(float));
    return true;
}
