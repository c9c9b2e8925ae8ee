#include "gui/controls/CImageControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CSkinImageSet.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/SkinInsets.h"
#include "gui/ToolkitConventions.h"

namespace {
const uint32_t kOpaqueBlack = 0xFF000000;
// The frame element's pictures: its face and, where the set has one, the
// picture whose alpha shapes the border.
const int kFrameState = 0;
const int kFrameAlphaState = 8;
} // namespace

CImageControl::CImageControl()
    : m_interior(), m_changed(), m_shownLast(), m_blank(1), m_toggle(0), m_shown(0), m_wanted(0)
{}

CImageControl::~CImageControl()
{
    Destroy();
}

int CImageControl::Create(const ImageControlParams& params)
{
    m_record = params;
    m_toggle = 0;
    m_shown = 0;
    m_wanted = params.visible;
    ControlWindowParams window = PaintedWindowAt(params);
    window.toolTipText = params.toolTipText;
    CControl::Create(window);
    Rebuild();
    Present();
    return 0;
}

bool CImageControl::QueryBorders(SkinInsets& borders, const CBitmapDC*& frame, const CBitmapDC*& alpha)
{
    CSkinRenderer* skin = m_record.place.container ? m_record.place.container->GetSkinRenderer() : nullptr;
    const SkinElementQuery query =
        QuerySkinElement(skin, this, m_record.frameStyle, m_record.place.width, m_record.place.height);
    if (!query.imageSet)
        return false;
    borders = query.imageSet->stretchInsets;
    frame = query.imageSet->StateImage(kFrameState);
    alpha = query.imageSet->StateImage(kFrameAlphaState);
    if (!alpha)
        alpha = frame;
    return true;
}

void CImageControl::Rebuild()
{
    SkinInsets borders = {};
    const CBitmapDC* frame = nullptr;
    const CBitmapDC* alpha = nullptr;
    const bool framed = !m_record.plainBackground && QueryBorders(borders, frame, alpha);
    if (!HasRoomFor(borders, m_record.place.width, m_record.place.height)) {
        ShowWindowNow(false); // also when it was created visible and never had room
        m_shown = 0;
        return;
    }
    for (CBitmapDC* buffer : {&m_bufferA, &m_bufferB})
        buffer->Create(m_record.place.width, m_record.place.height, kBitsPerPixel);
    m_interior = {borders.left, borders.top, m_record.place.width - borders.right,
                  m_record.place.height - borders.bottom};
    if (m_record.plainBackground) {
        FillFromBackground(m_bufferA);
        FillFromBackground(m_bufferB);
    } else {
        int x = 0, y = 0;
        const CBitmapDC* background = Background(x, y);
        if (m_record.hostDrawn) {
            for (CBitmapDC* buffer : {&m_bufferA, &m_bufferB}) {
                buffer->Fill(kOpaqueBlack);
                buffer->SetBlend(SurfaceBlend::Copy);
            }
        }
        if (framed && background && frame && alpha) {
            m_frame.Compose(*background, *frame, *alpha, borders, x, y, m_record.place.width, m_record.place.height);
            m_frame.Draw(m_bufferA); // once: owners draw inside it
            m_frame.Draw(m_bufferB);
        }
    }
    m_blank = 1;
    m_shownLast = {};
    Notify(NotifyCode::Rebuilt);
    if (!m_shown && m_wanted) // room found again does not undo the owner's hiding
        ShowWindowNow(true);
    m_shown = 1;
}

const CBitmapDC* CImageControl::Background(int& x, int& y)
{
    if (m_record.background) {
        x = m_record.sourceX;
        y = m_record.sourceY;
        return m_record.background;
    }
    CBitmapDC* parentBack = m_record.place.parent ? m_record.place.parent->GetWindow()->GetBackBitmap() : nullptr;
    if (m_record.plainBackground && parentBack) {
        x = m_record.place.x;
        y = m_record.place.y;
        return parentBack;
    }
    x = GetOffsetX();
    y = GetOffsetY();
    return m_record.place.container ? m_record.place.container->GetSurface() : nullptr;
}

void CImageControl::FillFromBackground(CBitmapDC& buffer)
{
    int x = 0, y = 0;
    const CBitmapDC* background = Background(x, y);
    if (background)
        buffer.CopyFrom(*background, x, y, 0, 0, 0, 0);
}

void CImageControl::Notify(int code)
{
    if (!m_record.listener)
        return;
    ControlNotification record;
    record.kind = kNotificationKind;
    record.code = code;
    record.controlId = m_record.controlId;
    record.sender = this;
    m_record.listener->OnNotify(&record);
}

bool CImageControl::IsOnScreen()
{
    return m_shown && m_wanted && m_window.GetHwnd() && m_window.IsOnScreen();
}

void CImageControl::Present()
{
    if (!IsOnScreen())
        return;
    CBitmapDC* back = GetBackBuffer();
    if (m_record.plainBackground)
        FillFromBackground(*back);
    else if (!m_blank && !IsRectEmpty(&m_shownLast))
        back->CopyFrom(*GetFrontBuffer(), m_shownLast.left, m_shownLast.top, m_shownLast.right - m_shownLast.left,
                       m_shownLast.bottom - m_shownLast.top, m_shownLast.left, m_shownLast.top);
    m_changed = {};
    Notify(NotifyCode::DrawRequest);
    const RECT whole = {0, 0, m_record.place.width, m_record.place.height};
    m_shownLast = m_blank || m_record.plainBackground ? whole : m_changed;
    m_blank = 0;
    if (!IsRectEmpty(&m_shownLast))
        Show(*back, m_shownLast);
    m_toggle ^= 1;
}

void CImageControl::MarkChanged(const RECT& rect)
{
    RECT inside;
    if (IntersectRect(&inside, &rect, &m_interior))
        UnionRect(&m_changed, &m_changed, &inside);
}

void CImageControl::Show(const CBitmapDC& buffer, const RECT& part)
{
    const int w = part.right - part.left, h = part.bottom - part.top;
    if (m_record.hostDrawn && m_record.place.container)
        m_record.place.container->GetWindow()->ShowBitmap(&buffer, part.left, part.top, w, h,
                                                          m_record.place.x + part.left, m_record.place.y + part.top);
    else
        ShowBitmap(&buffer, part.left, part.top, w, h, part.left, part.top);
}

int CImageControl::OnMouse(const MouseEvent& event)
{
    const bool right = event.button == MouseEvent::Button::Right;
    if (event.action == MouseEvent::Action::Release && right && m_window.IsCursorOverWindow())
        Notify(NotifyCode::RightUp);
    const bool left = event.button == MouseEvent::Button::Left;
    if (event.action == MouseEvent::Action::DoubleClick && left && m_window.IsCursorOverWindow())
        Notify(NotifyCode::DoubleClick);
    return 0;
}
int CImageControl::OnCommand(const CommandEvent& event)
{
    switch (event.raw.code) {
    case ControlCommand::Place:
        if (event.rect)
            PlaceRecord(m_record.place, *event.rect);
        break;
    case ControlCommand::Rebuild:
        if (m_window.GetHwnd())
            Rebuild();
        break;
    case ControlCommand::Show:
        m_wanted = event.value != 0;
        ShowWindowNow(m_wanted);
        break;
    }
    return 0;
}
int CImageControl::OnPaintRequest(const PaintRequest& request)
{
    PaintFrom(request.answer, GetFrontBuffer());
    return 0;
}
