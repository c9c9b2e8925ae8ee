#include "gui/graphics/CSegmentBarRenderer.h"
#include "common/CMutex.h"
#include "common/DebugTrace.h"
#include "gui/graphics/CBitmapDC.h"
#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
const int kDefaultValue = 100;
const float kDefaultPeakThickness = 0.15f;
const int kDefaultPeakGradient = 1;
const int kDefaultPeakMin = 2, kDefaultPeakMax = 999;
const uint32_t kDefaultPeakColor = 0x010101;              // near black that still bevels
const int kPeakSlot = CSegmentBarRenderer::kSegmentCount; // the peak's bevel follows the segments'
const int kMaxValue = 1 << 26;                            // far above full, and x 16 still an int

// The default stops of the normal set: reds, a blue, a green to black, greys.
struct StopPair {
    uint32_t from, to;
};
const StopPair kDefaultStops[CSegmentBarRenderer::kGradientCount] = {
    {0xFF0000, 0xFF726F}, {0xFF0000, 0xFF726F}, {0xFF0000, 0xFF726F}, {0x0000FF, 0x00726F},
    {0x00FF00, 0x000000}, {0x202020, 0x404040}, {0x202020, 0x404040}, {0x202020, 0x404040},
};
const uint32_t kAlternateFrom = 0x202020, kAlternateTo = 0x404040;

void SetTwoStops(CColorGradient& g, uint32_t from, uint32_t to, int count)
{
    g.stops[0] = {from, 0};
    g.stops[1] = {to, CColorGradient::kFullPosition};
    g.stopCount = count;
}

// Which renderer rebuilt its gradients last, so that equal tables are copied.
CMutex& GradientMutex()
{
    static CMutex mutex;
    return mutex;
}
CSegmentBarRenderer* g_lastBuilder = nullptr;

// Bevel steps on whole pixel values: lighten by a half, quarter or eighth,
// highlight, and darken by various amounts.
uint32_t L2(uint32_t p)
{
    return ((p >> 1) & 0x7F7F7F) + 0x808080;
}
uint32_t L4(uint32_t p)
{
    return p - ((p >> 2) & 0x3F3F3F) + 0x3F3F3F;
}
uint32_t L8(uint32_t p)
{
    return p - ((p >> 3) & 0x1F1F1F) + 0x1F1F1F;
}
uint32_t H(uint32_t p)
{
    return p - ((p >> 2) & 0x3F3F3F) - ((p >> 3) & 0x1F1F1F) + 0x5E5E5E;
}
uint32_t D(uint32_t p)
{
    return p - ((p >> 2) & 0x3F3F3F) - ((p >> 3) & 0x1F1F1F);
}
uint32_t D8(uint32_t p)
{
    return p - ((p >> 3) & 0x1F1F1F);
}
uint32_t D16(uint32_t p)
{
    return p - ((p >> 2) & 0x3F3F3F) - ((p >> 4) & 0x0F0F0F);
}
uint32_t D2(uint32_t p)
{
    return p - ((p >> 1) & 0x7F7F7F);
}

typedef uint32_t (*BevelOp)(uint32_t);
const int kMaxEdgeLines = 3;
// Lines from the leading edge inward and from the trailing edge inward.
struct EdgeOps {
    BevelOp lead[kMaxEdgeLines];
    BevelOp trail[kMaxEdgeLines];
};
// Indexed by style 1..5 (0 unused): the end caps, then the sides.
const EdgeOps kCapOps[] = {
    {}, {{L2}, {D}}, {{L4}, {D}}, {{L8}, {D}}, {{L2, L4}, {D, D8}}, {{L2, H, L4}, {D16, D16, D8}},
};
const EdgeOps kSideOps[] = {
    {}, {{L2}, {D}}, {{L4}, {D}}, {{L8}, {D}}, {{L2, L4}, {D, D8}}, {{L2, H, L4}, {D2, D16, D8}},
};

