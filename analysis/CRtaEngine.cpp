#include "analysis/CRtaEngine.h"
#include "analysis/BinPowers.h"
#include "analysis/CRtaBandFilter.h"
#include "analysis/EngineBuffers.h"
#include "analysis/RtaFilterTables.h"
#include "analysis/Sse2KernelsSelected.h"
#include "signal/Dsp.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <new>

namespace {
const int kFftOrder = 12;         // kFrame points
const int kConvolutionOrder = 10; // kHop-sample blocks, 2 kHop-point transforms
const float kLowPassHz = 1350.0f;
const float kLowPassRateHz = 48000.0f; // the same filter at every rate
// Samples are converted times 2^-15: 16-bit full scale (32768) becomes 1.0.
const int kSixteenBitScaleFactor = 15;
// Stream 0 keeps every 16th low-passed sample (a rate of 3000 Hz at 48 kHz, whose Nyquist frequency lies
// above the low-pass corner); stream 1 + d every (2 << d)th output of decimator d, which filters for that step.
const int kFirstDecimation = 16;
const int kStreamLengths[DecimatedStreams::kStreams] = {
    CRtaEngine::kHop / kFirstDecimation, CRtaEngine::kHop / (kFirstDecimation * 2),
    CRtaEngine::kHop / (kFirstDecimation * 4), CRtaEngine::kHop / (kFirstDecimation * 8),
    CRtaEngine::kHop / (kFirstDecimation * 16)};
// One row holds stream 0, the longest.
const int kStreamRowBytes = kStreamLengths[0] * static_cast<int>(sizeof(float));
const int kDecimatorOrder = 8;
const int kBandPassOrder = 16;
const int kThirdOctaveSamplesPerMean = 5;
// Bin powers times 20, and a band of several bins takes 0.57 times the root of their sum: together they
// read a Blackman-windowed sine at its RMS amplitude, as the filter bands do. The window keeps 0.3046 of
// a sine's power, so 0.57 ~ 1 / sqrt(2 x 20 x 0.3046 / 4).
const float kPowerScale = 20.0f;
const float kEdgeBinFactor = 0.57f;

static_assert(CRtaEngine::kDecimatedStreams == DecimatedStreams::kStreams, "one row per decimated stream");
static_assert(1 << kFftOrder == CRtaEngine::kFrame, "the FFT covers the frame");

int ClampAverages(int n)
{
    return std::min(std::max(n, 1), CRtaEngine::kMaxAverages);
}
} // namespace

CRtaEngine::CRtaEngine()
    : m_resultReady(false), m_binPowers(nullptr), m_ring(nullptr), m_frame(nullptr), m_lowPassed(nullptr),
      m_newHop(nullptr), m_ringSlot(0), m_spectrum(nullptr), m_window(nullptr), m_bandValues(nullptr),
      m_bandLevels(nullptr), m_fftSpec(nullptr), m_fftWork(nullptr), m_enabled(false), m_hopFill(0), m_bandCount(0),
      m_valid(), m_slots(), m_sums(nullptr), m_writeIndex(0), m_averages(1), m_count(0), m_tapsSpectrum(nullptr),
      m_streams(), m_bandFilters(), m_bandBins()
{}

CRtaEngine::~CRtaEngine()
{
    m_engineLock.Lock();
    Release();
    m_engineLock.Unlock();
}

void CRtaEngine::Release()
{
    for (float** p : {&m_binPowers, &m_ring, &m_frame, &m_lowPassed, &m_spectrum, &m_window, &m_bandValues,
                      &m_bandLevels, &m_tapsSpectrum}) {
        dspsFree(*p);
        *p = nullptr;
    }
    m_newHop = nullptr;
    dspsFree(m_fftWork);
    m_fftWork = nullptr;
    FreeRealFft(&m_fftSpec);
    DeleteBandFilters();
    m_enabled = false;
}

void CRtaEngine::DeleteBandFilters()
{
    for (CRtaBandFilter*& f : m_bandFilters) {
        delete f;
        f = nullptr;
    }
}

