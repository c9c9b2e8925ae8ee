#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/CLightField.h"
#include "gui/graphics/CNoiseMap.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>

namespace {

std::vector<int> Values(const CShadeMap& map)
{
    return std::vector<int>(map.GetValues(), map.GetValues() + map.GetWidth() * map.GetHeight());
}

// The rand() value that follows `calls` draws after srand(seed).
int RandAfter(unsigned seed, int calls)
{
    std::srand(seed);
    for (int i = 0; i < calls; ++i)
        std::rand();
    return std::rand();
}

} // namespace

TEST(LightField, ProfilesAndTheFieldCentredOnTheirMiddle)
{
    CLightField light;
    EXPECT_EQ(light.GetProfile()[512], 2150); // sin(1.59) * 716.8 + 1433.6
    light.BuildRampTable(0, 1024, RampShape::Mirrored);
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(light.GetProfile()[i], 2 * i);
        ASSERT_EQ(light.GetProfile()[1023 - i], 2 * i);
    }
    light.BuildRampTable(100, -924, RampShape::Rising);
    EXPECT_EQ(light.GetProfile()[0], 100);
    EXPECT_EQ(light.GetProfile()[1023], -923);

    light.BuildRampTable(0, 1024, RampShape::Rising);
    light.BuildField(6, 4, 0.0f, 0.0f); // no slope: every value is the middle
    EXPECT_EQ(Values(light.GetField()), std::vector<int>(24, 512));

    light.BuildField(40, 30, 1.0f, 0.5f);
    const CShadeMap& f = light.GetField();
    EXPECT_NEAR(f.GetValues()[14 * 40 + 20], 512, 1);
    EXPECT_LT(f.GetValues()[0], f.GetValues()[29 * 40 + 39]); // the band rises across
    light.BuildField(0, 5, 1.0f, 1.0f);
    EXPECT_EQ(light.GetField().GetValues(), nullptr);
}

TEST(NoiseMap, SeedsRangeAndReseeding)
{
    CNoiseMap a, b;
    std::srand(7);
    a.Generate(64, 64);
    std::srand(7);
    b.Generate(64, 64);
    EXPECT_EQ(Values(a.GetMap()), Values(b.GetMap()));
    for (int v : Values(a.GetMap())) {
        ASSERT_GE(v, 1442);
        ASSERT_LE(v, 1629);
    }
    // One draw to start, one at value 0 and one more every 4096 values.
    const struct {
        int width, height, draws;
    } cases[] = {{4096, 1, 2}, {4097, 1, 3}, {64, 128, 3}, {1, 1, 2}};
    for (const auto& c : cases) {
        std::srand(11);
        a.Generate(c.width, c.height);
        const int next = std::rand();
        EXPECT_EQ(next, RandAfter(11, c.draws)) << c.width << "x" << c.height;
    }
    a.Generate(0, 3);
    EXPECT_EQ(a.GetWidth(), 0);
    EXPECT_EQ(a.GetMap().GetValues(), nullptr);
}

