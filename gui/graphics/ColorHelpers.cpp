#include "gui/graphics/ColorHelpers.h"
#include <algorithm>

namespace {
const int kByteMax = 255;

int ByteOf(uint32_t color, int index)
{
    return (color >> (8 * index)) & kByteMax;
}

uint32_t FromByteValues(int byte0, int byte1, int byte2)
{
    auto limit = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, kByteMax)); };
    return limit(byte0) | limit(byte1) << 8 | limit(byte2) << 16;
}

// Truncation toward zero, kept within int range so a wild factor cannot overflow.
int Truncate(float value)
{
    return static_cast<int>(std::clamp(value, -1.0f, 1.0e6f));
}
} // namespace

uint32_t ScaleColor(uint32_t color, float factor)
{
    auto scaled = [&](int index) { return Truncate(ByteOf(color, index) * factor); };
    return FromByteValues(scaled(0), scaled(1), scaled(2));
}

uint32_t MixColors(uint32_t first, uint32_t second, float fraction)
{
    auto mixed = [&](int index) {
        return Truncate(ByteOf(first, index) * fraction + ByteOf(second, index) * (1.0f - fraction));
    };
    return FromByteValues(mixed(0), mixed(1), mixed(2));
}

uint32_t SwapRedBlue(uint32_t color)
{
    return (color & 0xFF00FF00u) | (color & 0xFFu) << 16 | (color >> 16 & 0xFFu);
}

uint32_t AddColorOffsets(uint32_t color, int offset0, int offset1, int offset2)
{
    return FromByteValues(ByteOf(color, 0) + offset0, ByteOf(color, 1) + offset1, ByteOf(color, 2) + offset2);
}

uint32_t ColorFromBytes(const uint8_t* bytes)
{
    if (!bytes)
        return 0;
    return static_cast<uint32_t>(bytes[0]) << 16 | bytes[1] << 8 | bytes[2];
}
