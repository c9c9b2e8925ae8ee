#include "gui/graphics/CBarGraphView.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <climits>
#include <cstring>
#include <cmath>

namespace {
const int kDefaultSide = 512;
const int kDefaultMargin = 3;
const int kDefaultCapacity = 64;
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kMidGrey = 0x808080;
const int kDefaultLabelInset = 3;
const int kDefaultLabelOffset = 2;
const int kFrameBefore = 2, kFrameAfter = 3;
const float kNudge = 0.000001f;  // lets a slot of 33.9999997 pixels count as 34
const int kThinBar = 2;          // bars narrower than this get no bevel
const int kBevelledSegments = 3; // ... on their first three segments
const int kShadowShift = 1;      // the shadow lies a pixel right of the text

int FloorPixels(float value)
{
    return static_cast<int>(std::floor(value + kNudge));
}

BarGraphViewDesc Defaults()
{
    BarGraphViewDesc d = {};
    d.width = d.height = kDefaultSide;
    d.marginLeft = d.marginTop = d.marginRight = d.marginBottom = kDefaultMargin;
    d.capacity = kDefaultCapacity;
    d.labelFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    d.labelShadow = 1;
    d.labelColor = kWhite;
    d.labelShadowColor = kMidGrey;
    d.labelInset = kDefaultLabelInset;
    d.labelOffset = kDefaultLabelOffset;
    d.frameAxisBefore = d.frameCrossBefore = kFrameBefore;
    d.frameAxisAfter = d.frameCrossAfter = kFrameAfter;
    d.separateBars = 1;
    return d;
}

bool IsWeighted(const CBarRenderer* r)
{
    return r->fixedSize == 0;
}
} // namespace

CBarFramePainter::~CBarFramePainter() = default;

CBarGraphView::CBarGraphView()
    : m_area(), m_state(BarViewState::Constructed), m_desc(Defaults()), m_defaults(Defaults()), m_capacity(0),
      m_count(0), m_labelX(0), m_labelY(0), m_target(nullptr), m_presented(), m_backHoldsBars(false)
{}

CBarGraphView::~CBarGraphView()
{
    DeleteRenderers();
}

BarGraphViewDesc* CBarGraphView::Reset()
{
    DeleteRenderers();
    m_defaults = Defaults();
    m_state = BarViewState::Reset;
    return &m_defaults;
}

int CBarGraphView::Configure(const BarGraphViewDesc& desc)
{
    m_desc = desc;
    if (desc.capacity < 1 || desc.capacity > INT_MAX / int(sizeof(CBarRenderer*)))
        return -1;
    DeleteRenderers(); // a second Configure must not strand the first table's renderers
    if (!m_table.Resize(desc.capacity * int(sizeof(CBarRenderer*))))
        return -1;
    m_table.Fill(0); // entries past the count stay null
    m_capacity = desc.capacity;
    m_state = BarViewState::Configured;
    return 0;
}

CBarRenderer* CBarGraphView::CreateRenderer(BarRendererType type)
{
    if (m_count >= m_capacity)
        return nullptr;
    CBarRenderer* renderer = nullptr;
    if (type == BarRendererType::Segment)
        renderer = new CSegmentBarRenderer();
    else if (type == BarRendererType::Bitmap)
        renderer = new CBitmapBarRenderer();
    if (renderer)
        Table()[m_count++] = renderer;
    return renderer;
}

CBarRenderer* CBarGraphView::GetRenderer(int index) const
{
    return index >= 0 && index < m_count ? Table()[index] : nullptr;
}

CSegmentBarRenderer* CBarGraphView::GetSegmentRenderer(int index) const
{
    CBarRenderer* r = GetRenderer(index);
    return r && r->GetType() == BarRendererType::Segment ? static_cast<CSegmentBarRenderer*>(r) : nullptr;
}

CBitmapBarRenderer* CBarGraphView::GetBitmapRenderer(int index) const
{
    CBarRenderer* r = GetRenderer(index);
    return r && r->GetType() == BarRendererType::Bitmap ? static_cast<CBitmapBarRenderer*>(r) : nullptr;
}

bool CBarGraphView::Contains(const CBarRenderer* renderer) const
{
    for (int i = 0; i < m_count; ++i)
        if (Table()[i] == renderer)
            return true;
    return false;
}

CBarRenderer* CBarGraphView::HitTest(int x, int y) const
{
    for (int i = 0; i < m_count; ++i) {
        const BarGeometry& g = Table()[i]->GetGeometry();
        const int along = g.vertical ? y : x;
        const int across = g.vertical ? x : y;
        if (along >= g.axisPosition && along < g.axisPosition + g.axisLength && across >= g.crossPosition &&
            across < g.crossPosition + g.crossLength)
            return Table()[i];
    }
    return nullptr;
}