bool CRtaEngine::Setup(int resolution, int sampleRate, int averages)
{
    m_engineLock.Lock();
    Release();
    bool ok = (resolution == 0 || resolution == 1) && sampleRate > 0 && Allocate(resolution, sampleRate);
    m_averagingLock.Lock();
    ok = ok && AllocateHistory();
    // Below 1 the mean would divide by zero.
    m_averages = ClampAverages(averages);
    m_count = 0;
    m_writeIndex = 0;
    std::fill(m_valid, m_valid + kHistorySlots, 0);
    m_averagingLock.Unlock();
    if (ok) {
        m_hopFill = 0;
        m_resultReady = false;
        m_enabled = true;
    } else {
        Release();
        m_bandCount.store(0, std::memory_order_release);
    }
    m_engineLock.Unlock();
    return ok;
}

bool CRtaEngine::Allocate(int resolution, int sampleRate)
{
    if (!m_convolution.Setup(kConvolutionOrder) || !m_lowPassDesigner.Setup(kConvolutionOrder))
        return false;
    m_tapsSpectrum = m_lowPassDesigner.Design(kLowPassHz, kLowPassRateHz, 1.0);
    if (!m_tapsSpectrum || !m_streamRows.Alloc(kStreamRowBytes, kStreamRows))
        return false;
    m_streamRows.Fill(0);
    for (int r = 0; r < kStreamRows; ++r)
        m_streams[r] = reinterpret_cast<float*>(m_streamRows.Row(r));
    for (int d = 0; d < kRtaDecimators; ++d) {
        double den[kRtaDecimatorSections][6], num[kRtaDecimatorSections][6];
        if (!RtaDecimatorRows(d, den, num) || !m_decimators[d].Design(den, num, 1.0f, kDecimatorOrder))
            return false;
    }
    BuildBandFilters(resolution, sampleRate);
    m_bands.Build(resolution, CBandBank::BinWidth(kFrame, sampleRate));
    ComputeBandBins();
    m_bandCount.store(m_bands.GetBandCount(), std::memory_order_release);
    m_fftSpec = AllocRealFft(kFftOrder, FftScaleForward);
    if (!m_fftSpec)
        return false;
    if (!AllocFftWork(m_fftSpec, &m_fftWork))
        return false;
    m_lowPassed = AllocZeroedFloats(kHop);
    for (float** p : {&m_binPowers, &m_ring, &m_frame, &m_spectrum})
        *p = AllocZeroedFloats(kFrame + 2);
    m_ringSlot = 0;
    m_newHop = m_ring;
    m_window = AllocZeroedFloats(kFrame);
    m_bandValues = AllocZeroedFloats(kMaxBands);
    m_bandLevels = AllocZeroedFloats(kMaxBands);
    if (!m_lowPassed || !m_binPowers || !m_ring || !m_frame || !m_spectrum || !m_window || !m_bandValues ||
        !m_bandLevels)
        return false;
    return dspsSet_32f(1.0f, m_window, kFrame) == StatusOk && dspsWinBlackmanStd_32f_I(m_window, kFrame) == StatusOk;
}

bool CRtaEngine::AllocateHistory()
{
    if (!m_history.Alloc(kMaxBands * static_cast<int>(sizeof(float)), kHistorySlots + 1))
        return false;
    m_history.Fill(0);
    for (int s = 0; s < kHistorySlots; ++s)
        m_slots[s] = reinterpret_cast<float*>(m_history.Row(s));
    m_sums = reinterpret_cast<float*>(m_history.Row(kHistorySlots));
    return true;
}

void CRtaEngine::BuildBandFilters(int resolution, int sampleRate)
{
    DeleteBandFilters();
    // Only 48000 and 44100 Hz have tables; at other rates the FFT measures
    // every band rather than filters without coefficients.
    const int count = RtaBandFilterCount(resolution);
    for (int band = 0; band < count; ++band) {
        double den[kRtaBandPassSections][6], num[kRtaBandPassSections][6];
        if (!RtaBandPassRows(sampleRate, resolution, band, den, num))
            return;
        CRtaBandFilter* f = new (std::nothrow) CRtaBandFilter();
        if (!f || !f->Init(den, num, 1.0f, kBandPassOrder, RtaBandDecimation(resolution, band), kStreamLengths[0])) {
            delete f;
            continue;
        }
        if (resolution == 0)
            f->SetSamplesPerMean(kThirdOctaveSamplesPerMean);
        m_bandFilters[band] = f;
    }
}

