#pragma once
#include "analysis/CLoudnessMeterBase.h"
#include "analysis/CPeakHolds.h"
#include "analysis/LoudnessConfig.h"
#include "common/CMutex.h"
#include <atomic>
#include <cstdint>

class CLoudnessChannel;
class CTickSource;

// Loudness and level engine: one reading per block of all channels, appended
// to a history that another thread reads without the lock.
//
// Threads: Configure runs once on the owner's thread before capture starts;
// Process runs on the capture thread under the engine's lock; ReadLatest
// (below) on one reader thread without it.
// Buffers: the history and the channels belong to the engine from Configure to
// the next Configure or the destructor; the reader owns only its copy. Stop
// capture, and the reader, before configuring again or destroying.
// Overrun: the writer never waits; a read passes on at most kMaxPassedRecords
// unread records (and fewer than the history holds), and older ones are lost.
// Failure: Configure that cannot get the history leaves an engine that
// ignores blocks; Process refuses bad input and changes nothing.
class CLoudnessMeter : public CLoudnessMeterBase {
public:
    static constexpr int kMinHistory = 3;
    static constexpr int kMaxPassedRecords = 200;

    CLoudnessMeter();
    ~CLoudnessMeter() override;

    // Once, before capture starts. False when the history cannot be had; the
    // engine then ignores blocks.
    bool Configure(const LoudnessConfig& config);
    // One block: channels[c] holds frames samples at 16-bit scale. False for
    // bad input or before Configure.
    bool Process(const int32_t* const* channels, int channelCount, int frames);
    void ResetReading(LoudnessReading* reading) override;
    // The clock behind the clip lamps; null restores the system tick count.
    void SetTickSource(CTickSource* source);

    // The reader's side (any one thread, no lock): copies the newest complete
    // reading, two records behind the writer, passing older unread records to
    // OnHistoryRecord. False when unconfigured, or when the writer came round
    // to the records being read; nothing is consumed then, so read again.
    // sequence, when given, receives the copied record's block number (negative
    // for the blank records before the second block).
    bool ReadLatest(LoudnessReading* copy, int64_t* sequence = nullptr);

    const LoudnessConfig& GetConfig() const { return m_config; }
    int GetHistoryLength() const { return m_historyLength; }
    int GetWritePos() const { return m_writePos.load(std::memory_order_acquire); }
    int GetReaderPos() const { return m_readerPos; }

private:
    void DeleteChannels();
    void FillLevels(LoudnessReading* reading, int channelCount) const;
    void UpdateOverall(LoudnessReading* reading, int32_t peak, int frames, uint32_t now);
    void FillChannelPeaks(LoudnessReading* reading, int channelCount, uint32_t now) const;
    void Publish(const LoudnessReading& reading);

    LoudnessConfig m_config;
    int m_historyLength;
    std::atomic<int> m_writePos;
    std::atomic<uint32_t> m_writeCount;
    int m_readerPos;
    CLoudnessChannel* m_channels[LoudnessConfig::kMaxChannels];
    CPeakHolds m_holds;
    uint32_t m_clipTime;
    CTickSource* m_ticks;
    CMutex m_lock;
};
