#include "gui/controls/CMeterViewControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/skin/CSkinImageSet.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include "gui/skin/SkinInsets.h"
#include "gui/ToolkitConventions.h"

namespace {
const int kDarken = 210; // of 256: a dimmed background sets the bars off
} // namespace

CMeterViewControl::CMeterViewControl()
    : m_visible(0), m_toggle(0), m_showWhole(1), m_shownLast(), m_frameRequest(), m_skin(nullptr), m_query(), m_phase()
{}

CMeterViewControl::~CMeterViewControl()
{
    Destroy();
}

void CMeterViewControl::Destroy()
{
    CControl::Destroy();
    m_view.DeleteRenderers();
}

int CMeterViewControl::Create(const MeterViewCreateParams& params)
{
    m_record = params;
    m_skin = params.place.container ? params.place.container->GetSkinRenderer() : nullptr;
    m_query = QuerySkinElement(m_skin, this, params.frameKind, params.place.width, params.place.height);
    ControlWindowParams window = PaintedWindowAt(params);
    window.trackMouse = 1;
    CControl::Create(window);
    RebuildBitmaps();
    Refresh();
    return 0;
}

void CMeterViewControl::RebuildBitmaps()
{
    const SkinInsets insets = m_query.imageSet ? m_query.imageSet->stretchInsets : SkinInsets{};
    if (!HasRoomFor(insets, m_record.place.width, m_record.place.height)) {
        ShowWindowNow(false); // also when it was created visible and never had room
        m_visible = 0;
        return;
    }
    m_bitmapA.Create(m_record.place.width, m_record.place.height, kBitsPerPixel);
    if (m_record.place.container)
        m_bitmapA.CopyFrom(*m_record.place.container->GetSurface(), GetOffsetX(), GetOffsetY(), m_record.place.width,
                           m_record.place.height, 0, 0);
    if (m_record.darken)
        ScaleImageColors(&m_bitmapA, 0, 0, 0, 0, kDarken, kDarken, kDarken);
    if (m_record.backgroundKind && m_skin) {
        SkinDrawRequest request = {};
        request.target = &m_bitmapA;
        request.level = kUnity;
        request.kind = m_record.backgroundKind;
        m_skin->DrawElement(request);
    }
    Rebuild();
    m_bitmapB.CreateCopy(m_bitmapA);
    m_shownLast = {};
    m_showWhole = 1;
    if (!m_visible)
        ShowWindowNow(true);
    m_visible = 1;
}

void CMeterViewControl::Rebuild()
{
    BarGraphViewDesc* d = m_view.Reset();
    const int x = m_record.place.x, y = m_record.place.y, w = m_record.place.width, h = m_record.place.height;
    d->width = w;
    d->height = h;
    d->areaLeft = x + m_record.insetX;
    d->areaTop = y + m_record.insetY;
    d->areaRight = x + w - m_record.insetX;
    d->areaBottom = y + h - m_record.insetY;
    d->target = &m_bitmapA;
    d->startOffset = m_record.insetX;
    d->crossOffset = m_record.insetY;
    m_phase = {0, x, y, w, h, &m_view, d, this, m_record.controlId};
    SendPhase(MeterPhase::Describe);
    m_view.Configure(*d);
    SendPhase(MeterPhase::Renderers);
    m_view.Layout();
    m_frameRequest = {};
    m_frameRequest.target = &m_bitmapA;
    m_frameRequest.level = kUnity;
    m_frameRequest.kind = m_record.frameKind;
    m_view.PaintGroupFrames(*this);
    SendPhase(MeterPhase::Static);
    m_view.SaveBackground();
    m_view.DrawInto(m_bitmapA);
}

void CMeterViewControl::PaintGroupFrame(int left, int top, int right, int bottom)
{
    if (!m_skin)
        return;
    const SkinInsets& c = m_query.contentInsets;
    // The frame's content area takes the group, a pixel inside its insets.
    m_frameRequest.rect = {left - c.left + 1, top - c.top + 1, right + c.right - 2, bottom + c.bottom - 1};
    m_frameRequest.rectValid = 1;
    m_skin->DrawElement(m_frameRequest);
}

