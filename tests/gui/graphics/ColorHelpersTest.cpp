#include "gui/graphics/ColorHelpers.h"
#include <gtest/gtest.h>

TEST(ColorHelpers, KnownResults)
{
    const uint8_t rgb[] = {0x11, 0x22, 0x33};
    const struct {
        uint32_t got, expected;
    } cases[] = {
        {ScaleColor(0xFF102030, 2.0f), 0x00204060},
        {ScaleColor(0x00102090, 2.0f), 0x002040FF},   // over 255 is held there
        {ScaleColor(0x00FFFFFF, 0.999f), 0x00FEFEFE}, // truncated, not rounded
        {ScaleColor(0x00102030, -1.0f), 0x00000000},
        {MixColors(0xAA123456, 0xBB654321, 1.0f), 0x00123456},
        {MixColors(0xAA123456, 0xBB654321, 0.0f), 0x00654321},
        {MixColors(0x00FF0064, 0x00000000, 0.5f), 0x007F0032},
        {SwapRedBlue(0x80112233), 0x80332211},
        {AddColorOffsets(0xFF10F020, 1, 0x20, 2), 0x0012FF21},
        {ColorFromBytes(rgb), 0x00112233},
        {ColorFromBytes(nullptr), 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}
