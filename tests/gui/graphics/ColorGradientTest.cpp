#include "gui/graphics/CColorGradient.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

using Direction = CColorGradient::Direction;

void SetStops(CColorGradient& g, std::vector<CColorGradient::Stop> stops)
{
    for (size_t i = 0; i < stops.size(); ++i)
        g.stops[i] = stops[i];
    g.stopCount = int(stops.size());
}

std::vector<uint32_t> Table(const CColorGradient& g)
{
    return g.GetTable() ? std::vector<uint32_t>(g.GetTable(), g.GetTable() + g.GetSize()) : std::vector<uint32_t>();
}

const CColorGradient::Stop Red = {0xFF0000, 0}, Green = {0x00FF00, 500}, Blue = {0x0000FF, 1000};

} // namespace

TEST(ColorGradient, KnownTablesAndCopiesOfEqualDescriptions)
{
    const struct {
        std::vector<CColorGradient::Stop> stops;
        Direction direction;
        bool reverse;
        float brightness;
        int size;
        std::vector<uint32_t> table;
    } cases[] = {
        // Odd entries darkened by 0.7: the mid colour 127 becomes 88.
        {{Red, Blue}, Direction::Forward, false, 1.0f, 3, {0xFF0000, 0x580058, 0x0000FF}},
        {{Red, Blue}, Direction::FromEnd, false, 1.0f, 3, {0x0000FF, 0x580058, 0xFF0000}},
        {{Red, Blue}, Direction::FromEnd, true, 1.0f, 3, {0xFF0000, 0x580058, 0x0000FF}},
        {{Red, Blue}, Direction::Forward, false, 0.5f, 3, {0x7F0000, 0x2C002C, 0x00007F}},
        {{Red, Green, Blue}, Direction::Forward, false, 1.0f, 5, {0xFF0000, 0x585800, 0x00FF00, 0x005858, 0x0000FF}},
        {{Red, Blue}, Direction::Forward, false, 1.0f, 1, {0xFF0000}}, // one entry: the start
        {{}, Direction::Forward, false, 1.0f, 4, {0xB0B0B0, 0x8C8C8C, 0xB0B0B0, 0x8C8C8C}},
        {{{0x102030, 400}}, Direction::Forward, false, 0.5f, 2, {0x102030, 0x0C1926}}, // one colour, x 0.8
        {{Red, Blue}, Direction::Forward, false, 1.0f, 0, {}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const auto& c = cases[i];
        CColorGradient g;
        SetStops(g, c.stops);
        g.direction = c.direction;
        g.reverse = c.reverse;
        g.brightness = c.brightness;
        g.BuildTable(c.size);
        EXPECT_EQ(Table(g), c.table) << "case " << i;
    }

    {
        CColorGradient built, other;
        SetStops(built, {Red, Blue});
        built.BuildTable(8);
        built.brightness = 0.5f; // the table stays the one built at 1.0
        SetStops(other, {Red, Blue});
        other.brightness = 0.5f;
        other.BuildTable(8);
        EXPECT_NE(Table(other), Table(built));
        EXPECT_TRUE(other.Equals(&built));
        other.BuildOrCopy(-1, &built);
        EXPECT_EQ(Table(other), Table(built)); // copied, not computed

        other.stops[1].color = 0x0000FE;
        other.BuildOrCopy(-1, &built);
        EXPECT_EQ(Table(other)[7], 0x7F0000u); // computed at 0.5 (the last entry is the start)
        EXPECT_FALSE(other.Equals(&built));
        EXPECT_FALSE(built.Equals(&built));
        EXPECT_FALSE(built.Equals(nullptr));

        for (int size : {0, 0x7FFFFFFF}) { // none wanted; more than memory holds
            other.BuildOrCopy(size, nullptr);
            EXPECT_EQ(other.GetTable(), nullptr);
        }
        other.stopCount = 99; // read as the 16 there are
        other.BuildTable(4);
        EXPECT_EQ(other.GetSize(), 4);
    }
}
