#include "analysis/CScopeSignalPath.h"
#include "app/views/CScopeDisplay.h"
#include "app/views/ScopeFeed.h"
#include "gui/graphics/CBitmapDC.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

const uint32_t kPaper = 0x123456;
const int kExact = 4096; // one pixel per sample
const int kFull = 32768;
using Ints = std::vector<int>;

uint32_t Pixel(const CBitmapDC& dc, int x, int y)
{
    return dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF;
}

Ints Cells(const CScopeDisplay& d, int row, int from, int to)
{
    Ints cells;
    for (int c = from; c < to; ++c)
        cells.push_back(d.GetCell(c, row));
    return cells;
}

int LitRows(const CScopeDisplay& d, int column)
{
    int lit = 0;
    for (int r = 0; r < d.GetHeight(); ++r)
        lit += d.GetCell(column, r) != 0;
    return lit;
}

TEST(ScopeDisplay, PaletteSizesStepsAndLineLevels)
{
    CScopeDisplay d;
    const uint32_t* palette = ScopePalette();
    const uint32_t rows[][2] = {{1, 0},          {2, 0x000602},   {8, 0x00280A},
                                {448, 0x85FFB7}, {511, 0xC8FFDE}, {8191, 0xC8FFDE}};
    for (const auto& r : rows)
        EXPECT_EQ(palette[r[0]], 0xFF000000u | r[1]) << r[0];
    for (int e = 1; e < 512; ++e) // smooth: no channel falls or jumps
        for (int shift = 0; shift < 24; shift += 8) {
            const int step = int(palette[e] >> shift & 0xFF) - int(palette[e - 1] >> shift & 0xFF);
            EXPECT_TRUE(step >= 0 && step <= 8) << e;
        }
    const int sizes[][3] = {{800, 300, 378}, {60, 100, 16}, {99, 100, 29}, {100, 100, 33}};
    for (const auto& s : sizes) {
        SizeScopeDisplay(d, 10, 20, 10 + s[0], 20 + s[1]);
        EXPECT_EQ(Ints({d.GetIntensity(), d.GetWidth(), d.GetHeight(), d.GetLevelMargin()}),
                  Ints({s[2], s[0], s[1], 10}));
    }
    EXPECT_EQ(Ints({ScopeStep(600), ScopeStep(792), ScopeStep(5)}), Ints({101, 133, 1}));
    int level[3] = {};
    EXPECT_TRUE(ScopeLineLevel(0.0f, &level[0]) && ScopeLineLevel(1.2f, &level[1]) &&
                ScopeLineLevel(-1e30f, &level[2]));
    EXPECT_EQ(Ints(level, level + 3), Ints({28539, 32768, 0}));
    for (float wild : {NAN, INFINITY, -INFINITY, 300.0f})
        EXPECT_FALSE(ScopeLineLevel(wild, &level[0])) << wild;
}

TEST(ScopeDisplay, PlotsSpansAndLevelLines)
{
    CScopeDisplay d;
    std::vector<int16_t> silence(64, 0);
    const int empty[][4] = {{0, 0, 0, 300}, {0, 0, 64, 0}, {50, 0, 10, 300}, {0, 0, 1 << 30, 1 << 30}};
    for (const auto& r : empty) {
        d.SetArea(r[0], r[1], r[2], r[3]);
        d.Plot(silence.data(), 64, kExact, kFull); // unsized: nothing
        EXPECT_FALSE(d.IsSized());
    }
    d.SetArea(0, 0, 64, 300);
    d.SetIntensity(32); // weight = brightness
    d.Plot(silence.data(), 64, kExact, kFull);
    EXPECT_EQ(Cells(d, 150, 0, 3), Ints({62, 999, 999})) << "flat: b 2000, not 2500";
    EXPECT_EQ(LitRows(d, 30), 1);
    d.SetArea(0, 0, 64, 300);
    const int16_t steep[] = {-20000, -20000, 20000}; // the first segment lies left of column 0
    d.Plot(steep, 3, kExact, kFull);
    EXPECT_EQ(Cells(d, 150, 0, 3), Ints({9, 140, 0})) << "steep: b 150";

    const int16_t clipped[][2] = {{32767, -32768}, {-32768, 32767}, {32767, 32767}, {32767, -32766}};
    for (const auto& c : clipped) {
        d.SetArea(0, 0, 64, 300);
        const int16_t s[] = {0, 0, c[0], c[1]};
        d.Plot(s, 4, kExact, kFull);
        EXPECT_GT(LitRows(d, 0), 100);
        EXPECT_EQ(LitRows(d, 2) > 0, c[1] == -32766) << c[0] << " " << c[1];
    }

    d.SetArea(0, 0, 64, 300);
    const int lines[][2] = {{0, 151}, {28539, 280}, {-28939, 19}};
    for (const auto& l : lines) {
        d.DrawLevelLine(l[0], kFull);
        EXPECT_EQ(Cells(d, l[1], 62, 65), Ints({1024, 1024, 0})) << l[0];
    }
    d.DrawLevelLine(INT_MAX, kFull);
    d.DrawLevelLine(INT_MIN, kFull);
    d.DrawLevelLine(0, 0);
    d.AddSpan(-1, 100, 0, 500);
    d.AddSpan(64 << 12, 100, 0, 500);
    d.AddSpan(0, 100, 77, 77);
    d.Plot(silence.data(), 1, kExact, kFull);
    d.Plot(nullptr, 64, kExact, kFull);
    int lit = 0;
    for (int c = 0; c < d.GetCellsPerRow(); ++c)
        lit += LitRows(d, c);
    EXPECT_EQ(lit, 3 * 64);
}

