#pragma once
#include "analysis/CSilenceGate.h"
#include "analysis/CPeakHolds.h"
#include "analysis/LoudnessConfig.h"
#include "common/CMovingAverage.h"
#include <cstdint>

// One channel of the loudness engine: fixed-point K-weighting, block energy,
// gated averaging windows, two peak holds and clip runs.
class CLoudnessChannel {
public:
    static constexpr int32_t kNoValue = -100;

    CLoudnessChannel();
    CLoudnessChannel(const CLoudnessChannel&) = delete;
    CLoudnessChannel& operator=(const CLoudnessChannel&) = delete;

    void Init(const LoudnessConfig* config);
    // Shelf coefficients (a0, a1, a2, b0, b1, b2), stored in Q16.
    void SetShelf(double a0, double a1, double a2, double b0, double b1, double b2);
    // Returns the block peak (largest magnitude); 0 before Init or for bad input.
    int32_t Process(const int32_t* samples, int frames, uint32_t now);
    // Process of two channels with their weighting in one loop, faster than one after the other;
    // peaks receives each one's result.
    static void ProcessPair(CLoudnessChannel* const pair[2], const int32_t* const samples[2], int frames, uint32_t now,
                            int32_t peaks[2]);
    // Mean square of the weighted signal / 64 (full-scale constant = 2^24),
    // or kNoValue.
    int32_t GetWindowPower(int window) const;

    int32_t GetHoldA() const { return m_holds.GetA(); }
    int32_t GetHoldB() const { return m_holds.GetB(); }
    uint32_t GetClipTime() const { return m_clipTime; }
    int32_t GetWindowBlocks(int window) const;

private:
    struct Weighting;
    // What the first step of a block learns for the rest.
    struct Block {
        uint32_t peak;
        bool clipped;
        bool inRange; // the weighting may skip its saturation checks
    };

    bool Begin(const int32_t* samples, int frames, Block* block);
    int64_t Weight(const Block& block, const int32_t* samples, int frames);
    int32_t Finish(const Block& block, int64_t energy, int frames, uint32_t now);
    void Start(int frames);
    int64_t WeightSample(int32_t x);
    bool StatesInRange() const;
    bool CountClipRun(const int32_t* samples, int frames);
    int64_t WeightBlockInRange(const int32_t* samples, int frames);
    void FeedWindows(int64_t energy, int32_t peak, int frames);

    const LoudnessConfig* m_config;
    int32_t m_clipRun;
    bool m_started;
    int32_t m_hp1, m_hp2;
    int32_t m_b0, m_b1, m_b2, m_a1, m_a2;
    int32_t m_x1, m_x2, m_y1, m_y2;
    CPeakHolds m_holds;
    uint32_t m_clipTime;
    CSilenceGate m_gates[LoudnessConfig::kWindows];
    CMovingAverage m_windows[LoudnessConfig::kWindows];
    int32_t m_windowBlocks[LoudnessConfig::kWindows];
    int64_t m_integratedSum[LoudnessConfig::kWindows];
    int64_t m_integratedFrames[LoudnessConfig::kWindows];
};