// Any other style acts as Half; bars lying flat know only the first three.
int EffectiveStyle(int style, bool vertical)
{
    const int top = vertical ? BevelEighth : BevelRounded;
    return style >= BevelHalf && style <= top ? style : BevelHalf;
}
} // namespace

CSegmentBarRenderer::CSegmentBarRenderer()
    : values{kDefaultValue, 0, 0, 0}, peakValue(kNoPeak), peakThickness(kDefaultPeakThickness),
      peakGradient(kDefaultPeakGradient), peakMinThickness(kDefaultPeakMin), peakMaxThickness(kDefaultPeakMax),
      peakColor(kDefaultPeakColor), segmentGradient{0, 1, 2, 3, 4, 5, 6, 7}, useAlternate(false),
      invert(false), bevel{BevelHalf, BevelHalf, BevelHalf, BevelHalf, BevelHalf}, decayStep{},
      ownerKey(0), m_displayed{}, m_drawn()
{
    for (int i = 0; i < kGradientCount; ++i)
        SetTwoStops(gradients[i], kDefaultStops[i].from, kDefaultStops[i].to, 2);
    SetTwoStops(alternateGradients[0], kAlternateFrom, kAlternateTo, 0); // colours kept, not counted
    background.stops[0] = {0, 0};
    background.stopCount = 1;
    alternateBackground.stops[0] = {0, 0};
    alternateBackground.stopCount = 1;
}

CSegmentBarRenderer::~CSegmentBarRenderer()
{
    GradientMutex().Lock();
    if (g_lastBuilder == this)
        g_lastBuilder = nullptr;
    GradientMutex().Unlock();
}

void CSegmentBarRenderer::RebuildGradients()
{
    const int size = std::max(m_geometry.crossLength, 0);
    GradientMutex().Lock();
    const CSegmentBarRenderer* last = g_lastBuilder;
    auto build = [&](CColorGradient& g, const CColorGradient* lastOnes) {
        g.reverse = m_geometry.vertical;
        g.BuildOrCopy(size, last ? lastOnes : nullptr);
    };
    for (int i = 0; i < kGradientCount; ++i) {
        build(gradients[i], last ? &last->gradients[i] : nullptr);
        build(alternateGradients[i], last ? &last->alternateGradients[i] : nullptr);
    }
    build(background, last ? &last->background : nullptr);
    build(alternateBackground, last ? &last->alternateBackground : nullptr);
    g_lastBuilder = this;
    GradientMutex().Unlock();
}

int CSegmentBarRenderer::ValueToPixel(int value) const
{
    if (value < 0)
        return -1;
    value = std::min(value, kFullValue);
    const int length = m_geometry.crossLength;
    return GrowsFromEnd() ? (kFullValue - value) * length / kFullValue : length * value / kFullValue;
}

int CSegmentBarRenderer::PeakThickness() const
{
    const int t = static_cast<int>(m_geometry.axisLength * peakThickness);
    return std::min(std::max(t, peakMinThickness), peakMaxThickness);
}

