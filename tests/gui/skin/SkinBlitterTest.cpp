#include "gui/skin/CSkinBlitter.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

// Every pixel different and opaque, so any copy shows where it came from.
uint32_t Tag(int x, int y)
{
    return 0xFF000000u | uint32_t(y) << 8 | uint32_t(x);
}

void MakeTagged(CBitmapDC& bitmap, int width, int height)
{
    bitmap.Create(width, height, 32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.GetBits()[y * width + x] = Tag(x, y);
    }
}

const SkinInsets kEights = {8, 8, 8, 8};
const SkinInsets kNone = {0, 0, 0, 0};

} // namespace

TEST(SkinBlitter, CornersStayAndTheEdgeRowAndColumnRepeat)
{
    CBitmapDC source;
    MakeTagged(source, 32, 20);
    for (StretchFill fill : {StretchFill::Solid, StretchFill::Hollow}) {
        CSkinBlitter blitter;
        ASSERT_TRUE(blitter.StretchCorners(source, kEights, 100, 40, fill));
        const CBitmapDC& out = blitter.output;
        ASSERT_EQ(out.GetWidth(), 100);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 100; ++x) {
                const int sx = x < 8 ? x : x >= 92 ? x - 68 : 7;
                const int sy = y < 8 ? y : y >= 32 ? y - 20 : 7;
                const bool inner = x >= 8 && x < 92 && y >= 8 && y < 32;
                uint32_t expected = Tag(sx, sy);
                if (fill == StretchFill::Hollow && inner)
                    expected = 0;
                else if (fill == StretchFill::Hollow && y >= 8 && y < 32)
                    expected = Tag(sx, 7); // the edges repeat the source's row above the gap
                ASSERT_EQ(At(out, x, y), expected) << x << "," << y << " hollow " << int(fill);
            }
        }
    }

    // A bottom inset below zero makes only the top band.
    CBitmapDC band;
    MakeTagged(band, 11, 2);
    CSkinBlitter blitter;
    ASSERT_TRUE(blitter.StretchCorners(band, {4, 2, 4, -1}, 30, 6, StretchFill::Solid));
    EXPECT_EQ(At(blitter.output, 0, 1), Tag(0, 1));
    EXPECT_EQ(At(blitter.output, 15, 1), Tag(3, 1));
    EXPECT_EQ(At(blitter.output, 29, 0), Tag(10, 0));
    for (int y = 2; y < 6; ++y)
        EXPECT_EQ(At(blitter.output, 5, y), 0u) << y;
}

TEST(SkinBlitter, ThreeColumnsCentreTheMiddlePieceAndRepeatTheZoneColumns)
{
    CBitmapDC source;
    MakeTagged(source, 32, 20);
    // Middle piece columns 11..19 (odd span 9), then 11..18 (even span 8): both
    // start at 46, so an even piece has one more column left of the middle.
    for (int zoneBLeft : {20, 20 - 1}) {
        CSkinBlitter blitter;
        const SkinInsets zoneA = {8, 7, 11, 11}, zoneB = {zoneBLeft, 7, 23, 11};
        ASSERT_TRUE(blitter.StretchThreeColumns(source, zoneA, zoneB, 100, 30, 50));
        const int span = zoneBLeft - 11;
        const int x0 = 46;
        const CBitmapDC& out = blitter.output;
        EXPECT_EQ(At(out, x0, 0), Tag(11, 0)) << span;
        EXPECT_EQ(At(out, x0 + span - 1, 0), Tag(zoneBLeft - 1, 0)) << span;
        EXPECT_EQ(At(out, x0 - 1, 3), Tag(8, 3));            // left gap repeats column zoneA.left
        EXPECT_EQ(At(out, x0 + span, 3), Tag(zoneBLeft, 3)); // right gap repeats column zoneB.left
        EXPECT_EQ(At(out, 99, 0), Tag(31, 0));
        EXPECT_EQ(At(out, 99, 29), Tag(31, 19)); // bottom band from row zoneA.bottom
        EXPECT_EQ(At(out, 0, 21), Tag(0, 11));
        EXPECT_EQ(At(out, 60, 15), At(out, 60, 6)); // rows between repeat the top band's last
    }
}

