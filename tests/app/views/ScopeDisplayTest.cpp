#include "analysis/CScopeSignalPath.h"
#include "app/views/CScopeDisplay.h"
#include "app/views/ScopeFeed.h"
#include "gui/graphics/CBitmapDC.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const uint32_t kPaper = 0x123456;
const int kExact = 4096; // one pixel per sample
const int kFullScale = 32768;

uint32_t Pixel(const CBitmapDC& dc, int x, int y)
{
    return dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF;
}

// Columns of row that are lit.
std::vector<int> RowCells(const CScopeDisplay& d, int row, int from, int to)
{
    std::vector<int> cells;
    for (int c = from; c < to; ++c)
        cells.push_back(d.GetCell(c, row));
    return cells;
}

int LitCellsInColumn(const CScopeDisplay& d, int column)
{
    int lit = 0;
    for (int r = 0; r < d.GetHeight(); ++r)
        lit += d.GetCell(column, r) != 0;
    return lit;
}

TEST(ScopeDisplay, PaletteIntensityStepAndLineLevel)
{
    CScopeDisplay display;
    const uint32_t* palette = ScopePalette();
    const uint32_t rows[][2] = {{0, 0},          {1, 0},          {2, 0x000602},   {8, 0x00280A},   {256, 0x00DB25},
                                {448, 0x85FFB7}, {511, 0xC8FFDE}, {512, 0xC8FFDE}, {8191, 0xC8FFDE}};
    for (const auto& r : rows)
        EXPECT_EQ(palette[r[0]], 0xFF000000u | r[1]) << r[0];
    for (int e = 1; e < 512; ++e) // a smooth ramp: no channel falls or jumps
        for (int shift = 0; shift < 24; shift += 8) {
            const int step = int(palette[e] >> shift & 0xFF) - int(palette[e - 1] >> shift & 0xFF);
            EXPECT_TRUE(step >= 0 && step <= 8) << e << " " << shift;
        }

    const int sizes[][3] = {{800, 300, 378}, {60, 100, 16}, {99, 100, 29}, {100, 100, 33}};
    for (const auto& s : sizes) {
        SizeScopeDisplay(display, 10, 20, 10 + s[0], 20 + s[1]);
        EXPECT_EQ(display.GetIntensity(), s[2]) << s[0] << "x" << s[1];
        EXPECT_EQ(display.GetWidth() * 1000 + display.GetHeight(), s[0] * 1000 + s[1]);
        EXPECT_EQ(display.GetLevelMargin(), 10);
    }
    const int steps[][2] = {{600, 101}, {792, 133}, {5, 1}};
    for (const auto& s : steps)
        EXPECT_EQ(ScopeStep(s[0]), s[1]) << s[0];

    int level = -1;
    const float levels[][2] = {{0.0f, 28539}, {1.2f, 32768}, {-1e30f, 0}};
    for (const auto& l : levels) {
        EXPECT_TRUE(ScopeLineLevel(l[0], &level));
        EXPECT_EQ(level, int(l[1])) << l[0];
    }
    const float inf = std::numeric_limits<float>::infinity();
    for (float wild : {std::numeric_limits<float>::quiet_NaN(), inf, -inf, 1e6f, 300.0f})
        EXPECT_FALSE(ScopeLineLevel(wild, &level)) << wild;
}

