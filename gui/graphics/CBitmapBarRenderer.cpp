#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

namespace {
const float kDefaultEnd = -60.0f;
const float kDefaultStep = 6.0f;
const float kDefaultSpan = 60.0f;
const float kNoLowest = -99999.0f;
const int kDefaultLabelOffset = 10;
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kMidGrey = 0x808080;
const int kNeverDrawn = INT_MIN; // equals no truncated value
const int kSteadyRedraws = 3;    // a steady value is drawn this often more, then left
const int kMaxLabels = 4096;     // more could not be told apart on any screen

int Truncate(float v)
{
    return static_cast<int>(std::clamp(v, float(INT_MIN + 1), float(INT_MAX / 2)));
}
} // namespace

CBitmapBarRenderer::CBitmapBarRenderer()
    : scaleStart(0.0f), scaleEnd(kDefaultEnd), scaleStep(kDefaultStep), scaleSpan(kDefaultSpan), value(0.0f),
      labelFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), lowestLabel(kNoLowest), labelInset(0),
      labelOffset(kDefaultLabelOffset), labelShadow(false), labelColor(kWhite), shadowColor(kMidGrey), stripColor(0),
      direction(0), extraLength(0), labelAlign(AlignDefault), gridLines(false), m_stripLength(0), m_brush(nullptr),
      m_stripFont(nullptr), m_lastValue(kNeverDrawn), m_unchangedCount(0), m_textAlign(0)
{}

CBitmapBarRenderer::~CBitmapBarRenderer()
{
    if (m_brush)
        DeleteObject(m_brush);
    m_strip.Destroy(); // releases the font from its DC
    if (m_stripFont)
        DeleteObject(m_stripFont);
}

bool CBitmapBarRenderer::Swapped() const
{
    return m_geometry.vertical ? direction == 0 : direction == 1;
}

// The keyed blit leaves out the strip colour, and with it the edge pixels that
// smoothing blends towards it: a smoothed font loses all but its strokes'
// cores. The strip takes the font unsmoothed; null when it cannot be read.
HFONT CBitmapBarRenderer::UnsmoothedCopy(HFONT font)
{
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof(description), &description))
        return nullptr;
    description.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectA(&description);
}

void CBitmapBarRenderer::DrawScale()
{
    m_lastValue = kNeverDrawn;
    m_unchangedCount = 0;
    if (m_brush)
        DeleteObject(m_brush);
    m_brush = CreateSolidBrush(stripColor);
    float start = scaleStart, end = scaleEnd;
    if (Swapped())
        std::swap(start, end);
    const bool negated = end - start < 0;
    if (negated) {
        start = -start;
        end = -end;
    }
    m_strip.Destroy();
    m_stripLength = 0;
    if (m_stripFont)
        DeleteObject(m_stripFont);
    m_stripFont = UnsmoothedCopy(labelFont);
    if (scaleSpan == 0.0f) // no difference of values covers the bar: nothing to show
        return;
    const BarGeometry& g = m_geometry;
    m_stripLength = Truncate((end - start) / scaleSpan * g.crossLength + extraLength);
    if (g.vertical)
        m_strip.Create(m_stripLength, g.axisLength, kBitsPerPixel);
    else
        m_strip.Create(g.axisLength, m_stripLength, kBitsPerPixel);
    const HDC dc = m_strip.GetDC();
    if (!dc)
        return;
    SetBkColor(dc, stripColor);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, m_stripFont ? m_stripFont : labelFont);
    const RECT whole = {0, 0, m_strip.GetWidth(), m_strip.GetHeight()};
    FillRect(dc, &whole, m_brush);
    DrawLabels(start, end, negated);
}

