#include "analysis/CLoudnessChannel.h"
#include "analysis/BlockPeak.h"
#include "analysis/PeakHold.h"
#include "analysis/Saturate.h"
#include "analysis/Sse2KernelsSelected.h"
#include <algorithm>
#include <cstdlib>

namespace {
const int32_t kHighPassCoefficient = 79; // one-pole corner near 37 Hz at 48 kHz, Q14
const int32_t kClipPositive = 32766;
const int32_t kClipNegative = -32767;
const int64_t kSampleLimit = 32768;
const int kMinIntegratedFrames = 16;
} // namespace

// The in-range weighting of one channel with its state in locals, so that one loop can run two
// channels: each channel's filter is a chain of dependent steps, and two independent chains keep
// the processor busy while either waits.
struct CLoudnessChannel::Weighting {
    explicit Weighting(const CLoudnessChannel& c)
        : hp1(c.m_hp1), hp2(c.m_hp2), x1(c.m_x1), x2(c.m_x2), y1(c.m_y1), y2(c.m_y2), b0(c.m_b0), b1(c.m_b1),
          b2(c.m_b2), a1(c.m_a1), a2(c.m_a2), energy(0)
    {}

    // For samples within 16 bits and states within StatesInRange no sum can leave 32 bits, so
    // this is the saturating arithmetic without its checks.
    void Step(int32_t sample)
    {
        const int32_t X = sample * 256;
        hp1 += (X - hp1) * kHighPassCoefficient >> 14;
        const int32_t h1 = X - hp1;
        hp2 += static_cast<int32_t>(static_cast<int64_t>(h1 - hp2) * kHighPassCoefficient >> 14);
        const int32_t h = h1 - hp2;
        const int32_t y = static_cast<int32_t>(static_cast<int64_t>(b0) * h >> 16) +
                          static_cast<int32_t>(static_cast<int64_t>(b1) * x1 >> 16) +
                          static_cast<int32_t>(static_cast<int64_t>(b2) * x2 >> 16) -
                          static_cast<int32_t>(static_cast<int64_t>(a1) * y1 >> 16) -
                          static_cast<int32_t>(static_cast<int64_t>(a2) * y2 >> 16);
        x2 = x1;
        x1 = h;
        y2 = y1;
        y1 = y;
        const int32_t e = y >> 8;
        energy += static_cast<int64_t>(e) * e >> 8;
    }

    void Store(CLoudnessChannel& c) const
    {
        c.m_hp1 = hp1;
        c.m_hp2 = hp2;
        c.m_x1 = x1;
        c.m_x2 = x2;
        c.m_y1 = y1;
        c.m_y2 = y2;
    }

    int32_t hp1, hp2, x1, x2, y1, y2;
    const int32_t b0, b1, b2, a1, a2;
    int64_t energy;
};

CLoudnessChannel::CLoudnessChannel()
    : m_config(nullptr), m_clipRun(0), m_started(false), m_hp1(0), m_hp2(0), m_b0(0), m_b1(0), m_b2(0), m_a1(0),
      m_a2(0), m_x1(0), m_x2(0), m_y1(0), m_y2(0), m_clipTime(0), m_windowBlocks(), m_integratedSum(),
      m_integratedFrames()
{}

void CLoudnessChannel::Init(const LoudnessConfig* config)
{
    m_config = config;
    m_started = false;
    if (!config)
        return;
    for (int w = 0; w < LoudnessConfig::kWindows; ++w)
        m_gates[w].Configure(config->gateLevelDb[w], config->gateHoldMs[w], config->sampleRate);
    // The pre-filter of BS.1770 for 48 kHz.
    SetShelf(1.0, -1.6906592845916748, 0.7324807643890381, 1.5351248979568481, -2.6916961669921875, 1.1983928680419922);
    m_holds.SetSpans(*config);
    m_holds.Clear();
    m_clipTime = 0;
    m_clipRun = 0;
}

