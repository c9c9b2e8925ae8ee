#include "gui/graphics/CBitmapDC.h"
#include "tests/common/TraceCapture.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

const uint32_t Paint = 0xFF336699u;

// Every pixel inside [left, right) x [top, bottom) is inside, every other outside.
void ExpectRegion(const CBitmapDC& dc, RECT r, uint32_t inside, uint32_t outside)
{
    for (int y = 0; y < dc.GetHeight(); ++y)
        for (int x = 0; x < dc.GetWidth(); ++x) {
            bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            ASSERT_EQ(dc.GetBits()[y * dc.GetWidth() + x], in ? inside : outside) << x << "," << y;
        }
}

} // namespace

// Zero sizes, other depths and sizes the system refuses: no DC, no pixels,
// nothing counted, and no pixel operation touches memory.
TEST(BitmapDC, LifecycleTraceAndLiveCount)
{
    const int start = CBitmapDC::GetLiveSectionCount();
    {
        CBitmapDC dc;
        dc.Create(4, 3, 32);
        ASSERT_TRUE(dc.IsCreated());
        EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), start + 1);
        dc.Create(6, 2, 32);
        EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), start + 1);
        EXPECT_EQ(dc.GetPixelCount(), 12);
        dc.Fill(Paint); // the new section is the whole size
        EXPECT_EQ(dc.GetBits()[11], Paint);

        CBitmapDC copy;
        copy.CreateCopy(dc);
        EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), start + 2);
        ExpectRegion(copy, {0, 0, 6, 2}, Paint, 0);
        copy.Destroy();
        EXPECT_FALSE(copy.IsCreated());
        EXPECT_EQ(copy.GetWidth(), 6); // the size outlives the section
    }
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), start);

    TraceCapture trace;
    CBitmapDC dc;
    dc.Create(1, 1, 32);
    dc.SetTrace(SurfaceTrace::On);
    dc.Create(3, 4, 32);
    dc.Fill(0xFF00FF);
    dc.SetTrace(SurfaceTrace::Off);
    dc.Fill(0);
    EXPECT_EQ(trace.Text(), "CBitmapDC::Create 3, 4\nCBitmapDC::Fill ff00ff\n");

    {
        const int start = CBitmapDC::GetLiveSectionCount();
        const struct {
            int width, height, bitsPerPixel;
            int readWidth, readHeight;
        } cases[] = {
            {0, 7, 32, 0, 7},          // a zero size is kept as asked
            {5, 0, 32, 5, 0},          //
            {4, 4, 8, 0, 0},           // only 32-bit surfaces are made
            {-4, 4, 32, 0, 0},         // a negative width is refused
            {4, -4, 32, 0, 0},         // a negative height would turn the rows over
            {23000, 23000, 32, 0, 0},  // 2 GB: the system refuses it
            {100000, 100000, 32, 0, 0} // beyond any section's size field
        };
        CBitmapDC source;
        source.Create(2, 2, 32);
        for (const auto& c : cases) {
            CBitmapDC dc;
            dc.Create(3, 3, 32);
            dc.Create(c.width, c.height, c.bitsPerPixel);
            EXPECT_FALSE(dc.IsCreated()) << c.width << "x" << c.height;
            EXPECT_EQ(dc.GetWidth(), c.readWidth);
            EXPECT_EQ(dc.GetHeight(), c.readHeight);
            EXPECT_EQ(dc.GetBits(), nullptr);
            EXPECT_EQ(dc.GetDC(), nullptr);
            EXPECT_FALSE(dc.CopyFrom(source, 0, 0, 0, 0, 0, 0));
            EXPECT_FALSE(source.CopyFrom(dc, 0, 0, 0, 0, 0, 0));
            dc.Fill(Paint);
            dc.FillRect(0, 0, 10, 10, Paint);
            dc.PremultiplyAlpha();
            dc.ScaleAlpha(128);
            EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), start + 1);
        }
    }
}

TEST(BitmapDC, FillRectAndCopyFrom)
{
    const struct {
        RECT asked, filled;
    } cases[] = {
        {{-5, -5, 10, 10}, {0, 0, 10, 10}}, {{5, 5, 5, 9}, {0, 0, 0, 0}},   {{10, 8, 40, 40}, {10, 8, 16, 12}},
        {{3, 4, 2, 9}, {0, 0, 0, 0}},       {{20, 0, 30, 5}, {0, 0, 0, 0}}, {{-1, 2, 17, 3}, {0, 2, 16, 3}},
    };
    CBitmapDC dc;
    dc.Create(16, 12, 32);
    for (const auto& c : cases) {
        dc.Fill(0);
        dc.FillRect(c.asked.left, c.asked.top, c.asked.right, c.asked.bottom, Paint);
        ExpectRegion(dc, c.filled, Paint, 0);
    }

    CBitmapDC source, dest;
    source.Create(9, 9, 32);
    source.Fill(Paint);
    source.FillRect(1, 1, 2, 2, 0xFF000001u);
    dest.Create(6, 5, 32);

    dest.Fill(0);
    ASSERT_TRUE(dest.CopyFrom(source, 1, 1, 1, 1, 4, 3));
    ExpectRegion(dest, {4, 3, 5, 4}, 0xFF000001u, 0);

    dest.Fill(0);
    ASSERT_TRUE(dest.CopyFrom(source, 2, 2, 0, 0, 0, 0));
    ExpectRegion(dest, {0, 0, 6, 5}, Paint, 0);
}

// One pixel value through each alpha operation's rect form; the rest stays.
TEST(BitmapDC, AlphaOperationsOnKnownPixels)
{
    const int Premultiply = INT_MIN; // in place of a level
    const struct {
        int level;
        uint32_t in, out;
    } cases[] = {
        {Premultiply, 0x80FFFFC8, 0x80808064}, // blue 200 at alpha 128 -> 100
        {Premultiply, 0x00FFFFFF, 0x00000000}, {Premultiply, 0xFF123456, 0xFF123456},
        {Premultiply, 0x01FFFFFF, 0x01010101}, {128, 0xFF123456, 0x7F123456},
        {128, 0x01123456, 0x00123456},         {256, 0xFF123456, 0xFF123456},
        {0, 0xFF123456, 0x00123456},           {512, 0x80123456, 0x80123456},
        {-3, 0x80123456, 0x00123456},
    };
    CBitmapDC dc;
    dc.Create(5, 4, 32);
    for (const auto& c : cases) {
        dc.Fill(c.in);
        if (c.level == Premultiply)
            dc.PremultiplyAlphaRect(1, 1, 3, 2);
        else
            dc.ScaleAlphaRect(1, 1, 3, 2, c.level);
        ExpectRegion(dc, {1, 1, 3, 2}, c.out, c.in);
    }
    dc.Fill(0xFF123456);
    dc.ScaleAlpha(128);
    ExpectRegion(dc, {0, 0, 5, 4}, 0x7F123456, 0);
    dc.Fill(0x80FFFFC8);
    dc.PremultiplyAlpha();
    ExpectRegion(dc, {0, 0, 5, 4}, 0x80808064, 0);
}
