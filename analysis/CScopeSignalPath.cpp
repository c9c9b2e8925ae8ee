#include "analysis/CScopeSignalPath.h"
#include "analysis/Saturate.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
// Work blocks start this big (2048 samples, more than a capture block) so the capture thread rarely
// grows them; they grow for longer blocks.
const int kWorkBytes = 4096;
// A power of two above any envelope delay in use.
const int kAlignDelayLength = 4096;
const int kEnvelopePoles = 5;

// Tuning until the application sets its own: searchStart + searchLength within samplesPerRead, and
// samplesPerRead wider than a display window. The lead is the application's, not read here.
const int32_t kDefaultLead = 4000;
const int32_t kDefaultSamplesPerRead = 16384;
const int32_t kDefaultSearchLength = 8192;
const int32_t kDefaultSearchStart = 2048;

// Display parameters until SetDisplayParams: a slow envelope A (Q8 factor 6/256 in bits 4..11), a faster
// envelope B (50/256), and the delay of B and the raw stream behind A.
const int kDefaultCoefficientA = 100;
const int kDefaultEnvelopeDelay = 150;
const int kDefaultCoefficientB = 800;

// The DC blocker works in Q8 with a coefficient of 1/2048 (corner near 3.7 Hz at 48 kHz) and puts out
// half the input's amplitude.
const int kDcInputShift = 8;
const int kDcCoefficientShift = 11;
const int kDcOutputShift = 9;

// Null for a count whose bytes an int cannot hold: the wrapped size would pass for a small block.
int16_t* Samples(CMemBlock& block, int count)
{
    const int64_t bytes = static_cast<int64_t>(count) * static_cast<int64_t>(sizeof(int16_t));
    if (bytes > INT32_MAX)
        return nullptr;
    return reinterpret_cast<int16_t*>(block.Resize(static_cast<int>(bytes)));
}
} // namespace

CScopeSignalPath::CScopeSignalPath()
    : m_leadTuning(kDefaultLead), m_samplesPerRead(kDefaultSamplesPerRead), m_searchLength(kDefaultSearchLength),
      m_searchStart(kDefaultSearchStart), m_ready(false), m_ringBytes(0), m_envelopeDelay(0), m_delayBase(0),
      m_envelopeA(), m_envelopeB(), m_dcState(0)
{}

CScopeSignalPath::~CScopeSignalPath()
{
    Reset();
}

void CScopeSignalPath::SetTuning(int32_t lead, int32_t samplesPerRead, int32_t searchLength, int32_t searchStart)
{
    m_leadTuning = lead;
    m_samplesPerRead = samplesPerRead;
    m_searchLength = searchLength;
    m_searchStart = searchStart;
}

bool CScopeSignalPath::Setup(int ringBytes, int rawDelayLength)
{
    Reset();
    if (ringBytes < 2)
        return false;
    Create(kRings, ringBytes, nullptr);
    m_ringBytes = ringBytes;
    for (CMemBlock* block : {&m_inputBlock, &m_dcFreeBlock, &m_envelopeABlock, &m_envelopeBBlock}) {
        if (!block->Resize(kWorkBytes))
            return false;
    }
    if (!m_rawDelay.Init(rawDelayLength) || !m_envelopeBDelay.Init(kAlignDelayLength) ||
        !m_rawAlignDelay.Init(kAlignDelayLength))
        return false;
    m_rawDelay.SetDelay(m_delayBase);
    SetDisplayParams(kDefaultCoefficientA, kDefaultEnvelopeDelay, kDefaultCoefficientB);
    m_ready = true;
    return true;
}

void CScopeSignalPath::SetDisplayParams(int coefficientA, int envelopeDelay, int coefficientB)
{
    m_envelopeA.Init(coefficientA, kEnvelopePoles);
    m_envelopeB.Init(coefficientB, kEnvelopePoles);
    m_envelopeDelay = envelopeDelay;
}