void CLoudnessChannel::SetShelf(double a0, double a1, double a2, double b0, double b1, double b2)
{
    if (a0 == 0.0)
        return;
    m_b0 = static_cast<int32_t>(b0 / a0 * 65536.0);
    m_b1 = static_cast<int32_t>(b1 / a0 * 65536.0);
    m_b2 = static_cast<int32_t>(b2 / a0 * 65536.0);
    m_a1 = static_cast<int32_t>(a1 / a0 * 65536.0);
    m_a2 = static_cast<int32_t>(a2 / a0 * 65536.0);
}

void CLoudnessChannel::Start(int frames)
{
    for (int w = 0; w < LoudnessConfig::kWindows; ++w) {
        const int32_t ms = m_config->windowMs[w];
        int32_t blocks = 0;
        if (ms > 0) {
            const int64_t product = static_cast<int64_t>(m_config->sampleRate) * ms;
            // A window shorter than the first block still holds that block.
            blocks = std::max<int32_t>(1, static_cast<int32_t>(product * 0.001 / frames));
        }
        m_windowBlocks[w] = blocks;
        m_windows[w].Init(std::max<int32_t>(1, blocks), 0);
        m_integratedSum[w] = 0;
        m_integratedFrames[w] = 0;
    }
    m_started = true;
}

int64_t CLoudnessChannel::WeightSample(int32_t x)
{
    const int32_t X = SaturateInt32(static_cast<int64_t>(x) * 256);
    m_hp1 = SaturateInt32(m_hp1 + ((static_cast<int64_t>(X) - m_hp1) * kHighPassCoefficient >> 14));
    const int32_t h1 = SaturateInt32(static_cast<int64_t>(X) - m_hp1);
    m_hp2 = SaturateInt32(m_hp2 + ((static_cast<int64_t>(h1) - m_hp2) * kHighPassCoefficient >> 14));
    const int32_t h = SaturateInt32(static_cast<int64_t>(h1) - m_hp2);
    const int64_t sum = (static_cast<int64_t>(m_b0) * h >> 16) + (static_cast<int64_t>(m_b1) * m_x1 >> 16) +
                        (static_cast<int64_t>(m_b2) * m_x2 >> 16) - (static_cast<int64_t>(m_a1) * m_y1 >> 16) -
                        (static_cast<int64_t>(m_a2) * m_y2 >> 16);
    const int32_t y = SaturateInt32(sum);
    m_x2 = m_x1;
    m_x1 = h;
    m_y2 = m_y1;
    m_y1 = y;
    const int64_t e = y >> 8;
    // A 64-bit term: a loud high-frequency sample at raised input gain
    // overflows 32 bits here.
    return (e * e) >> 8;
}

bool CLoudnessChannel::StatesInRange() const
{
    return std::abs(m_hp1) <= (1 << 23) && std::abs(m_hp2) <= (1 << 24) && std::abs(m_x1) <= (1 << 25) &&
           std::abs(m_x2) <= (1 << 25) && std::abs(m_y1) <= (1 << 26) && std::abs(m_y2) <= (1 << 26);
}

int64_t CLoudnessChannel::WeightBlockInRange(const int32_t* samples, int frames)
{
    Weighting k(*this);
    for (int i = 0; i < frames; ++i)
        k.Step(samples[i]);
    k.Store(*this);
    return k.energy;
}

// True when a run of out-of-range samples reaches the configured length.
bool CLoudnessChannel::CountClipRun(const int32_t* samples, int frames)
{
    bool clipped = false;
    for (int i = 0; i < frames; ++i) {
        const int32_t x = samples[i];
        if (x > kClipPositive || x < kClipNegative) {
            m_clipRun = m_clipRun < INT32_MAX ? m_clipRun + 1 : m_clipRun;
            // A run that goes on keeps the lamp lit, not only the sample completing it.
            if (m_clipRun >= m_config->clipRunLength)
                clipped = true;
        } else {
            m_clipRun = 0;
        }
    }
    return clipped;
}