void CRtaEngine::PushSamples(const int32_t* samples, int count)
{
    if (!samples || count < 1)
        return;
    m_engineLock.Lock();
    while (m_enabled && count > 0) {
        const int n = std::min(count, kHop - m_hopFill);
        dspsConvert_32s32f_Sfs(samples, m_newHop + m_hopFill, n, kSixteenBitScaleFactor);
        samples += n;
        count -= n;
        m_hopFill += n;
        if (m_hopFill == kHop) {
            m_hopFill = 0;
            AnalyseBlock();
        }
    }
    m_engineLock.Unlock();
}

void CRtaEngine::AnalyseBlock()
{
    m_convolution.Forward(m_newHop);
    m_convolution.MultiplySpectrum(m_tapsSpectrum, m_convolution.GetSpectrum(), m_convolution.GetProduct(),
                                   m_convolution.GetSpectrumLength());
    m_convolution.Inverse(m_lowPassed, nullptr);
    Decimate();
    // The frame in time order: from the oldest hop, in the slot after the newest, to the ring's
    // end, then from its start; the oldest slot takes the next hop.
    const int oldest = (m_ringSlot + 1) % kRingSlots;
    const int split = (kRingSlots - oldest) * kHop;
    dspsMul_32f(m_window, m_ring + oldest * kHop, m_frame, split);
    if (split < kFrame)
        dspsMul_32f(m_window + split, m_ring, m_frame + split, kFrame - split);
    m_ringSlot = oldest;
    m_newHop = m_ring + oldest * kHop;
    dspsFFTFwd_RToCCS_32f(m_frame, m_spectrum, m_fftSpec, m_fftWork);
    if (Sse2KernelsSelected())
        BinPowersSse2(m_spectrum, m_binPowers, kFrame / 2, kPowerScale);
    else
        BinPowersGeneric(m_spectrum, m_binPowers, kFrame / 2, kPowerScale);
    ComputeBandValues();
    if (m_averagingLock.TryLock()) {
        Average();
        m_averagingLock.Unlock();
    }
    m_resultReady.store(true, std::memory_order_release);
}

void CRtaEngine::Decimate()
{
    float* const stream0 = m_streams[0];
    for (int k = 0; k < kStreamLengths[0]; ++k)
        stream0[k] = m_lowPassed[kFirstDecimation * k];
    DecimatedStreams streams;
    streams.stream[0] = {stream0, kStreamLengths[0]};
    // The decimators all read stream 0, two at a time.
    for (int d = 0; d < kRtaDecimators; d += 2)
        CBiquadCascade::FilterPair(m_decimators[d], m_decimators[d + 1], stream0, m_streams[kDecimatedStreams + d],
                                   m_streams[kDecimatedStreams + d + 1], kStreamLengths[0]);
    for (int d = 0; d < kRtaDecimators; ++d) {
        const float* const decimated = m_streams[kDecimatedStreams + d];
        const int step = 2 << d;
        float* const stream = m_streams[1 + d];
        for (int k = 0; k < kStreamLengths[1 + d]; ++k)
            stream[k] = decimated[step * k];
        streams.stream[1 + d] = {stream, kStreamLengths[1 + d]};
    }
    // Neighbouring filters of one stream run two at a time.
    for (int i = 0; i < kFilterSlots; ++i) {
        CRtaBandFilter* const f = m_bandFilters[i];
        CRtaBandFilter* const next = i + 1 < kFilterSlots ? m_bandFilters[i + 1] : nullptr;
        if (f && next && f->GetDecimation() == next->GetDecimation()) {
            CRtaBandFilter::ProcessPair(*f, *next, streams);
            ++i;
        } else if (f) {
            f->Process(streams);
        }
    }
}

void CRtaEngine::ComputeBandValues()
{
    const int count = m_bands.GetBandCount();
    for (int i = 0; i < count;) {
        if (i < kFilterSlots && m_bandFilters[i]) {
            m_bandValues[i] = m_bandFilters[i]->GetLevel();
            ++i;
            continue;
        }
        int n = 1;
        while (n < kFftBandsAtOnce && i + n < count && !(i + n < kFilterSlots && m_bandFilters[i + n]))
            ++n;
        FftBandValues(i, n);
        i += n;
    }
}

// Bin k covers (k - 1) .. k bin widths; the bins the band edges fall in
// count with the part of them inside the band.
void CRtaEngine::ComputeBandBins()
{
    for (int band = 0; band < m_bands.GetBandCount(); ++band) {
        const BandRecord& b = m_bands.GetBand(band);
        BandBins& bins = m_bandBins[band];
        // Bands beyond the spectrum (low rates) read the zeros above Nyquist.
        bins.lo = std::min(static_cast<int>(b.lowerBin), kFrame + 1);
        bins.hi = std::min(static_cast<int>(b.upperBin), kFrame + 1);
        bins.wLo = 1.0 - (b.lowerBin - std::floor(b.lowerBin));
        bins.wHi = b.upperBin - std::floor(b.upperBin);
    }
}

