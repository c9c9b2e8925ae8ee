#pragma once
#include "analysis/CBiquadCascade.h"

// One decimated stream of the RTA's low-band chain.
struct DecimatedStream {
    const float* samples;
    int count;
};

// Streams 0..4 at 1/16, 1/32, 1/64, 1/128 and 1/256 of the sample rate.
struct DecimatedStreams {
    static constexpr int kStreams = 5;
    DecimatedStream stream[kStreams];
};

// Measures one low RTA band in the time domain: a band-pass on the stream of
// suitable rate, a mean square over a few samples, then four one-pole
// smoothers of the mean square.
class CRtaBandFilter {
public:
    CRtaBandFilter();
    ~CRtaBandFilter();
    CRtaBandFilter(const CRtaBandFilter&) = delete;
    CRtaBandFilter& operator=(const CRtaBandFilter&) = delete;

    // decimation selects the stream (16 .. 256). False, leaving a filter that
    // measures nothing, for missing tables or when memory runs out.
    bool Init(const double (*denominators)[6], const double (*numerators)[6], float gain, int order, int decimation,
              int bufferLength);
    void SetSamplesPerMean(int samples);
    void Process(const DecimatedStreams& streams);
    // a.Process and b.Process in one pass where both read the same stream.
    static void ProcessPair(CRtaBandFilter& a, CRtaBandFilter& b, const DecimatedStreams& streams);
    // The smoothed RMS amplitude; 0 until a mean has completed.
    float GetLevel() const;

    int GetDecimation() const { return m_decimation; }
    int GetSamplesPerMean() const { return m_samplesPerMean; }
    int GetOutputCount() const { return m_outputCount; }

private:
    const DecimatedStream* StreamOf(const DecimatedStreams& streams) const;
    void Accumulate(const float* y, int count);
    static void AccumulatePair(CRtaBandFilter& a, CRtaBandFilter& b, int count);
    bool AddSquare(double& sum, float y);
    void CompleteMean(double sum);

    int m_samplesPerMean;
    int m_decimation;
    CBiquadCascade m_bandPass;
    float* m_output;
    int m_bufferLength;
    int m_outputCount;
    int m_counter;
    float m_sumSquares;
    float m_lastRms;
    float m_smoothers[4];
    float m_coefficient;
    // sqrt of the last smoother, kept as a float: an x87 result returned in
    // a register would carry excess precision that differs between callers.
    float m_level;
};