TEST(ScopeDisplay, RendersFramedAndFades)
{
    CScopeDisplay d;
    d.SetArea(0, 0, 64, 300);
    d.AddSpan(20 << 12, 8195, 20 * 256, 23 * 256); // column 20 of rows 21 and 22 at 8192
    ASSERT_EQ(d.GetCell(20, 21), 8192);
    CBitmapDC target;
    target.Create(100, 320, 32);
    target.Fill(kPaper);
    std::vector<uint32_t> shown;
    for (int render = 1; render <= 18; ++render) {
        d.Render(target);
        shown.push_back(Pixel(target, 20, 21));
        EXPECT_EQ(d.GetCell(20, 21) != 0, render < 18) << render;
    }
    EXPECT_EQ(std::vector<uint32_t>({shown[0], shown[11], shown[13]}), std::vector<uint32_t>({0xC8FFDE, 0x000602, 0}));
    const int W = d.GetCellsPerRow(); // the frame: 4 px round the cells' width, 6 px corners
    const int dark[][2] = {{0, 0}, {3, 150}, {W - 1, 150}, {W - 4, 10}, {5, 5}, {W - 6, 299}, {30, 297}};
    for (const auto& p : dark)
        EXPECT_EQ(target.GetBits()[p[1] * 100 + p[0]], 0u) << p[0] << "," << p[1];
    const int paper[][2] = {{6, 6}, {30, 150}, {W, 150}, {30, 300}, {4, 150}};
    for (const auto& p : paper)
        EXPECT_EQ(Pixel(target, p[0], p[1]), kPaper) << p[0] << "," << p[1];

    CBitmapDC small, none; // a smaller target takes the overlapping part, frame included
    small.Create(40, 30, 32);
    small.Fill(kPaper);
    d.AddSpan(10 << 12, 1000, 8 * 256, 12 * 256);
    d.Render(small);
    d.Render(none);
    EXPECT_EQ(
        std::vector<uint32_t>({Pixel(small, 39, 29), Pixel(small, 36, 15), Pixel(small, 12, 10), Pixel(small, 10, 10)}),
        std::vector<uint32_t>({0, 0, kPaper, ScopePalette()[999 >> 4] & 0xFFFFFF}));

    // Darkened, a trace is painted black into each of two alternating targets.
    CBitmapDC pair[2];
    for (CBitmapDC& t : pair) {
        t.Create(64, 300, 32);
        t.Fill(kPaper);
        d.Render(t); // lit at (10, 10)
    }
    d.Darken();
    for (CBitmapDC& t : pair)
        d.Render(t);
    EXPECT_EQ(std::vector<uint32_t>({Pixel(pair[0], 10, 10), Pixel(pair[1], 10, 10)}), std::vector<uint32_t>({0, 0}));
    EXPECT_NE(d.GetCell(10, 10), 0) << "still black for the renders to come";
}

