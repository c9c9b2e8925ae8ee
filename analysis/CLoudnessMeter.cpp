#include "analysis/CLoudnessMeter.h"
#include "analysis/CLoudnessChannel.h"
#include "common/CTickSource.h"
#include "analysis/PeakHold.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace {
const int32_t kOverallClip = 32766;
const uint32_t kLampMs = 500;

bool LampLit(uint32_t clipTime, uint32_t now)
{
    return clipTime != 0 && now - clipTime < kLampMs;
}
} // namespace

CLoudnessMeter::CLoudnessMeter()
    : m_historyLength(0), m_writePos(0), m_writeCount(0), m_readerPos(0), m_channels(), m_clipTime(0),
      m_ticks(CTickSource::System())
{}

CLoudnessMeter::~CLoudnessMeter()
{
    DeleteChannels();
}

void CLoudnessMeter::DeleteChannels()
{
    for (CLoudnessChannel*& channel : m_channels) {
        delete channel;
        channel = nullptr;
    }
}

void CLoudnessMeter::SetTickSource(CTickSource* source)
{
    m_ticks = source ? source : CTickSource::System();
}

void CLoudnessMeter::ResetReading(LoudnessReading* reading)
{
    if (!reading)
        return;
    for (auto& row : reading->level)
        std::fill(row, row + LoudnessReading::kColumns, LoudnessReading::kFloor);
    std::fill(reading->peakA, reading->peakA + LoudnessReading::kColumns, LoudnessReading::kFloor);
    std::fill(reading->peakB, reading->peakB + LoudnessReading::kColumns, LoudnessReading::kFloor);
    std::fill(reading->clipLamp, reading->clipLamp + LoudnessReading::kColumns, 0);
}

bool CLoudnessMeter::Configure(const LoudnessConfig& config)
{
    DeleteChannels();
    m_config = config;
    m_config.channelCount = std::min(std::max(m_config.channelCount, 0), LoudnessConfig::kMaxChannels);
    // The reader stays two records behind the writer, so fewer than three
    // records would let it copy the one being written.
    m_config.historyLength = std::max(m_config.historyLength, kMinHistory);
    for (int c = 0; c < m_config.channelCount; ++c) {
        m_channels[c] = new (std::nothrow) CLoudnessChannel();
        if (!m_channels[c]) {
            m_config.channelCount = c;
            break;
        }
        m_channels[c]->Init(&m_config);
    }
    m_historyLength = 0;
    const bool ok = ResizeHistory(m_config.historyLength);
    if (ok)
        m_historyLength = m_config.historyLength;
    m_writePos.store(0, std::memory_order_release);
    m_writeCount.store(0, std::memory_order_release);
    m_readerPos = 0;
    m_clipTime = 0;
    m_holds.SetSpans(m_config);
    return ok;
}

bool CLoudnessMeter::Process(const int32_t* const* channels, int channelCount, int frames)
{
    if (m_historyLength < 1 || !channels || frames < 1 || channelCount < 0)
        return false;
    const int count = std::min(channelCount, m_config.channelCount);
    for (int c = 0; c < count; ++c) {
        if (!channels[c])
            return false;
    }
    m_lock.Lock();
    const uint32_t now = m_ticks->Now();
    LoudnessReading reading;
    std::memset(&reading, 0, sizeof(reading));
    int32_t overallPeak = 0;
    int c = 0;
    for (; c + 1 < count; c += 2) {
        int32_t peaks[2];
        CLoudnessChannel::ProcessPair(&m_channels[c], &channels[c], frames, now, peaks);
        overallPeak = std::max(overallPeak, std::max(peaks[0], peaks[1]));
    }
    for (; c < count; ++c)
        overallPeak = std::max(overallPeak, m_channels[c]->Process(channels[c], frames, now));
    FillLevels(&reading, count);
    UpdateOverall(&reading, overallPeak, frames, now);
    FillChannelPeaks(&reading, count, now);
    Publish(reading);
    m_lock.Unlock();
    return true;
}

