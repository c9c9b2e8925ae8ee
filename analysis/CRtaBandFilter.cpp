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
        a.Accumulate(a.m_output, n);
        b.Accumulate(b.m_output, n);
        a.m_outputCount = b.m_outputCount = n;
        in += n;
        left -= n;
    }
}

void CRtaBandFilter::Accumulate(const float* y, int count)
{
    for (int i = 0; i < count; ++i) {
        m_sumSquares += y[i] * y[i];
        if (++m_counter < m_samplesPerMean)
            continue;
        m_lastRms = std::sqrt(m_sumSquares / m_counter);
        m_counter = 0;
        m_sumSquares = 0.0f;
        const float m = m_lastRms * m_lastRms;
        m_smoothers[0] += m_coefficient * (m - m_smoothers[0]);
        for (int k = 1; k < 4; ++k)
            m_smoothers[k] += m_coefficient * (m_smoothers[k - 1] - m_smoothers[k]);
        m_level = std::sqrt(m_smoothers[3]);
    }
}

float CRtaBandFilter::GetLevel() const
{
    return m_level;
}