void CBarGraphView::Layout()
{
    m_backHoldsBars = false;
    if (m_desc.target) {
        m_target = m_desc.target;
    } else {
        m_back.Create(m_desc.width, m_desc.height, kBitsPerPixel);
        m_target = &m_back;
    }
    m_background.Create(m_desc.width, m_desc.height, kBitsPerPixel);
    if (!m_desc.window || !GetClientRect(m_desc.window, &m_area))
        m_area = {m_desc.areaLeft, m_desc.areaTop, m_desc.areaRight, m_desc.areaBottom};
    PlaceRenderers();
    m_state = BarViewState::LaidOut;
}

// Weighted slots share what the fixed ones leave; the last bar's slot counts
// only its filled part, so that the row ends on a bar, not on a gap.
void CBarGraphView::PlaceRenderers()
{
    const int n = m_count;
    CBarRenderer** table = Table();
    const bool vertical = m_desc.vertical != 0;
    float gapSum = 0, weightSum = 0;
    int fixedSum = 0;
    for (int i = 0; i < n; ++i) {
        const CBarRenderer* r = table[i];
        if (i < n - 1)
            gapSum += r->GetGapWeight();
        if (!IsWeighted(r))
            fixedSum += r->fixedSize;
        else
            weightSum += r->GetSizeWeight() * (i == n - 1 ? r->GetFillFactor() : 1.0f);
    }
    const int lead = vertical ? m_desc.marginTop : m_desc.marginLeft;
    const int freeLength = vertical ? m_area.bottom - m_desc.marginBottom - m_desc.marginTop - m_area.top - fixedSum
                                    : m_area.right - m_desc.marginRight - m_desc.marginLeft - m_area.left - fixedSum;
    // Only fixed slots (or no weight at all) leave nothing to share.
    const float weights = gapSum + weightSum;
    const float ppw = weights > 0 ? float(freeLength) / weights : 0.0f;

    int used = 0, gapCount = 0;
    for (int i = 0; i < n; ++i) {
        const CBarRenderer* r = table[i];
        if (IsWeighted(r)) {
            const float slot = r->GetSizeWeight() * ppw * (i == n - 1 ? r->GetFillFactor() : 1.0f);
            used += FloorPixels(slot) + FloorPixels(r->GetGapWeight() * ppw);
        }
        gapCount += r->gapWeight != 0;
    }
    const int remainder = freeLength - used;
    const float extraPerGap = gapCount ? float(remainder) / gapCount : 0.0f;
    float runningExtra = float(remainder);
    int pos = m_desc.startOffset + lead + (gapCount ? 0 : remainder / 2); // no gaps: centred

    BarGeometry g = {};
    g.vertical = vertical;
    if (vertical) {
        g.crossLength = m_area.right - m_desc.marginRight - m_desc.labelColumnWidth - m_desc.marginLeft - m_area.left;
        g.crossPosition = m_desc.crossOffset + m_desc.labelColumnWidth + m_desc.marginLeft;
        m_labelX = m_desc.labelColumnWidth + m_desc.marginLeft;
        m_labelY = 0;
    } else {
        g.crossLength = m_area.bottom - m_desc.labelRowHeight - m_desc.marginBottom - m_desc.marginTop - m_area.top;
        g.crossPosition = m_desc.crossOffset + m_desc.marginTop;
        m_labelX = 0;
        m_labelY = m_desc.labelOffset + g.crossPosition + g.crossLength;
    }
    g.backgroundDC = m_background.GetDC();

    for (int i = 0; i < n; ++i) {
        CBarRenderer* r = table[i];
        g.index = i;
        g.axisPosition = pos;
        if (!IsWeighted(r)) {
            g.axisLength = r->fixedSize;
            pos += r->fixedSize;
        } else {
            const float s = r->GetSizeWeight() * ppw;
            g.axisLength = int(s) - int(s * (1.0f - r->GetFillFactor()));
            pos += FloorPixels(s);
            if (m_desc.separateBars && pos <= g.axisPosition + g.axisLength)
                --g.axisLength; // one free pixel before the next slot
            pos += FloorPixels(r->GetGapWeight() * ppw);
        }
        if (r->gapWeight != 0) {
            pos += int(runningExtra) - int(runningExtra - extraPerGap);
            runningExtra -= extraPerGap;
        }
        r->SetGeometry(g);
        if (g.axisLength < kThinBar && r->GetType() == BarRendererType::Segment)
            for (int k = 0; k < kBevelledSegments; ++k)
                static_cast<CSegmentBarRenderer*>(r)->bevel[k] = BevelNone;
        r->OnLayout();
    }
}