void CBitmapBarRenderer::DrawLabels(float start, float end, bool negated)
{
    const BarGeometry& g = m_geometry;
    const HDC dc = m_strip.GetDC();
    int align = labelAlign;
    if (align != AlignLeft && align != AlignCentre && align != AlignRight)
        align = g.vertical ? AlignCentre : AlignRight;
    const UINT base[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    m_textAlign = base[align] | TA_BASELINE;
    SetTextAlign(dc, m_textAlign);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    // Where text sits against its position, so that it reads beside its mark.
    const int o = g.vertical ? (direction == 1 ? 0 : -1) : (direction == 1 ? -1 - labelOffset : 0);
    const int x = align == AlignRight  ? g.axisLength - labelInset - 1
                  : align == AlignLeft ? labelInset
                                       : g.axisLength / 2;
    auto text = [&](int tx, int ty, COLORREF color, const char* s, int n) {
        SetTextColor(dc, color);
        ExtTextOutA(dc, tx, ty, 0, nullptr, s, UINT(n), nullptr);
    };
    float v = start;
    for (int count = 0; v <= end && count < kMaxLabels; ++count) {
        const float label = negated ? -v : v;
        const float pos = (v - start) / scaleSpan * g.crossLength;
        char s[64];
        const int n = std::snprintf(s, sizeof s, "%.f", double(label));
        if (label >= lowestLabel && n > 0) {
            if (g.vertical) {
                if (labelShadow)
                    text(Truncate(o + pos + 1), g.axisLength - labelInset, shadowColor, s, n);
                text(Truncate(o + pos), g.axisLength - labelInset - 1, labelColor, s, n);
                if (gridLines) {
                    MoveToEx(dc, Truncate(pos), 0, nullptr);
                    LineTo(dc, Truncate(pos), g.axisLength);
                }
            } else {
                if (labelShadow)
                    text(x + 1, Truncate(labelOffset + o + pos + 1), shadowColor, s, n);
                text(x, Truncate(labelOffset + o + pos), labelColor, s, n);
            }
        }
        const float next = v + scaleStep;
        if (!(next > v)) // a step of 0 or less, or one too small to move on: the start label alone
            break;
        v = next;
    }
}

void CBitmapBarRenderer::Draw(CBitmapDC& surface)
{
    m_changed = {};
    const int steady = Truncate(value);
    m_unchangedCount = steady == m_lastValue ? m_unchangedCount + 1 : 0;
    if (m_unchangedCount > kSteadyRedraws)
        return;
    m_lastValue = steady;
    const HDC dc = surface.GetDC();
    if (!dc || !m_strip.GetDC())
        return;
    const BarGeometry& g = m_geometry;
    const float length = float(g.crossLength);
    m_changed =
        CrossPart(g.crossPosition, g.crossPosition + (g.vertical ? g.crossLength : g.crossLength + extraLength));
    // A swapped strip starts at the scale's end (DrawScale): measured from there.
    const float off =
        Swapped() ? (value - scaleEnd) / scaleSpan * length - length : (-scaleStart - value) / scaleSpan * length;
    const int covered = g.vertical ? g.crossLength : g.crossLength + extraLength;
    const int strip = m_stripLength;
    if (off < 0)
        Restore(dc, g.crossPosition, std::min(Truncate(-off), covered));
    if (covered + off > strip) {
        const int n = std::min(Truncate(covered + off - strip), covered);
        Restore(dc, g.crossPosition + covered - n, n);
    }
    // A part of the rectangle along the cross axis, and the strip's point for it.
    struct Box {
        int x, y, width, height;
    };
    auto part = [&](int crossStart, int crossLength) {
        return g.vertical ? Box{crossStart, g.axisPosition, crossLength, g.axisLength}
                          : Box{g.axisPosition, crossStart, g.axisLength, crossLength};
    };
    int s = Truncate(off);
    if (!g.backgroundDC) {
        const Box b = part(g.crossPosition, covered);
        BitBlt(dc, b.x, b.y, b.width, b.height, m_strip.GetDC(), g.vertical ? s : 0, g.vertical ? 0 : s, SRCCOPY);
        return;
    }
    int start = g.crossPosition, n = covered;
    if (s < 0) {
        start -= s;
        n += s;
        s = 0;
    }
    n = std::min(n, strip - s);
    if (n <= 0)
        return;
    Restore(dc, start, n);
    const Box b = part(start, n);
    TransparentBlt(dc, b.x, b.y, b.width, b.height, m_strip.GetDC(), g.vertical ? s : 0, g.vertical ? 0 : s, b.width,
                   b.height, stripColor);
}

void CBitmapBarRenderer::Restore(HDC dc, int crossStart, int crossLength) const
{
    if (crossLength <= 0)
        return;
    const BarGeometry& g = m_geometry;
    RECT r = g.vertical ? RECT{crossStart, g.axisPosition, crossStart + crossLength, g.axisPosition + g.axisLength}
                        : RECT{g.axisPosition, crossStart, g.axisPosition + g.axisLength, crossStart + crossLength};
    if (g.backgroundDC)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g.backgroundDC, r.left, r.top, SRCCOPY);
    else
        FillRect(dc, &r, m_brush);
}