TEST(SkinBlitter, ThreeRowsStackTopMiddleAndBottomPiecesOfTwoColumns)
{
    CBitmapDC source;
    MakeTagged(source, 16, 30);
    const SkinInsets zoneA = {5, 4, 11, 12}, zoneB = {0, 17, 0, 26};
    for (StretchFill fill : {StretchFill::Solid, StretchFill::Hollow}) {
        CSkinBlitter blitter;
        ASSERT_TRUE(blitter.StretchThreeRows(source, zoneA, zoneB, 40, 80, 40, fill));
        const CBitmapDC& out = blitter.output;
        const int y0 = 40 - 5 / 2; // rows 12..16 centred on 40
        EXPECT_EQ(At(out, 0, y0), Tag(0, 12));
        EXPECT_EQ(At(out, 39, y0 + 4), Tag(15, 16));
        EXPECT_EQ(At(out, 20, y0 + 1), Tag(5, 13)); // the horizontal gap repeats column zoneA.left
        EXPECT_EQ(At(out, 0, 79), Tag(0, 29));
        EXPECT_EQ(At(out, 39, 76), Tag(15, 26));
        EXPECT_EQ(At(out, 2, 20), Tag(2, 3)); // upper vertical gap repeats the row above
        EXPECT_EQ(At(out, 20, 20), fill == StretchFill::Hollow ? 0u : Tag(5, 3));
        EXPECT_EQ(At(out, 20, 60), fill == StretchFill::Hollow ? 0u : Tag(5, 16));
    }
}

TEST(SkinBlitter, CornerPiecesComeFromTheAlternateAndShiftInwardAsTheFlagsSay)
{
    CBitmapDC source, alternate;
    MakeTagged(source, 32, 20);
    MakeTagged(alternate, 32, 20);
    const uint32_t alternateMark = 0x00800000; // a bit no tag of a 32 x 20 picture has
    for (int i = 0; i < 32 * 20; ++i)
        alternate.GetBits()[i] |= alternateMark;
    const SkinInsets zoneA = {8, 8, 24, 12}, zoneB = {8, 14, 24, 12};
    const struct {
        const CBitmapDC* alternate;
        uint32_t flags;
    } cases[] = {{&alternate, 0x00}, {&alternate, 0x05}, {&alternate, 0x0A}, {&alternate, 0xFF},
                 {&alternate, 0xA0}, {&alternate, 0x50}, {nullptr, 0xFF}};
    for (const auto& c : cases) {
        const uint32_t f = c.alternate ? c.flags : 0;
        const int l = (f >> 4) & 1, t = (f >> 5) & 1, r = (f >> 6) & 1, b = (f >> 7) & 1;
        const struct {
            int x, y, sx, sy;
            uint32_t piece;
        } corners[] = {{0, 0, l, t, 1}, {99, 0, 31 - r, t, 2}, {0, 39, l, 19 - b, 4}, {99, 39, 31 - r, 19 - b, 8}};
        for (int mode = 0; mode < 2; ++mode) {
            CSkinBlitter blitter;
            const CornerPieces pieces = {c.alternate, c.flags};
            ASSERT_TRUE(mode == 0
                            ? blitter.StretchCorners(source, kEights, 100, 40, StretchFill::Hollow, pieces)
                            : blitter.StretchThreeRows(source, zoneA, zoneB, 100, 40, 20, StretchFill::Hollow, pieces));
            for (const auto& corner : corners) {
                const uint32_t expected = Tag(corner.sx, corner.sy) | ((f & corner.piece) ? alternateMark : 0);
                EXPECT_EQ(At(blitter.output, corner.x, corner.y), expected)
                    << "flags " << c.flags << " mode " << mode << " at " << corner.x << "," << corner.y;
            }
            EXPECT_EQ(At(blitter.output, 0, 20) & alternateMark, 0u) << "the edges between stay the source's";
        }
    }
}

