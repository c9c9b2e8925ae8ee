#include "analysis/PeakHold.h"
#include "analysis/LoudnessReading.h"
#include "analysis/Saturate.h"
#include <algorithm>
#include <cmath>

namespace {
const uint32_t kClipForgetMs = 10000;
// The reading's floor, in dB.
const double kFloorDb = LoudnessReading::kFloor / 100.0;
} // namespace

int32_t DecayHold(int32_t hold, int32_t decay, int frames)
{
    // 64-bit products: held peaks beyond full scale (raised input gain)
    // would wrap in 32 bits.
    for (int n = frames / 64; n > 0 && hold != 0; --n)
        hold = SaturateInt32((static_cast<int64_t>(hold) * decay) >> 14);
    return hold;
}

uint32_t ForgetOldClip(uint32_t clipTime, uint32_t now)
{
    return clipTime != 0 && now - clipTime > kClipForgetMs ? 0 : clipTime;
}

int16_t PeakLevel(int32_t p)
{
    if (p <= 0)
        return LoudnessReading::kFloor;
    const double db = std::max(20.0 * std::log10(p / 32768.0), kFloorDb);
    return SaturateInt16(static_cast<int64_t>(100.0 * db));
}

int16_t PowerLevel(int64_t power)
{
    if (power <= 0)
        return LoudnessReading::kFloor;
    const double db = std::max(10.0 * std::log10(static_cast<double>(power) / 16777216.0), kFloorDb);
    return SaturateInt16(static_cast<int64_t>(100.0 * db));
}