// Bands first .. first + count - 1 (count at most kFftBandsAtOnce). Each band's sum runs in its
// own order, as for a band alone; the chains of dependent additions of neighbouring bands, of
// nearly the same length, run side by side for as many bins as the shortest has. A group of
// fewer bands repeats its last.
void CRtaEngine::FftBandValues(int first, int count)
{
    static_assert(kFftBandsAtOnce == 4, "four sums side by side");
    const float* const p = m_binPowers;
    const BandBins* b[kFftBandsAtOnce];
    double s[kFftBandsAtOnce];
    int together = kFrame;
    for (int j = 0; j < kFftBandsAtOnce; ++j) {
        b[j] = &m_bandBins[first + std::min(j, count - 1)];
        s[j] =
            b[j]->lo == b[j]->hi ? 0.0 : (b[j]->wLo * p[b[j]->lo] + b[j]->wHi * p[b[j]->hi]) / (b[j]->wLo + b[j]->wHi);
        together = std::min(together, std::max(b[j]->hi - b[j]->lo - 1, 0));
    }
    const float *p0 = p + b[0]->lo + 1, *p1 = p + b[1]->lo + 1, *p2 = p + b[2]->lo + 1, *p3 = p + b[3]->lo + 1;
    double s0 = s[0], s1 = s[1], s2 = s[2], s3 = s[3];
    for (int k = 0; k < together; ++k) {
        s0 += p0[k];
        s1 += p1[k];
        s2 += p2[k];
        s3 += p3[k];
    }
    s[0] = s0;
    s[1] = s1;
    s[2] = s2;
    s[3] = s3;
    for (int j = 0; j < count; ++j) {
        const BandBins& bins = *b[j];
        if (bins.lo == bins.hi) {
            m_bandValues[first + j] = std::sqrt(m_binPowers[bins.lo]);
            continue;
        }
        double sum = s[j];
        for (int k = bins.lo + 1 + together; k < bins.hi; ++k)
            sum += p[k];
        m_bandValues[first + j] = kEdgeBinFactor * std::sqrt(static_cast<float>(sum));
    }
}

void CRtaEngine::Average()
{
    const int count = m_bands.GetBandCount();
    const int w = m_writeIndex;
    const int old = (w - m_averages + kHistorySlots) % kHistorySlots;
    m_valid[w] = 1;
    float* const slot = m_slots[w];
    const float* const oldest = m_slots[old];
    for (int j = 0; j < count; ++j) {
        m_sums[j] -= oldest[j];
        slot[j] = std::sqrt(m_bandValues[j]);
        m_sums[j] += slot[j];
    }
    m_writeIndex = (w + 1) % kHistorySlots;
    m_count = std::min(m_count + 1, m_averages);
    const float r = 1.0f / m_count;
    for (int j = 0; j < count; ++j) {
        const float mean = r * m_sums[j];
        m_bandLevels[j] = 20.0f * std::log10(mean * mean);
    }
}

void CRtaEngine::SetAverages(int n)
{
    if (!m_averagesTracker.Update(n))
        return;
    m_averagingLock.Lock();
    m_averages = ClampAverages(n);
    m_count = 0;
    if (m_sums) {
        const int count = m_bands.GetBandCount();
        std::fill(m_sums, m_sums + count, 0.0f);
        for (int k = 0; k < m_averages; ++k) {
            const int s = (m_writeIndex - m_averages + k + kHistorySlots) % kHistorySlots;
            if (!m_valid[s])
                continue;
            for (int j = 0; j < count; ++j)
                m_sums[j] += m_slots[s][j];
            ++m_count;
        }
    }
    m_averagingLock.Unlock();
}

bool CRtaEngine::FetchBands(float* out)
{
    if (!out)
        return false;
    m_engineLock.Lock();
    const bool enabled = m_enabled;
    if (enabled) {
        m_resultReady.store(false, std::memory_order_release);
        std::memcpy(out, m_bandLevels, m_bands.GetBandCount() * sizeof(float));
    }
    m_engineLock.Unlock();
    return enabled;
}