// Multiply with a source: its alpha (0 outside it) mixes the shade with the old byte.
// The region is cut to the map and the bitmap on every side.
TEST(ShadeMap, ModesSourceAlphaAndCutRegions)
{
    const uint32_t Before = 0x80102030;
    const struct {
        ShadeMode mode;
        int value, level, k2, k1, k0;
        uint32_t after;
    } cases[] = {
        {ShadeMode::Scale, 256, 256, 65536, 32768, 0, 0x80FF8000},
        {ShadeMode::OnBase, -16, 256, 0, 0, 0, 0x80404040}, // grey 80 less 16
        {ShadeMode::Multiply, 4096, 256, 0, 0, 0, 0x80204060},
        {ShadeMode::Add, 80, 256, 0, 0, 0, 0x801A2A3A},               // an eighth of 80
        {ShadeMode::Add, -2000, 256, 0, 0, 0, 0x80000000},            // held at 0
        {ShadeMode::Table, 1600, 256, 8000, 8000, 8000, 0x00C3C3C3},  // 1600 * 8000 >> 16, alpha too
        {ShadeMode::Table, -1600, 256, 8000, 8000, 8000, 0x00000000}, // below the table: its first entry
        {static_cast<ShadeMode>(5), 80, 256, 0, 0, 0, Before},
    };
    CBitmapDC dc;
    dc.Create(2, 1, 32);
    CShadeMap map;
    map.Create(1, 1);
    for (const auto& c : cases) {
        dc.Fill(Before);
        map.GetValues()[0] = static_cast<int16_t>(c.value);
        ShadeParams p = {c.mode, c.k2, c.k1, c.k0, 0x505050, c.level, 0, 0};
        map.ApplyToBitmap(&dc, nullptr, 1, 0, 0, 0, -1, -1, p);
        EXPECT_EQ(dc.GetBits()[1], c.after) << int(c.mode) << " " << c.value;
        EXPECT_EQ(dc.GetBits()[0], Before);
    }

    {
        CBitmapDC dc, source;
        dc.Create(2, 1, 32);
        source.Create(2, 1, 32);
        source.GetBits()[0] = 0xFF000000;
        source.GetBits()[1] = 0x00000000;
        CShadeMap map;
        map.Create(2, 1);
        map.GetValues()[0] = map.GetValues()[1] = 4096;
        dc.Fill(0x80102030);
        ShadeParams p = {ShadeMode::Multiply, 0, 0, 0, 0, 256, 1, 0}; // read one pixel right
        map.ApplyToBitmap(&dc, &source, 0, 0, 0, 0, -1, -1, p);
        EXPECT_EQ(dc.GetBits()[0], 0x800F1F2Fu); // alpha 0: the old byte * 255 / 256
        EXPECT_EQ(dc.GetBits()[1], 0x800F1F2Fu); // outside the source: alpha 0
        p.sourceX = 0;
        dc.Fill(0x80102030);
        map.ApplyToBitmap(&dc, &source, 0, 0, 0, 0, 1, 1, p);
        EXPECT_EQ(dc.GetBits()[0], 0x801F3F5Fu); // alpha 255: the doubled byte * 255 / 256
    }

    {
        const struct {
            int dx, dy, mx, my, width, height;
            int changed; // pixels of the 5 x 4 bitmap
        } cases[] = {
            {0, 0, 0, 0, -1, -1, 9}, {3, 2, 0, 0, -1, -1, 4}, {-2, 0, 0, 0, -1, -1, 3}, {0, 0, 1, 2, -1, -1, 2},
            {0, 0, -1, 0, 2, 2, 2},  {0, 0, 3, 0, -1, -1, 0}, {5, 0, 0, 0, -1, -1, 0},  {1, 1, 0, 0, 2, 1, 2},
        };
        CBitmapDC dc;
        dc.Create(5, 4, 32);
        CShadeMap map;
        map.Create(3, 3);
        std::fill_n(map.GetValues(), 9, int16_t(80));
        const ShadeParams p = {ShadeMode::Add, 0, 0, 0, 0, 256, 0, 0};
        for (const auto& c : cases) {
            dc.Fill(0);
            map.ApplyToBitmap(&dc, nullptr, c.dx, c.dy, c.mx, c.my, c.width, c.height, p);
            int changed = 0;
            for (int i = 0; i < 20; ++i)
                changed += dc.GetBits()[i] != 0;
            EXPECT_EQ(changed, c.changed) << c.dx << "," << c.dy << " " << c.mx << "," << c.my;
        }
        map.ApplyToBitmap(nullptr, nullptr, 0, 0, 0, 0, -1, -1, p);
        CShadeMap none;
        EXPECT_EQ(none.Create(-1, 4), nullptr);
        EXPECT_EQ(none.Create(65536, 65536), nullptr); // a count past 32 bits
    }
}
