#include "app/views/CScopeDisplay.h"
#include "analysis/Saturate.h"
#include "gui/controls/CImageControl.h"
#include "gui/graphics/CBitmapDC.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
const uint32_t kUnbuilt = 0x73737373; // "ssss": the palette's first word until it is built
const uint32_t kOpaque = 0xFF000000u;
const int kRampSize = 512;

// Where the green ramp passes; the entries between are interpolated.
struct RampPoint {
    int entry;
    uint32_t colour;
};
const RampPoint kRamp[] = {
    {0, 0x000000},   {1, 0x000000},   {2, 0x000602},   {8, 0x00280A},   {16, 0x00340D},  {32, 0x004F12},
    {64, 0x006917},  {128, 0x009618}, {192, 0x00BD1C}, {256, 0x00DB25}, {288, 0x04E62F}, {320, 0x16F144},
    {352, 0x2EF75F}, {384, 0x4AFA7D}, {416, 0x6AFD9D}, {448, 0x85FFB7}, {480, 0xAFFFD2}, {511, 0xC8FFDE},
};

uint32_t g_palette[kScopePaletteSize] = {kUnbuilt};

uint32_t Between(uint32_t a, uint32_t b, int at, int span)
{
    uint32_t colour = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int(a >> shift & 0xFF), cb = int(b >> shift & 0xFF);
        colour |= uint32_t(ca + (cb - ca) * at / span) << shift;
    }
    return colour;
}

void BuildPalette()
{
    if (g_palette[0] != kUnbuilt)
        return;
    for (size_t k = 0; k + 1 < sizeof kRamp / sizeof kRamp[0]; ++k) {
        const RampPoint &a = kRamp[k], &b = kRamp[k + 1];
        for (int e = a.entry; e <= b.entry; ++e)
            g_palette[e] = kOpaque | Between(a.colour, b.colour, e - a.entry, b.entry - a.entry);
    }
    std::fill(g_palette + kRampSize, g_palette + kScopePaletteSize, g_palette[kRampSize - 1]);
}

// Slope-to-brightness rule: steep segments dimmer, flat ones brighter.
const int kBrightnessBase = 5000, kBrightnessOffset = 16, kBrightnessMax = 2000, kBrightnessMin = 150;
const int kStartIntensity = 90;
const int kRowPadding = 8; // every row keeps at least 5 cells right of the last column
const int kSubX = 12;      // horizontal positions in 1/4096 pixel
const int kSubY = 8;       // vertical ones in 1/256 pixel
const int kHalfRow = 128;  // spans reach half a pixel beyond the lower point
const int kFirstX = -256;  // the first segment lies left of column 0
const int kFullSample = 32767;
const double kHeadroom = 1.01; // full scale stops short of the usable edge
const int kCellMax = 65535;
const int kSameRowMax = 8191;
const int kFrame = 4, kCorner = 6;
const int kWordBits = 32; // cells per word of lit marks
// The palette's first entry, black, shows cells below 16; from 15 a cell fades
// through 9, 5, 3 and 1, five renders, before it reaches 0.
const uint16_t kDarkCell = 15;

// A weight this large saturates a cell through any non-zero fraction of a
// row (x 1/256), and times 255 it still fits 32 unsigned bits: spans work in
// 32 bits with the same cells as in 64.
const int64_t kWeightCap = int64_t(1) << 24;

void Widen(RECT& rect, int x, int y)
{
    rect = {std::min(int(rect.left), x), std::min(int(rect.top), y), std::max(int(rect.right), x + 1),
            std::max(int(rect.bottom), y + 1)};
}

// A cell and its right-hand neighbour.
void AddPair(uint16_t* cells, uint32_t left, uint32_t right, uint32_t limit)
{
    cells[0] = uint16_t(std::min(cells[0] + left, limit));
    cells[1] = uint16_t(std::min(cells[1] + right, limit));
}

// The share of weight that lands on one side, held to 0..kWeightCap.
uint32_t Share(int64_t part, int weight)
{
    return uint32_t(std::clamp<int64_t>((part * weight) >> 12, 0, kWeightCap));
}
} // namespace

const uint32_t* ScopePalette()
{
    BuildPalette();
    return g_palette;
}