void CLoudnessMeter::FillLevels(LoudnessReading* reading, int channelCount) const
{
    for (int w = 0; w < LoudnessConfig::kWindows; ++w) {
        int16_t* row = reading->level[w];
        if (m_config.windowMs[w] == 0) {
            std::fill(row, row + channelCount + 1, LoudnessReading::kFloor);
            continue;
        }
        // Summed in 64 bits: several loud channels exceed 32 bits.
        int64_t sum = 0;
        for (int c = 0; c < channelCount; ++c) {
            const int32_t power = m_channels[c]->GetWindowPower(w);
            if (power > 0)
                sum += power;
            row[c + 1] = PowerLevel(power);
        }
        row[0] = PowerLevel(sum);
    }
}

void CLoudnessMeter::UpdateOverall(LoudnessReading* reading, int32_t peak, int frames, uint32_t now)
{
    if (peak > kOverallClip)
        m_clipTime = now;
    m_clipTime = ForgetOldClip(m_clipTime, now);
    m_holds.Update(peak, frames, m_config);
    reading->peakA[0] = PeakLevel(m_holds.GetA());
    reading->peakB[0] = PeakLevel(m_holds.GetB());
    reading->clipLamp[0] = LampLit(m_clipTime, now) ? 1 : 0;
}

void CLoudnessMeter::FillChannelPeaks(LoudnessReading* reading, int channelCount, uint32_t now) const
{
    for (int c = 0; c < LoudnessConfig::kMaxChannels; ++c) {
        if (c < channelCount) {
            reading->peakA[c + 1] = PeakLevel(m_channels[c]->GetHoldA());
            reading->peakB[c + 1] = PeakLevel(m_channels[c]->GetHoldB());
            reading->clipLamp[c + 1] = LampLit(m_channels[c]->GetClipTime(), now) ? 1 : 0;
        } else {
            reading->peakA[c + 1] = LoudnessReading::kFloor;
            reading->peakB[c + 1] = LoudnessReading::kFloor;
        }
    }
}

void CLoudnessMeter::Publish(const LoudnessReading& reading)
{
    const int pos = m_writePos.load(std::memory_order_relaxed);
    // Orders the count published by the previous block before this record's
    // bytes, so a reader that sees any of them also sees that count.
    std::atomic_thread_fence(std::memory_order_release);
    std::memcpy(HistoryAt(pos), &reading, sizeof(reading));
    m_writePos.store((pos + 1) % m_historyLength, std::memory_order_release);
    m_writeCount.store(m_writeCount.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

bool CLoudnessMeter::ReadLatest(LoudnessReading* copy, int64_t* sequence)
{
    const int L = m_historyLength;
    if (!copy || L < kMinHistory)
        return false;
    const uint32_t countBefore = m_writeCount.load(std::memory_order_acquire);
    const int W = m_writePos.load(std::memory_order_acquire);
    const int R = m_readerPos;
    const int newest = (L + W - 2) % L;
    const int n = std::min(std::min((newest - R + L) % L, kMaxPassedRecords), L - 3);
    std::memcpy(copy, GetHistoryRecord(newest), sizeof(*copy));
    for (int i = (L - n + newest) % L; i != newest; i = (i + 1) % L)
        OnHistoryRecord(GetHistoryRecord(i), copy);
    std::atomic_thread_fence(std::memory_order_acquire);
    const uint32_t advanced = m_writeCount.load(std::memory_order_relaxed) - countBefore;
    // The oldest record used is rewritten once the writer has gone L - 2 - n
    // blocks further.
    if (advanced >= static_cast<uint32_t>(L - 2 - n))
        return false;
    copy->stamp = static_cast<uint32_t>(W);
    m_readerPos = newest;
    if (sequence) {
        const int lead = (W - static_cast<int>(countBefore % static_cast<uint32_t>(L)) + L) % L;
        *sequence = static_cast<int64_t>(countBefore) + lead - 2;
    }
    OnReadingsRead(copy);
    return true;
}