void CBarGraphView::PaintGroupFrames(CBarFramePainter& painter)
{
    CBarRenderer** table = Table();
    auto isSegment = [&](int i) { return table[i]->GetType() == BarRendererType::Segment; };
    for (int first = 0; first < m_count; ++first) {
        if (!isSegment(first))
            continue;
        int last = first;
        while (table[last]->gapWeight == 0 && last + 1 < m_count && isSegment(last + 1) &&
               table[last + 1]->sizeWeight == table[first]->sizeWeight)
            ++last;
        const BarGeometry& a = table[first]->GetGeometry();
        const BarGeometry& b = table[last]->GetGeometry();
        const int axisStart = a.axisPosition - m_desc.frameAxisBefore;
        const int crossStart = a.crossPosition - m_desc.frameCrossBefore;
        const int axisEnd = b.axisPosition + b.axisLength + m_desc.frameAxisAfter;
        const int crossEnd = b.crossPosition + b.crossLength + m_desc.frameCrossAfter;
        if (m_desc.vertical)
            painter.PaintGroupFrame(crossStart, axisStart, crossEnd, axisEnd);
        else
            painter.PaintGroupFrame(axisStart, crossStart, axisEnd, crossEnd);
        first = last;
    }
}

bool CBarGraphView::DrawLabel(int first, int last, const char* text)
{
    const CBarRenderer* a = GetRenderer(first);
    const CBarRenderer* b = GetRenderer(last);
    if (!a || !b || !text || !m_target || !m_target->GetDC())
        return false;
    m_backHoldsBars = false;
    const HDC dc = m_target->GetDC();
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, m_desc.labelBackground);
    SelectObject(dc, m_desc.labelFont);
    const int span = a->GetGeometry().axisPosition + b->GetGeometry().axisPosition + b->GetGeometry().axisLength;
    int x, y;
    const UINT length = UINT(strlen(text));
    if (m_desc.vertical) {
        SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
        x = m_labelX - m_desc.labelInset;
        y = (span + m_desc.labelRowHeight) / 2 + m_desc.labelOffset;
    } else {
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        x = CentreInsideArea(dc, span / 2, text, length);
        y = m_labelY;
    }
    if (m_desc.labelShadow) {
        SetTextColor(dc, m_desc.labelShadowColor);
        ExtTextOutA(dc, x + kShadowShift, y, 0, nullptr, text, length, nullptr);
    }
    SetTextColor(dc, m_desc.labelColor);
    return ExtTextOutA(dc, x, y - 1, 0, nullptr, text, length, nullptr) != FALSE;
}

int CBarGraphView::CentreInsideArea(HDC dc, int centre, const char* text, UINT length) const
{
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, int(length), &extent);
    // A label at either end moves in rather than lose its edge to the area's;
    // one wider than the area keeps its left end.
    const int right = m_area.right - m_area.left - kShadowShift - (extent.cx - extent.cx / 2);
    return std::max(std::min(centre, right), int(extent.cx / 2));
}

bool CBarGraphView::SaveBackground()
{
    if (!m_target || !m_target->GetDC() || !m_background.GetDC())
        return false;
    m_state = BarViewState::BackgroundSaved;
    return BitBlt(m_background.GetDC(), 0, 0, m_desc.width, m_desc.height, m_target->GetDC(), 0, 0, SRCCOPY) != FALSE;
}

void CBarGraphView::DrawInto(CBitmapDC& bitmap)
{
    for (int i = 0; i < m_count; ++i)
        Table()[i]->Draw(bitmap);
}

int CBarGraphView::Present(HDC dc, PresentScope scope)
{
    m_presented = {};
    if (m_state < BarViewState::LaidOut || !m_target)
        return 0;
    const bool over = m_backHoldsBars;
    RECT changed = {};
    for (int i = 0; i < m_count; ++i) {
        CBarRenderer* r = Table()[i];
        if (over)
            r->DrawOver(*m_target);
        else
            r->Draw(*m_target);
        UnionRect(&changed, &changed, &r->GetChanged());
    }
    m_backHoldsBars = m_target == &m_back;
    RECT part = {0, 0, m_area.right - m_area.left, m_area.bottom - m_area.top};
    if (scope == PresentScope::Changes && over && !IntersectRect(&part, &part, &changed))
        return 0;
    if (dc && m_target->GetDC()) {
        BitBlt(dc, m_area.left + part.left, m_area.top + part.top, part.right - part.left, part.bottom - part.top,
               m_target->GetDC(), part.left, part.top, SRCCOPY);
        m_presented = part;
        OffsetRect(&m_presented, m_area.left, m_area.top);
    }
    return 0;
}

void CBarGraphView::DeleteRenderers()
{
    for (int i = 0; i < m_count; ++i) {
        delete Table()[i];
        Table()[i] = nullptr;
    }
    m_count = 0;
    m_capacity = 0;
    m_backHoldsBars = false;
}

void CBarGraphView::PaintGroupFrame(int left, int top, int right, int bottom)
{
    if (!m_target || !m_target->GetDC())
        return;
    m_backHoldsBars = false;
    RECT r = {left, top, right, bottom};
    ::FillRect(m_target->GetDC(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawEdge(m_target->GetDC(), &r, EDGE_SUNKEN, BF_RECT);
}
