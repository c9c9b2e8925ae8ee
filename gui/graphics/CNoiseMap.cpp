#include "gui/graphics/CNoiseMap.h"
#include <algorithm>
#include <cstdlib>

namespace {
const int kReseedPeriod = 4096;
// A linear congruential step that stirs each seed between draws.
const uint32_t kStirMultiplier = 196314165u;
const uint32_t kStirIncrement = 907633515u;
const int kLowBits = 0x7FFF;   // 15 random bits ...
const int kHalfRange = 16384;  // ... centred on 0
const int kSmoothShift = 4;    // each low-pass takes 1/16 of the step
const int kSecondGain = 4;     // the second pass follows four times the first
const int kSecondLimit = 6000; // and is held to +-6000
const int kValueShift = 6;     // 6000 / 64 = 93 either side ...
const int kValueCentre = 1536; // ... of 1536 (2048 is unity in the multiply shade)
} // namespace

CNoiseMap::CNoiseMap() : m_width(0), m_height(0)
{}

CNoiseMap::~CNoiseMap() = default;

void CNoiseMap::Generate(int width, int height)
{
    int16_t* values = m_map.Create(width, height);
    m_width = values ? width : 0;
    m_height = values ? height : 0;
    if (!values)
        return;
    uint32_t x = static_cast<uint32_t>(std::rand());
    int s1 = 0, s2 = 0;
    const int count = width * height;
    for (int i = 0; i < count; ++i) {
        if (i % kReseedPeriod == 0)
            x = static_cast<uint32_t>(std::rand());
        x = x * kStirMultiplier + kStirIncrement;
        s1 += (int(x & kLowBits) - s1 - kHalfRange) >> kSmoothShift;
        s2 += (kSecondGain * s1 - s2) >> kSmoothShift;
        s2 = std::clamp(s2, -kSecondLimit, kSecondLimit);
        values[i] = static_cast<int16_t>((s2 >> kValueShift) + kValueCentre);
    }
}

CNoiseMap& ProgramNoiseMap()
{
    static CNoiseMap map;
    return map;
}