void CMeterViewControl::SendPhase(int32_t phase)
{
    m_phase.phase = phase;
    ControlNotification record;
    record.code = kPhaseCode;
    record.data3 = &m_phase;
    NotifyOwner(record);
}

int CMeterViewControl::NotifyOwner(ControlNotification& record)
{
    record.kind = kPhaseKind;
    record.controlId = m_record.controlId;
    record.sender = this;
    return m_record.owner ? m_record.owner->OnNotify(&record) : 0;
}

void CMeterViewControl::Refresh()
{
    if (!m_visible || !m_window.IsOnScreen())
        return;
    SendPhase(MeterPhase::Values);
    CBitmapDC* bitmap = GetDrawBitmap();
    const RECT& last = m_shownLast;
    if (!IsRectEmpty(&last))
        bitmap->CopyFrom(*GetShownBitmap(), last.left, last.top, last.right - last.left, last.bottom - last.top,
                         last.left, last.top);
    RECT changed = {};
    for (int i = 0; i < m_view.GetRendererCount(); ++i) {
        CBarRenderer* renderer = m_view.GetRenderer(i);
        renderer->DrawOver(*bitmap); // it holds the picture on screen, so their last drawings
        UnionRect(&changed, &changed, &renderer->GetChanged());
    }
    const RECT whole = {0, 0, m_record.place.width, m_record.place.height};
    if (m_showWhole)
        changed = whole;
    m_showWhole = 0;
    if (IntersectRect(&m_shownLast, &changed, &whole))
        ShowBitmap(bitmap, m_shownLast.left, m_shownLast.top, m_shownLast.right - m_shownLast.left,
                   m_shownLast.bottom - m_shownLast.top, m_shownLast.left, m_shownLast.top);
    m_toggle ^= 1;
}

void CMeterViewControl::SetHighlight(int item, bool on)
{
    CBarRenderer* renderer = reinterpret_cast<CBarRenderer*>(intptr_t(item));
    if (m_record.hoverHighlight && renderer && m_view.Contains(renderer) &&
        renderer->GetType() == BarRendererType::Segment)
        static_cast<CSegmentBarRenderer*>(renderer)->useAlternate = on;
}

int CMeterViewControl::OnMouse(const MouseEvent& event)
{
    switch (event.action) {
    case MouseEvent::Action::Release:
        if (event.button == MouseEvent::Button::Right && m_window.IsCursorOverWindow() && m_record.owner) {
            ControlNotification record;
            record.kind = kContextKind;
            record.code = NotifyCode::RightUp;
            record.controlId = m_record.controlId;
            record.sender = this;
            m_record.owner->OnNotify(&record);
        }
        break;
    case MouseEvent::Action::Enter: SetHighlight(event.raw.p1, true); break;
    case MouseEvent::Action::Leave: SetHighlight(event.raw.p1, false); break;
    default: break;
    }
    return 0;
}
int CMeterViewControl::OnCommand(const CommandEvent& event)
{
    switch (event.raw.code) {
    case ControlCommand::Place:
        if (event.rect)
            PlaceRecord(m_record.place, *event.rect);
        break;
    case ControlCommand::Rebuild:
        if (!m_record.fixed)
            RebuildBitmaps();
        break;
    case ControlCommand::Show: ShowWindowNow(event.value != 0); break;
    }
    return 0;
}
int CMeterViewControl::OnPaintRequest(const PaintRequest& request)
{
    PaintFrom(request.answer, GetShownBitmap());
    return 0;
}
// The pointer's tracking codes: which renderer is under it, and its tool tip.
int CMeterViewControl::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    switch (code) {
    case WindowEvent::Hover: {
        CBarRenderer* renderer = reinterpret_cast<CBarRenderer*>(intptr_t(p1));
        if (renderer && m_view.Contains(renderer) && !CPhysicalWindow::IsMenuOpen() && !renderer->toolTip.empty())
            ShowToolTip(renderer->toolTip.c_str());
        break;
    }
    case WindowEvent::MouseTrack:
        if (data) {
            const POINT at = EventPoint(p1);
            *static_cast<int*>(data) = int(reinterpret_cast<intptr_t>(m_view.HitTest(at.x, at.y)));
        }
        break;
    }
    return 0;
}