CScopeDisplay::CScopeDisplay()
    : m_levelMargin(0), m_decayFactor(kDecayFactor), m_sized(false), m_cells(nullptr), m_rowLit(nullptr),
      m_lit(nullptr), m_litWordsPerRow(0), m_cellsPerRow(0), m_width(0), m_height(0), m_intensity(kStartIntensity)
{
    BuildPalette();
    SetBrightnessLimits(kBrightnessBase, kBrightnessOffset, kBrightnessMax, kBrightnessMin);
}

void CScopeDisplay::SetBrightnessLimits(int base, int offset, int max, int min)
{
    m_brightnessBase = base;
    m_brightnessOffset = offset;
    m_brightnessMax = max;
    m_brightnessMin = min;
    // A division per plotted sample would cost more than the rest of its segment.
    for (int step = 0; step < kBrightnessSteps; ++step)
        m_brightnessTable[step] = BrightnessOfStep(step);
}

void CScopeDisplay::SetArea(int left, int top, int right, int bottom)
{
    m_sized = false;
    const int64_t width = int64_t(right) - left, height = int64_t(bottom) - top;
    const int64_t perRow = (width + kRowPadding) & ~int64_t(3);
    const int64_t bytes = perRow * height * int64_t(sizeof(uint16_t));
    const int64_t litWords = (perRow + kWordBits - 1) / kWordBits;
    const int64_t litBytes = litWords * height * int64_t(sizeof(uint32_t));
    if (width < 1 || height < 1 || bytes > INT_MAX || !m_cellBlock.Resize(int(bytes)) ||
        !m_rowBlock.Resize(int(height)) || !m_litBlock.Resize(int(litBytes)))
        return;
    m_width = int(width);
    m_height = int(height);
    m_cellsPerRow = int(perRow);
    m_cells = reinterpret_cast<uint16_t*>(m_cellBlock.GetDataPtr());
    std::memset(m_cells, 0, size_t(bytes));
    m_rowLit = m_rowBlock.GetDataPtr();
    std::memset(m_rowLit, 0, size_t(height));
    m_litWordsPerRow = int(litWords);
    m_lit = reinterpret_cast<uint32_t*>(m_litBlock.GetDataPtr());
    std::memset(m_lit, 0, size_t(litBytes));
    m_sized = true;
}

void CScopeDisplay::Darken()
{
    if (!m_sized)
        return;
    for (int r = 0; r < m_height; ++r) {
        if (!m_rowLit[r])
            continue; // every cell of the row is 0
        uint16_t* cells = Row(r);
        const uint32_t* lit = LitRow(r);
        for (int w = 0; w < m_litWordsPerRow; ++w)
            for (uint32_t marks = lit[w]; marks; marks &= marks - 1) {
                uint16_t& cell = cells[w * kWordBits + __builtin_ctz(marks)];
                cell = std::min(cell, kDarkCell);
            }
    }
}

int CScopeDisplay::GetCell(int column, int row) const
{
    if (!m_sized || column < 0 || column >= m_cellsPerRow || row < 0 || row >= m_height)
        return 0;
    return Row(row)[column];
}

void CScopeDisplay::PlotBlock(const int16_t* samples, int count, int step, int fullScale)
{
    Plot(samples, count, SaturateInt32(int64_t(step) * 16), fullScale);
}

int CScopeDisplay::Brightness(int dy) const
{
    const int step = dy >> 5;
    return step < kBrightnessSteps ? m_brightnessTable[step] : BrightnessOfStep(step);
}

int CScopeDisplay::BrightnessOfStep(int step) const
{
    const int divisor = std::max(step + m_brightnessOffset, 1);
    const int b = 8 * m_brightnessBase / divisor;
    return std::max(std::min(b, m_brightnessMax), m_brightnessMin);
}

void CScopeDisplay::Plot(const int16_t* samples, int count, int step, int fullScale)
{
    if (!m_sized || !samples || count < 2 || fullScale <= 0)
        return;
    const int64_t scale = int64_t(-(double(m_height - m_levelMargin) * 32768.0) / (fullScale * kHeadroom));
    const int64_t centre = int64_t(m_height) << (kSubY - 1);
    auto yOf = [&](int s) { return SaturateInt32(((s * scale) >> kSubY) + centre); };
    const int64_t end = int64_t(m_width) << kSubX;
    int64_t x = kFirstX;
    int previousY = yOf(samples[0]);
    int previousS = samples[0];
    for (int i = 1;; ++i) {
        const int s = samples[i];
        const int y = yOf(s);
        int b = Brightness(SaturateInt32(std::abs(int64_t(y) - previousY)));
        if (std::abs(s) >= kFullSample && std::abs(previousS) >= kFullSample)
            b = 0; // clipped: no segment between two full-scale samples
        const int weight = SaturateInt32((int64_t(m_intensity) * b) >> 5);
        if (y < previousY)
            AddSpan(int(x), weight, y, SaturateInt32(int64_t(previousY) + kHalfRow));
        else
            AddSpan(int(x), weight, SaturateInt32(int64_t(y) + kHalfRow), previousY);
        previousY = y;
        previousS = s;
        if (i + 1 >= count)
            break;
        x += step;
        if (x >= end)
            break;
    }
}