void CSegmentBarRenderer::Render(CBitmapDC& surface, Redraw redraw)
{
    if (m_geometry.axisLength <= 0)
        return;
    const CColorGradient* set = useAlternate ? alternateGradients : gradients;
    auto pick = [set](int index) { return index >= 0 && index < kGradientCount ? &set[index] : nullptr; };
    const CColorGradient* segments[kSegmentCount];
    int d[kSegmentCount], p[kSegmentCount];
    for (int k = 0; k < kSegmentCount; ++k) {
        segments[k] = pick(segmentGradient[k]);
        // Any negative value hides alike; the clamp keeps the fixed point in range.
        const int target = std::clamp(values[k], -kFullValue, kMaxValue) * (1 << kLevelShift);
        m_displayed[k] = decayStep[k] == 0 ? target : std::max(target, m_displayed[k] - decayStep[k]);
        d[k] = m_displayed[k] >> kLevelShift;
        p[k] = ValueToPixel(d[k]);
    }
    // A segment below any lower one is hidden.
    for (int k = 1; k < kSegmentCount; ++k)
        for (int j = 0; j < k; ++j)
            if (d[k] < d[j])
                p[k] = -1;
    const int top = ValueToPixel(*std::max_element(d, d + kSegmentCount));
    if (!surface.IsCreated())
        return;
    GdiFlush(); // GDI may still owe the section earlier drawing
    const CColorGradient& back = useAlternate ? alternateBackground : background;
    Drawing next = {surface.GetBits(),
                    surface.GetWidth(),
                    surface.GetHeight(),
                    m_geometry.axisPosition,
                    m_geometry.axisLength,
                    m_geometry.crossPosition,
                    m_geometry.crossLength,
                    m_geometry.vertical,
                    0,
                    {}};
    if (GrowsFromEnd())
        CollectFromEnd(next, p, top, segments, pick(peakGradient), back);
    else
        CollectFromStart(next, p, top, segments, pick(peakGradient), back);
    m_changedSpan = {0, 0};
    if (redraw == Redraw::Changes && SamePlace(m_drawn, next))
        DrawDifferences(surface, next);
    else
        Replay(surface, next, {INT_MIN, INT_MAX});
    m_drawn = next;
    const int cross = m_geometry.crossPosition;
    m_changed = CrossPart(cross + m_changedSpan.from, cross + m_changedSpan.to);
}

void CSegmentBarRenderer::AddFill(Drawing& drawing, Span span, const CColorGradient* gradient, uint32_t color,
                                  int style) const
{
    if (span.from >= span.to)
        return;
    const bool plainBlack = !(gradient && gradient->GetTable()) && color == 0;
    const int effective = style == BevelNone || plainBlack ? BevelNone : EffectiveStyle(style, m_geometry.vertical);
    drawing.fills[drawing.count++] = {span, gradient, gradient ? gradient->GetRevision() : 0, color, effective};
}

// Upright bars: offsets run from the top, so each segment ends where the one
// below it starts.
void CSegmentBarRenderer::CollectFromEnd(Drawing& drawing, const int p[], int top,
                                         const CColorGradient* const segments[], const CColorGradient* peak,
                                         const CColorGradient& back) const
{
    const int length = m_geometry.crossLength;
    AddFill(drawing, {0, top == -1 ? length : top}, &back, 0, BevelNone);
    for (int k = 0; k < kSegmentCount; ++k) {
        if (p[k] == -1)
            continue;
        int end = length;
        for (int j = k - 1; j >= 0; --j)
            if (p[j] != -1) {
                end = p[j];
                break;
            }
        AddFill(drawing, {p[k], end}, segments[k], 0, bevel[k]);
        DebugTrace("segment %i: %i %i\n", k + 1, p[k], end);
    }
    const int q = ValueToPixel(peakValue);
    if (peakValue == kNoPeak || q == -1)
        return;
    const int t = PeakThickness();
    Span mark = {q - t, q};
    if (mark.from < 0)
        mark = {0, t};
    if (mark.to < length)
        AddFill(drawing, mark, peak, peakColor, bevel[kPeakSlot]);
}

void CSegmentBarRenderer::CollectFromStart(Drawing& drawing, const int p[], int top,
                                           const CColorGradient* const segments[], const CColorGradient* peak,
                                           const CColorGradient& back) const
{
    const int length = m_geometry.crossLength;
    AddFill(drawing, {top == -1 ? 0 : top, length}, &back, 0, BevelNone);
    for (int k = 0; k < kSegmentCount; ++k) {
        if (p[k] == -1)
            continue;
        int start = k == 0 ? 0 : p[0];
        for (int j = k - 1; j >= 1; --j)
            if (p[j] != -1) {
                start = p[j];
                break;
            }
        AddFill(drawing, {std::max(start, 0), p[k]}, segments[k], 0, bevel[k]);
    }
    if (peakValue == kNoPeak)
        return;
    const int q = ValueToPixel(peakValue);
    const int t = PeakThickness();
    Span mark = {q + 1, q + 1 + t};
    if (mark.from >= length || mark.to >= length)
        mark = {length - t, length};
    if (mark.from >= 0)
        AddFill(drawing, mark, peak, peakColor, bevel[kPeakSlot]);
}