TEST(ScopeDisplay, PlotSpansLevelLinesAndBadSizes)
{
    CScopeDisplay d;
    CBitmapDC target;
    target.Create(100, 320, 32);
    target.Fill(kPaper);
    std::vector<int16_t> silence(64, 0);
    d.Plot(silence.data(), 64, kExact, kFullScale); // unsized: nothing at all
    d.DrawLevelLine(0, kFullScale);
    d.Render(target);
    EXPECT_EQ(Pixel(target, 0, 0), kPaper);
    const int empty[][4] = {{0, 0, 0, 300}, {0, 0, 64, 0}, {50, 0, 10, 300}, {0, 0, 1 << 30, 1 << 30}};
    for (const auto& r : empty) {
        d.SetArea(r[0], r[1], r[2], r[3]);
        EXPECT_FALSE(d.IsSized());
    }

    // Flat: the brightest weight (b 2000, not 2500) in the centre row only.
    d.SetArea(0, 0, 64, 300);
    d.SetIntensity(32); // weight = b
    d.Plot(silence.data(), 64, kExact, kFullScale);
    EXPECT_EQ(RowCells(d, 150, 0, 3), (std::vector<int>{62, 999, 999}));
    EXPECT_EQ(LitCellsInColumn(d, 30), 1);

    // Steep: +-20000 in one step at 300 px high is the dimmest weight, 150.
    d.SetArea(0, 0, 64, 300);
    const int16_t steep[] = {-20000, -20000, 20000};
    d.Plot(steep, 3, kExact, kFullScale);
    EXPECT_EQ(RowCells(d, 150, 0, 3), (std::vector<int>{9, 140, 0}));

    // Two full-scale samples in a row draw no segment between them.
    const int16_t clipped[][2] = {{32767, -32768}, {-32768, 32767}, {32767, 32767}, {32767, -32766}};
    for (const auto& c : clipped) {
        d.SetArea(0, 0, 64, 300);
        const int16_t s[] = {0, 0, c[0], c[1]}; // the first segment lies left of column 0
        d.Plot(s, 4, kExact, kFullScale);
        EXPECT_GT(LitCellsInColumn(d, 0), 100);
        EXPECT_EQ(LitCellsInColumn(d, 2) > 0, c[1] == -32766) << c[0] << " " << c[1];
    }

    // Level lines: a positive level lies below the centre; the padding stays dark.
    d.SetArea(0, 0, 64, 300);
    const int lines[][2] = {{0, 151}, {28539, 280}, {-28939, 19}};
    for (const auto& l : lines) {
        d.DrawLevelLine(l[0], kFullScale);
        EXPECT_EQ(RowCells(d, l[1], 62, 65), (std::vector<int>{1024, 1024, 0})) << l[0];
    }
    d.DrawLevelLine(INT_MAX, kFullScale);
    d.DrawLevelLine(INT_MIN, kFullScale);
    d.DrawLevelLine(0, 0);
    d.AddSpan(-1, 100, 0, 500);
    d.AddSpan(64 << 12, 100, 0, 500);
    d.AddSpan(0, 100, 77, 77);
    d.Plot(silence.data(), 1, kExact, kFullScale);
    d.Plot(nullptr, 64, kExact, kFullScale);
    int lit = 0;
    for (int c = 0; c < d.GetCellsPerRow(); ++c)
        lit += LitCellsInColumn(d, c);
    EXPECT_EQ(lit, 3 * 64);
}

TEST(ScopeDisplay, RenderFramesFadesAndClips)
{
    CScopeDisplay d;
    d.SetArea(0, 0, 64, 300);
    d.AddSpan(20 << 12, 8195, 20 * 256, 23 * 256); // fx 0: column 20 of rows 21 and 22 at 8192
    ASSERT_EQ(d.GetCell(20, 21), 8192);
    CBitmapDC target;
    target.Create(100, 320, 32);
    target.Fill(kPaper);
    std::vector<uint32_t> shown;
    for (int render = 1; render <= 18; ++render) {
        d.Render(target);
        shown.push_back(Pixel(target, 20, 21));
        if (render == 17)
            EXPECT_NE(d.GetCell(20, 21), 0);
    }
    EXPECT_EQ(shown[0], 0xC8FFDEu);
    EXPECT_EQ(shown[11], 0x000602u);
    EXPECT_EQ(shown[13], 0u);
    EXPECT_EQ(d.GetCell(20, 21), 0);
    // The frame: 4 px round the cells' width, 6 px corners; unlit pixels untouched.
    const int W = d.GetCellsPerRow();
    const int dark[][2] = {{0, 0}, {3, 150}, {W - 1, 150}, {W - 4, 10}, {5, 5}, {W - 6, 299}, {30, 297}};
    for (const auto& p : dark)
        EXPECT_EQ(target.GetBits()[p[1] * 100 + p[0]], 0u) << p[0] << "," << p[1];
    const int paper[][2] = {{6, 6}, {30, 150}, {W, 150}, {30, 300}, {4, 150}};
    for (const auto& p : paper)
        EXPECT_EQ(Pixel(target, p[0], p[1]), kPaper) << p[0] << "," << p[1];

    // A smaller target takes the overlapping part, frame included.
    CBitmapDC small;
    small.Create(40, 30, 32);
    small.Fill(kPaper);
    d.AddSpan(10 << 12, 1000, 8 * 256, 12 * 256);
    d.Render(small);
    EXPECT_EQ(std::vector<uint32_t>({Pixel(small, 39, 29), Pixel(small, 36, 15), Pixel(small, 12, 10)}),
              std::vector<uint32_t>({0, 0, kPaper}));
    EXPECT_EQ(Pixel(small, 10, 10), ScopePalette()[999 >> 4] & 0xFFFFFF);
    CBitmapDC none;
    d.Render(none);
}