void CScopeDisplay::AddSpan(int x, int weight, int yA, int yB)
{
    if (!m_sized || x < 0 || (x >> kSubX) >= m_width || yA == yB)
        return;
    if (yA > yB)
        std::swap(yA, yB);
    yA = std::max(yA, 0);
    yB = int(std::min<int64_t>(yB, (int64_t(m_height) << kSubY) - 1));
    if (yA > yB)
        return;
    const int col = x >> kSubX, fx = x & 0xFFF;
    const uint32_t w[2] = {Share(0xFFF - fx, weight), Share(fx, weight)};
    const int rowA = yA >> kSubY, rowB = yB >> kSubY;
    std::memset(m_rowLit + rowA, 1, size_t(rowB - rowA + 1));
    for (int r = rowA; r <= rowB; ++r)
        MarkPair(r, col);
    uint16_t* cells = Row(rowA) + col;
    if (rowB - rowA < 1) {
        const uint32_t f = (yB - yA) & 0xFF;
        AddPair(cells, (w[0] * f) >> kSubY, (w[1] * f) >> kSubY, kSameRowMax);
        return;
    }
    const uint32_t fa = 0xFF - (yA & 0xFF), fb = yB & 0xFF;
    AddPair(cells, (w[0] * fa) >> kSubY, (w[1] * fa) >> kSubY, kCellMax);
    for (int r = rowA + 1; r < rowB; ++r)
        AddPair(cells += m_cellsPerRow, w[0], w[1], kCellMax);
    AddPair(Row(rowB) + col, (w[0] * fb) >> kSubY, (w[1] * fb) >> kSubY, kCellMax);
}

void CScopeDisplay::DrawLevelLine(int level, int fullScale)
{
    if (!m_sized || fullScale <= 0)
        return;
    const int64_t s = int64_t(m_height * 32768.0 / (fullScale * kHeadroom));
    const int64_t row = ((s * level) >> 16) + (m_height >> 1) + 1;
    if (row < 0 || row >= m_height)
        return;
    m_rowLit[row] = 1;
    uint16_t* cells = Row(int(row));
    for (int c = 0; c < m_width; ++c)
        cells[c] = std::max<uint16_t>(cells[c], kLevelLineCell);
    uint32_t* lit = LitRow(int(row));
    std::fill_n(lit, m_width / kWordBits, ~0u);
    if (m_width % kWordBits)
        lit[m_width / kWordBits] |= (1u << (m_width % kWordBits)) - 1;
}

void CScopeDisplay::MarkPair(int row, int column)
{
    uint32_t* lit = LitRow(row);
    const int bit = column % kWordBits;
    lit[column / kWordBits] |= 3u << bit; // past a word's end the neighbour's bit drops out
    if (bit == kWordBits - 1)
        lit[column / kWordBits + 1] |= 1; // rows are padded: the neighbour is always there
}

RECT CScopeDisplay::Render(CBitmapDC& target)
{
    return Render(target, {0, 0, target.GetWidth(), target.GetHeight()});
}

