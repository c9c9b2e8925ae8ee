#include "analysis/CFirFilter.h"
#include "analysis/EngineBuffers.h"
#include "signal/Dsp.h"

namespace {
const int kMaxOrder = 20;
const int kBlackmanWindow = 1;
} // namespace

CFirFilter::CFirFilter() : m_spec(nullptr), m_tapsCount(0), m_transformLength(0)
{}

CFirFilter::~CFirFilter()
{
    Release();
}

void CFirFilter::Release()
{
    FreeRealFft(&m_spec);
    m_tapsCount = m_transformLength = 0;
}

bool CFirFilter::Setup(int order)
{
    Release();
    if (order < 2 || order > kMaxOrder)
        return false;
    m_spec = AllocRealFft(order + 1, FftScaleNone);
    if (!m_spec)
        return false;
    m_tapsCount = (1 << order) + 1;
    m_transformLength = 1 << (order + 1);
    return true;
}

float* CFirFilter::Design(float cutoffHz, float rateHz, double gain)
{
    if (!m_spec || !(rateHz > 0.0f))
        return nullptr;
    const double relative = static_cast<double>(cutoffHz) / rateHz;
    if (!(relative > 0.0 && relative < 0.5))
        return nullptr;
    double* taps = dspsMalloc_64f(m_tapsCount);
    float* padded = AllocZeroedFloats(m_transformLength + 1);
    float* spectrum = AllocZeroedFloats(m_transformLength + 2);
    bool ok = taps && padded && spectrum;
    if (ok) {
        ok = dspsFIRGenLowpass_64f(relative, taps, m_tapsCount, kBlackmanWindow, 1) == StatusOk &&
             dspsMulC_64f_I(gain, taps, m_tapsCount) == StatusOk;
    }
    if (ok) {
        for (int i = 0; i < m_tapsCount; ++i)
            padded[i] = static_cast<float>(taps[i]);
        ok = dspsFFTFwd_RToCCS_32f(padded, spectrum, m_spec, nullptr) == StatusOk;
    }
    dspsFree(taps);
    dspsFree(padded);
    if (!ok) {
        dspsFree(spectrum);
        return nullptr;
    }
    return spectrum;
}