bool CLoudnessChannel::Begin(const int32_t* samples, int frames, Block* block)
{
    if (!m_config || !samples || frames < 1)
        return false;
    if (!m_started)
        Start(frames);
    const BlockPeak scan = Sse2KernelsSelected() ? BlockPeakSse2(samples, frames, kClipNegative, kClipPositive)
                                                 : BlockPeakGeneric(samples, frames, kClipNegative, kClipPositive);
    block->peak = scan.peak;
    // Any sample in range ends a clip run, so only a block with samples out
    // of range needs the run counted sample by sample.
    if (!scan.outside)
        m_clipRun = 0;
    block->clipped = scan.outside && CountClipRun(samples, frames);
    block->inRange = scan.peak <= kSampleLimit && StatesInRange();
    return true;
}

int64_t CLoudnessChannel::Weight(const Block& block, const int32_t* samples, int frames)
{
    if (block.inRange)
        return WeightBlockInRange(samples, frames);
    int64_t energy = 0;
    for (int i = 0; i < frames; ++i)
        energy += WeightSample(samples[i]);
    return energy;
}

int32_t CLoudnessChannel::Finish(const Block& block, int64_t energy, int frames, uint32_t now)
{
    const int32_t blockPeak = SaturateInt32(static_cast<int64_t>(block.peak));
    FeedWindows(energy, blockPeak, frames);
    if (block.clipped)
        m_clipTime = now;
    m_clipTime = ForgetOldClip(m_clipTime, now);
    m_holds.Update(blockPeak, frames, *m_config);
    return blockPeak;
}

int32_t CLoudnessChannel::Process(const int32_t* samples, int frames, uint32_t now)
{
    Block block;
    if (!Begin(samples, frames, &block))
        return 0;
    return Finish(block, Weight(block, samples, frames), frames, now);
}

void CLoudnessChannel::ProcessPair(CLoudnessChannel* const pair[2], const int32_t* const samples[2], int frames,
                                   uint32_t now, int32_t peaks[2])
{
    Block blocks[2];
    bool begun[2];
    for (int c = 0; c < 2; ++c)
        begun[c] = pair[c]->Begin(samples[c], frames, &blocks[c]);
    if (begun[0] && begun[1] && blocks[0].inRange && blocks[1].inRange) {
        Weighting a(*pair[0]), b(*pair[1]);
        for (int i = 0; i < frames; ++i) {
            a.Step(samples[0][i]);
            b.Step(samples[1][i]);
        }
        a.Store(*pair[0]);
        b.Store(*pair[1]);
        peaks[0] = pair[0]->Finish(blocks[0], a.energy, frames, now);
        peaks[1] = pair[1]->Finish(blocks[1], b.energy, frames, now);
        return;
    }
    for (int c = 0; c < 2; ++c)
        peaks[c] =
            begun[c] ? pair[c]->Finish(blocks[c], pair[c]->Weight(blocks[c], samples[c], frames), frames, now) : 0;
}

void CLoudnessChannel::FeedWindows(int64_t energy, int32_t peak, int frames)
{
    for (int w = 0; w < LoudnessConfig::kWindows; ++w) {
        m_gates[w].Update(peak, frames);
        if (m_gates[w].IsGated())
            continue;
        const int32_t ms = m_config->windowMs[w];
        if (ms > 0) {
            const double power = static_cast<double>(energy) / (frames * 0.25);
            m_windows[w].Push(power >= 2147483647.0 ? INT32_MAX : static_cast<int32_t>(power));
        } else if (ms == LoudnessConfig::kIntegrated) {
            m_integratedSum[w] += energy;
            m_integratedFrames[w] += frames;
        }
    }
}

int32_t CLoudnessChannel::GetWindowPower(int window) const
{
    if (!m_started || window < 0 || window >= LoudnessConfig::kWindows)
        return kNoValue;
    if (m_config->windowMs[window] == LoudnessConfig::kIntegrated) {
        if (m_integratedFrames[window] < kMinIntegratedFrames)
            return kNoValue;
        return SaturateInt32(m_integratedSum[window] / (m_integratedFrames[window] >> 2));
    }
    return m_windows[window].GetAverage();
}

int32_t CLoudnessChannel::GetWindowBlocks(int window) const
{
    return window >= 0 && window < LoudnessConfig::kWindows ? m_windowBlocks[window] : 0;
}