TEST(SkinBlitter, CutToSmallTargetsAndNothingToStretch)
{
    CBitmapDC source;
    MakeTagged(source, 32, 20);
    for (StretchMode mode : {StretchMode::Corners, StretchMode::ThreeRows, StretchMode::ThreeColumns}) {
        for (int height : {1, 3, 15}) {
            for (int width : {1, 3, 15, 181}) {
                CSkinBlitter blitter;
                ASSERT_TRUE(blitter.Draw(&source, StretchFill::Solid, mode, width / 2, kEights, {8, 7, 11, 11},
                                         {20, 7, 23, 11}, width, height));
                EXPECT_EQ(blitter.output.GetWidth(), width);
                EXPECT_EQ(blitter.output.GetHeight(), height);
            }
        }
    }
    // Sizes the system refuses a surface for answer false at once; visiting
    // their rows one by one took seconds each, these 60 past the test's time limit.
    for (int round = 0; round < 20; ++round)
        for (StretchMode mode : {StretchMode::Corners, StretchMode::ThreeRows, StretchMode::ThreeColumns})
            EXPECT_FALSE(CSkinBlitter().Draw(&source, StretchFill::Solid, mode, 0, kEights, {8, 7, 11, 11},
                                             {20, 7, 23, 11}, 1, INT_MAX));
    // Zones and middles whose sums wrap past the int range neither read outside
    // the source nor visit billions of rows.
    const SkinInsets low = {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, high = {0, 0, INT_MAX, INT_MAX};
    EXPECT_TRUE(
        CSkinBlitter().StretchThreeRows(source, low, low, 50, 50, INT_MIN, StretchFill::Solid, {&source, 0xF0}));
    EXPECT_TRUE(CSkinBlitter().StretchThreeRows(source, high, {INT_MAX, 0, 0, INT_MAX}, 50, 50, INT_MAX,
                                                StretchFill::Solid, {&source, 0xF0}));
    CSkinBlitter blitter;
    ASSERT_TRUE(blitter.StretchCorners(source, kEights, 100, 3, StretchFill::Solid));
    EXPECT_EQ(At(blitter.output, 0, 2), Tag(0, 19)) << "the bottom pieces come last";
    EXPECT_EQ(At(blitter.output, 99, 0), Tag(31, 17));

    // Nothing to stretch leaves the output; replication needs a real row.
    CBitmapDC empty;
    ASSERT_TRUE(blitter.StretchCorners(source, kEights, 50, 30, StretchFill::Solid));
    EXPECT_FALSE(blitter.Draw(nullptr, StretchFill::Solid, StretchMode::Corners, 0, kEights, kNone, kNone, 9, 9));
    EXPECT_FALSE(blitter.Draw(&empty, StretchFill::Solid, StretchMode::ThreeRows, 0, kEights, kNone, kNone, 9, 9));
    EXPECT_FALSE(blitter.StretchCorners(source, kEights, 0, 30, StretchFill::Solid));
    EXPECT_EQ(blitter.output.GetWidth(), 50);

    CBitmapDC target;
    target.Create(10, 10, 32);
    ReplicateRow(source, target, 0, -1, 10, 10, 0, 0);
    ReplicateColumn(source, target, -1, 0, 10, 10, 0, 0);
    ReplicateColumn(source, target, 0, 0, 0, 10, 0, 0);
    EXPECT_EQ(At(target, 5, 5), 0u);
    ReplicateRow(source, target, 28, 2, 10, 20, -3, -4); // cut on every side
    EXPECT_EQ(At(target, 0, 0), Tag(31, 2));
    EXPECT_EQ(At(target, 1, 9), 0u) << "past the source's last column nothing is read";
    ReplicateColumn(source, target, 4, 18, 20, 5, 2, 8);
    EXPECT_EQ(At(target, 9, 9), Tag(4, 19));
    EXPECT_EQ(At(target, 1, 9), 0u);
}
