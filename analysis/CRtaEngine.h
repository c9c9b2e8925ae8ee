#pragma once
#include "analysis/CBandBank.h"
#include "analysis/CBiquadCascade.h"
#include "analysis/CFftBlock.h"
#include "analysis/CFirFilter.h"
#include "analysis/RtaFilterTables.h"
#include "common/CMutex.h"
#include "common/CRowBuffer.h"
#include "common/CTrackedValue.h"
#include <atomic>
#include <cstdint>

class CRtaBandFilter;
struct RealFftSpec;

// Fractional-octave analyser of a mono stream at 16-bit scale: a 4096-point
// Blackman-windowed FFT every 1024 samples for the upper bands, band-pass
// filters on decimated copies for the lowest ones, and a moving average over
// 1..999 results. Levels are dB relative to full scale.
//
// Threads: the owner's GUI thread calls Setup and SetAverages, its worker
// thread PushSamples, FetchBands and GetBandCount (no lock).
// Locks: the engine lock covers Setup, PushSamples with the whole analysis, and
// FetchBands; the averaging lock covers SetAverages, and the analysis, already
// holding the engine lock, only tries it, so the two are never awaited in
// opposite orders.
// Buffers: Setup allocates every array (library memory) and Release, from the
// next Setup or the destructor, frees them; PushSamples allocates nothing, and
// FetchBands copies out under the lock. Stop the worker before destroying.
// Overrun: none inside; a busy averaging lock costs that one result its place
// in the average, and result-ready still rises.
// Failure: a Setup that cannot get memory or its FFT leaves the engine
// disabled; PushSamples and FetchBands then do nothing.
class CRtaEngine {
public:
    static constexpr int kFrame = 4096;
    static constexpr int kHop = 1024;
    static constexpr int kRingSlots = kFrame / kHop;
    static constexpr int kMaxBands = 256;
    static constexpr int kFilterSlots = 32;
    static constexpr int kHistorySlots = 1000;
    static constexpr int kMaxAverages = 999;
    // FFT bands whose bin sums run side by side.
    static constexpr int kFftBandsAtOnce = 4;
    // Rows of the low-band chain: the decimated streams 0..4 (DecimatedStreams), then the outputs of
    // the decimators that feed streams 1..4.
    static constexpr int kDecimatedStreams = 1 + kRtaDecimators;
    static constexpr int kStreamRows = kDecimatedStreams + kRtaDecimators;

    CRtaEngine();
    virtual ~CRtaEngine();
    CRtaEngine(const CRtaEngine&) = delete;
    CRtaEngine& operator=(const CRtaEngine&) = delete;

    // resolution 0: 31 bands of 1/3 octave, 1: 63 of 1/6 octave. averages is
    // held to 1..999. False, leaving the engine disabled, on bad arguments or
    // when memory or the FFT cannot be had.
    bool Setup(int resolution, int sampleRate, int averages);
    void Release();
    // Runs one analysis for every 1024 samples completed.
    void PushSamples(const int32_t* samples, int count);
    // Copies the band levels (GetBandCount floats) and clears the ready flag;
    // false when not set up.
    bool FetchBands(float* out);
    int GetBandCount() const { return m_bandCount.load(std::memory_order_acquire); }
    // Held to 1..999; the window at once covers the valid results among the
    // last n.
    void SetAverages(int n);

    bool IsResultReady() const { return m_resultReady.load(std::memory_order_acquire); }
    int GetAverages() const { return m_averages; }
    int GetAveragedCount() const { return m_count; }
    int GetHopFill() const { return m_hopFill; }

private:
    bool Allocate(int resolution, int sampleRate);
    bool AllocateHistory();
    void BuildBandFilters(int resolution, int sampleRate);
    void DeleteBandFilters();
    void AnalyseBlock();
    void Decimate();
    void ComputeBandValues();
    void ComputeBandBins();
    void FftBandValues(int first, int count);
    void Average();

    std::atomic<bool> m_resultReady;
    float* m_binPowers;
    float* m_ring;
    float* m_frame;
    float* m_lowPassed;
    // The ring holds the last kFrame samples a hop to a slot; the newest hop,
    // filling, at slot m_ringSlot (m_newHop).
    float* m_newHop;
    int m_ringSlot;
    float* m_spectrum;
    float* m_window;
    float* m_bandValues;
    float* m_bandLevels;
    RealFftSpec* m_fftSpec;
    unsigned char* m_fftWork;
    bool m_enabled;
    int m_hopFill;
    CBandBank m_bands;
    std::atomic<int> m_bandCount;
    CFftBlock m_convolution;
    CFirFilter m_lowPassDesigner;
    CRowBuffer m_streamRows;
    CMutex m_averagingLock;
    CMutex m_engineLock;
    CRowBuffer m_history;
    int m_valid[kHistorySlots];
    float* m_slots[kHistorySlots];
    float* m_sums;
    int m_writeIndex;
    int m_averages;
    int m_count;
    float* m_tapsSpectrum;
    float* m_streams[kStreamRows];
    CBiquadCascade m_decimators[kRtaDecimators];
    CRtaBandFilter* m_bandFilters[kFilterSlots];
    CTrackedValue m_averagesTracker;
    // Per band, the bins its edges fall in and the parts of them inside the
    // band, worked out once per set-up rather than for every result.
    struct BandBins {
        int lo, hi;
        double wLo, wHi;
    };
    BandBins m_bandBins[kMaxBands];
};
