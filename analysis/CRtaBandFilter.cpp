#include "analysis/CRtaBandFilter.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
const int kDefaultSamplesPerMean = 10;

int StreamIndex(int decimation)
{
    switch (decimation) {
    case 16: return 0;
    case 32: return 1;
    case 64: return 2;
    case 128: return 3;
    case 256: return 4;
    default: return -1;
    }
}
} // namespace

CRtaBandFilter::CRtaBandFilter()
    : m_samplesPerMean(kDefaultSamplesPerMean), m_decimation(0), m_output(nullptr), m_bufferLength(0), m_outputCount(0),
      m_counter(0), m_sumSquares(0.0f), m_lastRms(0.0f), m_smoothers(), m_coefficient(0.5f), m_level(0.0f)
{}

CRtaBandFilter::~CRtaBandFilter()
{
    std::free(m_output);
}

bool CRtaBandFilter::Init(const double (*denominators)[6], const double (*numerators)[6], float gain, int order,
                          int decimation, int bufferLength)
{
    std::free(m_output);
    m_output = nullptr;
    m_bufferLength = 0;
    m_outputCount = m_counter = 0;
    m_sumSquares = m_lastRms = m_level = 0.0f;
    std::fill(m_smoothers, m_smoothers + 4, 0.0f);
    m_decimation = decimation;
    m_samplesPerMean = kDefaultSamplesPerMean;
    m_coefficient = 0.5f;
    if (bufferLength < 1 || !m_bandPass.Design(denominators, numerators, gain, order))
        return false;
    m_output = static_cast<float*>(std::calloc(bufferLength, sizeof(float)));
    if (!m_output)
        return false;
    m_bufferLength = bufferLength;
    return true;
}

void CRtaBandFilter::SetSamplesPerMean(int samples)
{
    m_samplesPerMean = std::max(samples, 1);
    m_counter = std::min(m_counter, m_samplesPerMean - 1);
}

const DecimatedStream* CRtaBandFilter::StreamOf(const DecimatedStreams& streams) const
{
    const int s = StreamIndex(m_decimation);
    return s >= 0 && m_output && streams.stream[s].samples ? &streams.stream[s] : nullptr;
}

void CRtaBandFilter::Process(const DecimatedStreams& streams)
{
    const DecimatedStream* stream = StreamOf(streams);
    m_outputCount = 0;
    if (!stream)
        return;
    const float* in = stream->samples;
    for (int left = stream->count; left > 0;) {
        const int n = std::min(left, m_bufferLength);
        m_bandPass.Filter(in, m_output, n);
        Accumulate(m_output, n);
        m_outputCount = n;
        in += n;
        left -= n;
    }
}

void CRtaBandFilter::ProcessPair(CRtaBandFilter& a, CRtaBandFilter& b, const DecimatedStreams& streams)
{
    const DecimatedStream* stream = a.StreamOf(streams);
    if (!stream || stream != b.StreamOf(streams) || a.m_bufferLength != b.m_bufferLength) {
        a.Process(streams);
        b.Process(streams);
        return;
    }
    a.m_outputCount = b.m_outputCount = 0;
    const float* in = stream->samples;
    for (int left = stream->count; left > 0;) {
        const int n = std::min(left, a.m_bufferLength);
        CBiquadCascade::FilterPair(a.m_bandPass, b.m_bandPass, in, a.m_output, b.m_output, n);
        AccumulatePair(a, b, n);
        a.m_outputCount = b.m_outputCount = n;
        in += n;
        left -= n;
    }
}

// The sum of squares and the smoothers' chain are carried in double, as the processor's 53-bit
// registers carried them; what later blocks and readers see is stored as float.
inline bool CRtaBandFilter::AddSquare(double& sum, float y)
{
    sum += static_cast<double>(y) * y;
    return ++m_counter >= m_samplesPerMean;
}

void CRtaBandFilter::CompleteMean(double sum)
{
    const double rms = std::sqrt(sum / m_counter);
    m_lastRms = static_cast<float>(rms);
    m_counter = 0;
    // Each smoother moves from its stored value towards the one before it, as just computed.
    double chained = rms * rms;
    for (float& smoother : m_smoothers) {
        const double old = smoother;
        chained = old + m_coefficient * (chained - old);
        smoother = static_cast<float>(chained);
    }
    m_level = static_cast<float>(std::sqrt(chained));
}

void CRtaBandFilter::Accumulate(const float* y, int count)
{
    double sum = m_sumSquares;
    for (int i = 0; i < count; ++i) {
        if (AddSquare(sum, y[i])) {
            CompleteMean(sum);
            sum = 0.0;
        }
    }
    m_sumSquares = static_cast<float>(sum);
}

// a.Accumulate and b.Accumulate of their outputs, sample by sample side by side: the two
// chains of dependent steps overlap.
void CRtaBandFilter::AccumulatePair(CRtaBandFilter& a, CRtaBandFilter& b, int count)
{
    double sumA = a.m_sumSquares, sumB = b.m_sumSquares;
    for (int i = 0; i < count; ++i) {
        if (a.AddSquare(sumA, a.m_output[i])) {
            a.CompleteMean(sumA);
            sumA = 0.0;
        }
        if (b.AddSquare(sumB, b.m_output[i])) {
            b.CompleteMean(sumB);
            sumB = 0.0;
        }
    }
    a.m_sumSquares = static_cast<float>(sumA);
    b.m_sumSquares = static_cast<float>(sumB);
}

float CRtaBandFilter::GetLevel() const
{
    return m_level;
}