RECT CScopeDisplay::Render(CBitmapDC& target, const RECT& area)
{
    if (!m_sized)
        return {};
    RECT open; // the part of the target the display may write
    const RECT whole = {0, 0, target.GetWidth(), target.GetHeight()};
    if (!IntersectRect(&open, &area, &whole))
        open = {};
    const int left = area.left, top = area.top;
    const int W = std::min(m_cellsPerRow, int(area.right - left)), H = std::min(m_height, int(area.bottom - top));
    RECT changed = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const RECT frame[] = {
        {0, 0, W, kFrame},
        {0, H - kFrame, W, H},
        {0, 0, kFrame, H},
        {W - kFrame, 0, W, H},
        {0, 0, kCorner, kCorner},
        {W - kCorner, 0, W, kCorner},
        {0, H - kCorner, kCorner, H},
        {W - kCorner, H - kCorner, W, H},
    };
    for (const RECT& r : frame) {
        RECT part = {r.left + left, r.top + top, r.right + left, r.bottom + top};
        if (IntersectRect(&part, &part, &open))
            Blacken(target, part, changed);
    }
    uint32_t* bits = target.GetBits();
    const int stride = target.GetWidth();
    // Columns of the display that lie in the open part.
    const int x0 = std::max(int(open.left) - left, 0), x1 = std::min(int(open.right) - left, W);
    // Most of a trace's grid is dark: rows known dark are passed at once, and
    // in the others only the cells marked as possibly lit are visited.
    for (int r = 0; r < H; ++r) {
        if (!m_rowLit[r])
            continue;
        const bool shown = r + top >= open.top && r + top < open.bottom && x0 < x1;
        // A row not shown writes no pixel: any row of the target serves.
        uint32_t* pixels = shown ? bits + (r + top) * stride + left : bits;
        m_rowLit[r] = ShowRow(r, W, pixels, {shown ? x0 : 0, r, shown ? x1 : 0, r + 1}, left, top, changed) != 0;
    }
    return changed.left < changed.right ? changed : RECT{};
}

void CScopeDisplay::Blacken(CBitmapDC& target, const RECT& part, RECT& changed)
{
    for (int y = part.top; y < part.bottom; ++y) {
        uint32_t* row = target.GetBits() + y * target.GetWidth();
        for (int x = part.left; x < part.right; ++x)
            if (row[x]) {
                row[x] = 0;
                Widen(changed, x, y);
            }
    }
}

uint32_t CScopeDisplay::ShowRow(int row, int W, uint32_t* pixels, const RECT& shownPart, int left, int top,
                                RECT& changed)
{
    uint16_t* cells = Row(row);
    uint32_t* lit = LitRow(row);
    const uint32_t fade = uint32_t(m_decayFactor);
    uint32_t stillLit = 0;
    for (int w = 0; w < m_litWordsPerRow; ++w) {
        const int first = w * kWordBits;
        // Cells right of the target neither show nor fade: their marks stay.
        const uint32_t shown = first + kWordBits <= W ? ~0u : first >= W ? 0u : (1u << (W - first)) - 1;
        uint32_t marks = lit[w] & shown, kept = lit[w] & ~shown;
        while (marks) {
            const int bit = __builtin_ctz(marks), c = first + bit;
            marks &= marks - 1;
            const uint32_t v = cells[c];
            if (!v)
                continue;
            // Every entry from kShownMax >> 4 up is the brightest colour: only the fade needs the limit.
            const uint32_t colour = g_palette[v >> 4];
            if (c >= shownPart.left && c < shownPart.right && pixels[c] != colour) {
                pixels[c] = colour;
                // A level line raised again each tick keeps its colour: not a change.
                Widen(changed, c + left, row + top);
            }
            const uint32_t faded = (std::min<uint32_t>(v, kShownMax) * fade) >> 6;
            cells[c] = uint16_t(faded);
            kept |= uint32_t(faded != 0) << bit;
        }
        lit[w] = kept;
        stillLit |= kept;
    }
    return stillLit;
}

void SizeScopeDisplay(CScopeDisplay& display, int left, int top, int right, int bottom)
{
    display.SetArea(left, top, right, bottom);
    const int64_t w = int64_t(right) - left, h = int64_t(bottom) - top;
    const int kNarrow = 100;       // narrower displays are dimmed in proportion
    const float kPerPixel = 0.01f; // 1 / kNarrow
    const int kAreaPerStep = 2000; // pixels of area per intensity step
    const int kBaseSteps = 6, kStepValue = 3;
    const int kMaxIntensity = 1 << 24; // far beyond any screen; keeps products in range
    int64_t value = (std::clamp<int64_t>(w * h / kAreaPerStep, 0, kMaxIntensity) + kBaseSteps) * kStepValue;
    if (w < kNarrow)
        value = int64_t(float(value) * (float(w) * kPerPixel));
    const int kLevelMargin = 10; // pixels of height the trace leaves free
    display.SetIntensity(int(value));
    display.SetLevelMargin(kLevelMargin);
}

void FitScopeDisplay(CScopeDisplay& display, const CImageControl& pane, int margin)
{
    const RECT& inside = pane.GetInterior();
    SizeScopeDisplay(display, 0, 0, inside.right - inside.left - margin, inside.bottom - inside.top - margin);
}