bool CScopeSignalPath::Input(const int32_t* samples, int count, int gain, int delay)
{
    if (!m_ready || !samples || count < 1)
        return false;
    m_rawDelay.SetDelay(m_delayBase + delay);
    m_envelopeBDelay.SetDelay(m_envelopeDelay);
    m_rawAlignDelay.SetDelay(m_envelopeDelay);
    int16_t* block = Samples(m_inputBlock, count);
    if (!block)
        return false;
    // 64-bit product: the input gain allows samples far beyond 16 bits.
    for (int i = 0; i < count; ++i)
        block[i] = SaturateInt16((static_cast<int64_t>(gain) * samples[i]) >> 12);
    return Process(block, count);
}

bool CScopeSignalPath::Process(int16_t* samples, int count)
{
    if (!m_ready || !samples || count < 1)
        return false;
    int16_t* dcFree = Samples(m_dcFreeBlock, count);
    int16_t* envA = Samples(m_envelopeABlock, count);
    int16_t* envB = Samples(m_envelopeBBlock, count);
    if (!dcFree || !envA || !envB)
        return false;
    m_rawDelay.ProcessInPlace(samples, count);
    BlockDc(samples, dcFree, count);
    m_envelopeA.Process(dcFree, envA, count);
    m_envelopeB.Process(dcFree, envB, count);
    m_envelopeBDelay.ProcessInPlace(envB, count);
    m_rawAlignDelay.ProcessInPlace(samples, count);
    void* const streams[kRings] = {samples, envA, envB};
    Put(streams, count * static_cast<int>(sizeof(int16_t)), false, false);
    return true;
}

void CScopeSignalPath::BlockDc(const int16_t* in, int16_t* out, int count)
{
    for (int i = 0; i < count; ++i) {
        const int32_t x = in[i] * (1 << kDcInputShift);
        m_dcState += (x - m_dcState) >> kDcCoefficientShift;
        out[i] = SaturateInt16((x - m_dcState) >> kDcOutputShift);
    }
}

bool CScopeSignalPath::ReadForDisplay(int16_t* out, int count)
{
    if (!m_ready || !out || count < 1)
        return false;
    // Never ask a ring for more than it can hold.
    const int available = std::min(m_samplesPerRead, m_ringBytes / static_cast<int>(sizeof(int16_t)));
    if (available < 1)
        return false;
    int16_t* blocks[kRings];
    for (int r = 0; r < kRings; ++r) {
        blocks[r] = Samples(m_displayBlocks[r], available * 2);
        if (!blocks[r])
            return false;
    }
    void* const dst[kRings] = {blocks[0], blocks[1], blocks[2]};
    Get(dst, available * static_cast<int>(sizeof(int16_t)), true, false);
    const int pos = FindTrigger(blocks[1], blocks[2], available);
    const int copied = std::min(count, available - pos);
    std::memcpy(out, blocks[0] + pos, copied * sizeof(int16_t));
    std::fill(out + copied, out + count, 0);
    return true;
}

int CScopeSignalPath::FindTrigger(const int16_t* envA, const int16_t* envB, int available) const
{
    const int start = std::min(std::max(m_searchStart, 0), available);
    const int length = std::min(std::max(m_searchLength, 0), available - start);
    int maxA = 0, maxB = 0, posA = 0, posB = 0;
    for (int i = 0; i < length; ++i) {
        if (envA[start + i] > maxA) {
            maxA = envA[start + i];
            posA = i;
        }
        if (envB[start + i] > maxB) {
            maxB = envB[start + i];
            posB = i;
        }
    }
    // The slower envelope decides unless its peak is under a quarter of the faster one's.
    return 4 * maxA < maxB ? posB : posA;
}

void CScopeSignalPath::Reset()
{
    if (!m_ready)
        return;
    m_ready = false;
    m_rawDelay.Free();
    m_envelopeBDelay.Free();
    m_rawAlignDelay.Free();
}