bool CSegmentBarRenderer::SamePlace(const Drawing& a, const Drawing& b)
{
    // Not the same bits: a copy of the surface last drawn holds that drawing too.
    return a.bits && a.width == b.width && a.height == b.height && a.axisPosition == b.axisPosition &&
           a.axisLength == b.axisLength && a.crossPosition == b.crossPosition && a.crossLength == b.crossLength &&
           a.vertical == b.vertical;
}

bool CSegmentBarRenderer::LineLook::operator==(const LineLook& o) const
{
    return gradient == o.gradient && revision == o.revision && color == o.color && style == o.style && lead == o.lead &&
           trail == o.trail;
}

CSegmentBarRenderer::LineLook CSegmentBarRenderer::LookOf(const Drawing& drawing, int o)
{
    for (int i = drawing.count - 1; i >= 0; --i) {
        const Fill& f = drawing.fills[i];
        if (o < f.span.from || o >= f.span.to)
            continue;
        // Lines past the third from either end look alike; so do all lines of an unbevelled span.
        const bool capped = f.style != BevelNone && f.span.to - f.span.from >= 2;
        const int lead = capped ? std::min(o - f.span.from, kMaxEdgeLines) : kMaxEdgeLines;
        const int trail = capped ? std::min(f.span.to - 1 - o, kMaxEdgeLines) : kMaxEdgeLines;
        return {f.gradient, f.revision, f.color, f.style, lead, trail};
    }
    return {nullptr, 0, 0, -1, 0, 0}; // left as it was
}

void CSegmentBarRenderer::DrawDifferences(CBitmapDC& surface, const Drawing& next)
{
    // A line's look changes only at a fill's ends and its edge lines: between
    // two such points every line of either drawing looks alike.
    int points[2 * kMaxFills * 2 * (kMaxEdgeLines + 1)];
    int n = 0;
    for (const Drawing* drawing : {static_cast<const Drawing*>(&m_drawn), &next})
        for (int i = 0; i < drawing->count; ++i) {
            const Span s = drawing->fills[i].span;
            for (int k = 0; k <= kMaxEdgeLines; ++k) {
                points[n++] = std::min(s.from + k, s.to);
                points[n++] = std::max(s.to - k, s.from);
            }
        }
    std::sort(points, points + n);
    n = int(std::unique(points, points + n) - points);
    Span dirty = {0, 0};
    for (int i = 0; i + 1 < n; ++i) {
        if (LookOf(m_drawn, points[i]) == LookOf(next, points[i]))
            continue;
        if (dirty.to != points[i]) {
            Replay(surface, next, dirty);
            dirty.from = points[i];
        }
        dirty.to = points[i + 1];
    }
    Replay(surface, next, dirty);
}

void CSegmentBarRenderer::Replay(CBitmapDC& surface, const Drawing& drawing, Span window)
{
    if (window.from >= window.to)
        return;
    for (int i = 0; i < drawing.count; ++i) {
        const Span s = drawing.fills[i].span;
        const Span drawn = {std::max(s.from, window.from), std::min(s.to, window.to)};
        if (drawn.from >= drawn.to)
            continue;
        const bool none = m_changedSpan.from >= m_changedSpan.to;
        m_changedSpan = {none ? drawn.from : std::min(m_changedSpan.from, drawn.from),
                         none ? drawn.to : std::max(m_changedSpan.to, drawn.to)};
    }
    for (int i = 0; i < drawing.count; ++i)
        FillLines(surface, drawing.fills[i], window);
}

uint32_t* CSegmentBarRenderer::PixelAt(CBitmapDC& surface, int o, int a) const
{
    const int along = m_geometry.axisPosition + a;
    const int across = m_geometry.crossPosition + o;
    const int x = m_geometry.vertical ? across : along;
    const int y = m_geometry.vertical ? along : across;
    if (x < 0 || y < 0 || x >= surface.GetWidth() || y >= surface.GetHeight())
        return nullptr;
    return surface.GetBits() + y * surface.GetWidth() + x;
}