// Every render shows and fades exactly the cells the target covers, whatever
// targets came before: narrower, as wide as the display, or wider than its rows.
TEST(ScopeDisplay, RendersEachCoveredCellByTheRule)
{
    CScopeDisplay d;
    SizeScopeDisplay(d, 0, 0, 61, 40);
    const int perRow = d.GetCellsPerRow();
    CBitmapDC targets[3];
    const int widths[] = {30, 61, perRow + 3};
    for (int t = 0; t < 3; ++t)
        targets[t].Create(widths[t], 36 + 4 * t, 32);
    std::mt19937 random(3);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const uint32_t* palette = ScopePalette();
    for (int step = 0; step < 120; ++step) {
        for (int n = pick(0, 3); n > 0; --n)
            d.AddSpan(pick(0, 61 << 12), pick(1, 9000), pick(0, 40 << 8), pick(0, 40 << 8));
        CBitmapDC& target = targets[pick(0, 2)];
        const int W = std::min(perRow, target.GetWidth()), H = std::min(40, target.GetHeight());
        std::vector<uint32_t> pixels(target.GetBits(), target.GetBits() + target.GetPixelCount());
        std::vector<int> cells;
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < perRow; ++c)
                cells.push_back(d.GetCell(c, r));
        const int frame[][4] = {{0, 0, W, 4}, {0, H - 4, W, H}, {0, 0, 4, H},     {W - 4, 0, W, H},
                                {0, 0, 6, 6}, {W - 6, 0, W, 6}, {0, H - 6, 6, H}, {W - 6, H - 6, W, H}};
        for (const auto& f : frame)
            for (int y = std::max(f[1], 0); y < f[3]; ++y)
                for (int x = std::max(f[0], 0); x < f[2]; ++x)
                    pixels[y * target.GetWidth() + x] = 0;
        for (int r = 0; r < H; ++r)
            for (int c = 0; c < W; ++c)
                if (int& v = cells[r * perRow + c]) {
                    v = std::min(v, 8192); // brighter looks the same
                    pixels[r * target.GetWidth() + c] = palette[v >> 4];
                    v = v * 40 >> 6; // the fade
                }
        d.Render(target);
        ASSERT_TRUE(std::equal(pixels.begin(), pixels.end(), target.GetBits())) << step;
        for (int r = 0; r < 40; ++r)
            ASSERT_EQ(Cells(d, r, 0, perRow), Ints(&cells[r * perRow], &cells[(r + 1) * perRow])) << step;
    }
}

// Large panes' weights do not fit 16 bits: they are kept whole and cells saturate.
TEST(ScopeDisplay, LargePanesAndThePairsFeed)
{
    CScopeDisplay d;
    SizeScopeDisplay(d, 0, 0, 1900, 900);
    EXPECT_EQ(d.GetIntensity(), 2583); // weight 161,437 at b 2000
    d.AddSpan(5 << 12, 161437, 10 * 256 + 192, 13 * 256);
    EXPECT_EQ(Ints({d.GetCell(5, 10), d.GetCell(5, 11), d.GetCell(6, 11), d.GetCell(5, 13)}),
              Ints({39718, 65535, 0, 0}));
    SizeScopeDisplay(d, 0, 0, 3824, 1685); // the largest window's pane
    std::vector<int16_t> silence(kScopeReadSamples, 0);
    d.PlotBlock(silence.data(), kScopeReadSamples, ScopeStep(3824), kFull);
    EXPECT_EQ(Cells(d, 842, 1, 6), Ints({0, 65535, 65535, 23376, 65535}));
    EXPECT_EQ(LitRows(d, 3) + LitRows(d, 4), 2);

    // A tick's feed: both paths read and plotted with their lines; display 0 rendered.
    CScopeSignalPath paths[2];
    std::vector<int32_t> sine(4800);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = int32_t(16000 * std::sin(2 * 3.14159265358979 * 440.0 * double(i) / 48000));
    for (CScopeSignalPath& p : paths) {
        p.SetTuning(8500, 3584, 2048, 750);
        ASSERT_TRUE(p.Setup(8192, 65536));
        p.SetDisplayParams(300, 46, 1500);
    }
    paths[0].Input(sine.data(), int(sine.size()), 3700, 0);
    const int width = 784, height = 296, upper = 276, lower = 19; // lines at 0 dB: L = 28539
    CScopeDisplay displays[4];
    for (CScopeDisplay& s : displays)
        SizeScopeDisplay(s, 0, 0, width, height);
    CBitmapDC target;
    target.Create(width, height, 32);
    target.Fill(kPaper);
    FeedScopePair({{&paths[0], &paths[1]}, {&displays[0], &displays[1]}}, width, 0.0f);
    displays[0].Render(target);
    EXPECT_EQ(Pixel(target, width / 2, upper), ScopePalette()[1024 >> 4] & 0xFFFFFF);
    EXPECT_NE(Pixel(target, width / 2, lower), kPaper);
    EXPECT_EQ(Ints({displays[1].GetCell(width / 2, upper), displays[1].GetCell(width / 2, lower)}), Ints({1024, 1024}));
    EXPECT_GT(displays[1].GetCell(width / 2, height / 2), 0); // the silent right channel's centre line
    int traced = 0;
    for (int y = 4; y < height - 4; ++y)
        traced += Pixel(target, width / 3, y) != kPaper;
    EXPECT_GT(traced, 3);
    FeedScopePair({{&paths[0], nullptr}, {&displays[2], &displays[3]}}, width, NAN);
    EXPECT_EQ(displays[3].GetCell(width / 2, upper) + displays[3].GetCell(width / 2, lower), 0); // no lines
    FeedScopePair({{nullptr, nullptr}, {nullptr, nullptr}}, width, 0.0f);
}

} // namespace