// Weights of large panes no longer fit 16 bits: they are kept whole and the
// cells saturate.
TEST(ScopeDisplay, LargePanesKeepTheirWeights)
{
    CScopeDisplay d;
    SizeScopeDisplay(d, 0, 0, 1900, 900);
    EXPECT_EQ(d.GetIntensity(), 2583); // weight 161,437 at b 2000
    d.AddSpan(5 << 12, 161437, 10 * 256 + 192, 13 * 256);
    EXPECT_EQ(std::vector<int>({d.GetCell(5, 10), d.GetCell(5, 11), d.GetCell(6, 11), d.GetCell(5, 13)}),
              std::vector<int>({39718, 65535, 0, 0}));

    SizeScopeDisplay(d, 0, 0, 3824, 1685); // the largest window's pane
    EXPECT_EQ(d.GetIntensity(), 9681);
    std::vector<int16_t> silence(kScopeReadSamples, 0);
    d.PlotBlock(silence.data(), kScopeReadSamples, ScopeStep(3824), kFullScale);
    EXPECT_EQ(RowCells(d, 842, 1, 6), (std::vector<int>{0, 65535, 65535, 23376, 65535}));
    EXPECT_EQ(LitCellsInColumn(d, 3) + LitCellsInColumn(d, 4), 2);
}

// Pane 1's draw request: both paths read, both displays plotted with their
// level lines, display 0 rendered.
TEST(ScopeDisplay, FeedPlotsBothAndRendersTheFirst)
{
    CScopeSignalPath paths[2];
    for (CScopeSignalPath& p : paths) {
        p.SetTuning(8500, 3584, 2048, 750);
        ASSERT_TRUE(p.Setup(8192, 65536));
        p.SetDisplayParams(300, 46, 1500);
    }
    std::vector<int32_t> sine(4800);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = int32_t(std::lround(16000 * std::sin(2 * 3.14159265358979 * 440.0 * double(i) / 48000)));
    for (int b = 0; b < 10; ++b)
        paths[0].Input(sine.data() + b * 480, 480, 3700, 0);
    const int width = 784, height = 296;
    CScopeDisplay displays[2];
    for (CScopeDisplay& d : displays)
        SizeScopeDisplay(d, 0, 0, width, height);
    CBitmapDC target;
    target.Create(width, height, 32);
    target.Fill(kPaper);
    const ScopePair pair = {{&paths[0], &paths[1]}, {&displays[0], &displays[1]}};

    FeedScopePair(pair, width, 0.0f, target);
    const int upper = ((293 * 28539) >> 16) + height / 2 + 1, lower = ((293 * -28939) >> 16) + height / 2 + 1;
    EXPECT_EQ(Pixel(target, width / 2, upper), ScopePalette()[64] & 0xFFFFFF);
    EXPECT_NE(Pixel(target, width / 2, lower), kPaper);
    EXPECT_EQ(displays[1].GetCell(width / 2, upper), 1024);   // plotted, not yet rendered
    EXPECT_GT(displays[1].GetCell(width / 2, height / 2), 0); // the silent right channel's centre line
    int traced = 0;
    for (int y = 4; y < height - 4; ++y)
        traced += Pixel(target, width / 3, y) != kPaper;
    EXPECT_GT(traced, 3);

    CScopeDisplay fresh[2];
    for (CScopeDisplay& d : fresh)
        SizeScopeDisplay(d, 0, 0, width, height);
    FeedScopePair({{&paths[0], nullptr}, {&fresh[0], &fresh[1]}}, width, std::nanf(""), target);
    EXPECT_EQ(fresh[1].GetCell(width / 2, upper) + fresh[1].GetCell(width / 2, lower), 0); // no lines
    FeedScopePair({{nullptr, nullptr}, {nullptr, nullptr}}, width, 0.0f, target);
}

} // namespace
