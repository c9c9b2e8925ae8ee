#include "gui/graphics/CNoiseMap.h"
#include <algorithm>
#include <cstdlib>

namespace {
const int ReseedPeriod = 4096;
// A linear congruential step that stirs each seed between draws.
const uint32_t StirMultiplier = 196314165u;
const uint32_t StirIncrement = 907633515u;
const int LowBits = 0x7FFF;   // 15 random bits ...
const int HalfRange = 16384;  // ... centred on 0
const int SmoothShift = 4;    // each low-pass takes 1/16 of the step
const int SecondGain = 4;     // the second pass follows four times the first
const int SecondLimit = 6000; // and is held to +-6000
const int ValueShift = 6;     // 6000 / 64 = 93 either side ...
const int ValueCentre = 1536; // ... of 1536 (2048 is unity in the multiply shade)
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
        if (i % ReseedPeriod == 0)
            x = static_cast<uint32_t>(std::rand());
        x = x * StirMultiplier + StirIncrement;
        s1 += (int(x & LowBits) - s1 - HalfRange) >> SmoothShift;
        s2 += (SecondGain * s1 - s2) >> SmoothShift;
        s2 = std::clamp(s2, -SecondLimit, SecondLimit);
        values[i] = static_cast<int16_t>((s2 >> ValueShift) + ValueCentre);
    }
}

CNoiseMap& ProgramNoiseMap()
{
    static CNoiseMap map;
    return map;
}