void CSegmentBarRenderer::FillLines(CBitmapDC& surface, const Fill& fill, Span window) const
{
    const CColorGradient* gradient = fill.gradient;
    const uint32_t* table = gradient ? gradient->GetTable() : nullptr;
    const int tableSize = table ? gradient->GetSize() : 0;
    const uint32_t color = fill.color;
    // The span within the window and the bar's width, cut to the surface.
    const bool vertical = m_geometry.vertical;
    const int crossLimit = vertical ? surface.GetWidth() : surface.GetHeight();
    const int axisLimit = vertical ? surface.GetHeight() : surface.GetWidth();
    const int o0 = std::max({fill.span.from, window.from, -m_geometry.crossPosition});
    const int o1 = std::min({fill.span.to, window.to, crossLimit - m_geometry.crossPosition});
    const int a0 = std::max(0, -m_geometry.axisPosition);
    const int a1 = std::min(m_geometry.axisLength, axisLimit - m_geometry.axisPosition);
    auto entry = [&](int o) { return o >= 0 && o < tableSize ? table[o] : color; };
    if (o0 < o1 && a0 < a1) {
        const int stride = surface.GetWidth();
        uint32_t* corner = PixelAt(surface, o0, a0);
        if (vertical) { // a row of the surface runs along the bar, and every row is alike
            for (int o = o0; o < o1; ++o)
                corner[o - o0] = entry(o);
            for (uint32_t* row = corner + stride; row < corner + (a1 - a0) * stride; row += stride)
                std::copy(corner, corner + (o1 - o0), row);
        } else {
            for (int o = o0; o < o1; ++o, corner += stride)
                std::fill_n(corner, a1 - a0, entry(o));
        }
    }
    if (fill.style != BevelNone)
        Bevel(surface, fill.span, fill.style, window);
}

// Edge lines run in a fixed order, so a pixel on two of them gets both steps in
// the same order whichever lines the window lets through.
void CSegmentBarRenderer::Bevel(CBitmapDC& surface, Span span, int s, Span window) const
{
    auto apply = [&](int o, int a, BevelOp op) {
        if (o < window.from || o >= window.to)
            return;
        if (uint32_t* px = op ? PixelAt(surface, o, a) : nullptr)
            *px = op(*px);
    };
    const int width = m_geometry.axisLength;
    // Only columns and lines on the surface are visited: a bar far larger would loop for minutes.
    const bool vertical = m_geometry.vertical;
    const int64_t axisLimit = vertical ? surface.GetHeight() : surface.GetWidth();
    const int64_t crossLimit = vertical ? surface.GetWidth() : surface.GetHeight();
    const int a0 = int(std::clamp<int64_t>(-int64_t(m_geometry.axisPosition), 0, width));
    const int a1 = int(std::clamp<int64_t>(axisLimit - m_geometry.axisPosition, 0, width));
    if (span.to - span.from >= 2)
        for (int j = 0; j < kMaxEdgeLines; ++j)
            for (int a = a0; a < a1; ++a) {
                if (span.from + j < span.to)
                    apply(span.from + j, a, kCapOps[s].lead[j]);
                if (span.to - 1 - j >= span.from)
                    apply(span.to - 1 - j, a, kCapOps[s].trail[j]);
            }
    const int64_t from = std::max<int64_t>({span.from, window.from, -int64_t(m_geometry.crossPosition)});
    const int64_t to = std::min<int64_t>({span.to, window.to, crossLimit - m_geometry.crossPosition});
    for (int64_t o = from; o < to; ++o)
        for (int j = 0; j < kMaxEdgeLines && j < width; ++j) {
            apply(int(o), j, kSideOps[s].lead[j]);
            apply(int(o), width - 1 - j, kSideOps[s].trail[j]);
        }
}
