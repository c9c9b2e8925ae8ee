#include "gui/controls/CStaticTextControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/CTextPainter.h"
#include "gui/skin/PixelOperations.h"
#include "gui/window/WindowEvent.h"
#include "gui/ToolkitConventions.h"

namespace {
const int kDarkenedFactor = 210; // of 256
const uint32_t kMarkedPixel = 0x00FF0000;
const int kFacePad = 2; // more room around the text of a drawn face
// The frame's picture and the picture whose alpha shapes it.
const int kFrameState = 0;
const int kFrameAlphaState = 8;
const int kWholeBitmap = 0; // ScaleImageColors: all edges below 1

int Channel(uint32_t pixel, int shift)
{
    return int((pixel >> shift) & 0xFF);
}
} // namespace

StaticTextParams::StaticTextParams()
{
    text.text = "CStaticTextControl";
    text.textColor = 0xFFFFFF;
    text.shadowColor = 0;
    text.backgroundColor = 0x808080;
}

CStaticTextControl::CStaticTextControl() = default;

int CStaticTextControl::Create(const StaticTextParams& params)
{
    m_params = params;
    TakeParentBackground(m_params);
    ControlCreateParams create;
    create.place = m_params.place;
    create.notifyKind = kNotifyKind;
    create.listener = m_params.listener;
    create.kind = m_params.kind;
    create.visible = m_params.visible;
    create.listenerPaints = 1;
    create.dragAnywhere = m_params.dragAnywhere;
    create.background = m_params.background;
    create.sourceX = m_params.sourceX;
    create.sourceY = m_params.sourceY;
    create.toolTipText = m_params.toolTipText;
    create.level = kUnity;
    if (m_params.framed) {
        SkinInsets insets, borders;
        const CSkinImageSet* set = nullptr;
        CBitmapDC* surface = m_params.place.container ? m_params.place.container->GetSurface() : nullptr;
        if (QueryElement(insets, borders, &set) && surface) {
            const CBitmapDC* frame = set->StateImage(kFrameState);
            const CBitmapDC* alpha = set->StateImage(kFrameAlphaState);
            if (frame)
                m_frame.Compose(*surface, *frame, alpha ? *alpha : *frame, borders, m_params.place.x, m_params.place.y,
                                m_params.place.width, m_params.place.height);
        }
    }
    CSkinControl::Create(create);
    Render();
    return 0;
}

bool CStaticTextControl::QueryElement(SkinInsets& insets, SkinInsets& borders, const CSkinImageSet** set)
{
    insets = borders = SkinInsets{};
    CSkinRenderer* skin = m_params.place.container ? m_params.place.container->GetSkinRenderer() : nullptr;
    const SkinElementQuery query =
        QuerySkinElement(skin, this, m_params.kind, m_params.place.width, m_params.place.height);
    if (!query.imageSet)
        return false;
    insets = query.contentInsets;
    borders = query.imageSet->stretchInsets;
    if (set)
        *set = query.imageSet;
    return true;
}

void CStaticTextControl::Render()
{
    SkinInsets insets, borders;
    QueryElement(insets, borders, nullptr);
    m_bitmap.Create(m_params.place.width, m_params.place.height, 32);
    if (m_params.framed)
        RenderFramedFace();
    else
        RenderFace();
    DrawTexts(insets);
    if (m_params.framed)
        m_frame.Draw(m_bitmap);
}

void CStaticTextControl::RenderFace()
{
    CSkinRenderer* skin = m_params.place.container ? m_params.place.container->GetSkinRenderer() : nullptr;
    if (skin) {
        SkinDrawRequest request = {};
        request.target = &m_bitmap;
        request.background = BackgroundSource(request.backgroundX, request.backgroundY);
        request.kind = m_params.kind;
        request.level = kUnity;
        skin->DrawElement(request);
    }
    const int b = m_params.brightness;
    if (b != 0)
        ScaleImageColors(&m_bitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, b, b, b);
    if (m_params.look == StaticTextLook::Darkened)
        ScaleImageColors(&m_bitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, kDarkenedFactor,
                         kDarkenedFactor, kDarkenedFactor);
    else if (m_params.look == StaticTextLook::Marked)
        m_bitmap.Fill(kMarkedPixel);
}

void CStaticTextControl::RenderFramedFace()
{
    if (m_params.fill) {
        m_bitmap.Fill(m_params.fillColor);
        return;
    }
    int x = 0, y = 0;
    const CBitmapDC* background = BackgroundSource(x, y);
    if (background)
        m_bitmap.CopyFrom(*background, x, y, m_params.place.width, m_params.place.height, 0, 0);
    const uint32_t t = m_params.tintColor;
    if (m_params.tint)
        ScaleImageColors(&m_bitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, Channel(t, 16),
                         Channel(t, 8), Channel(t, 0));
}

void CStaticTextControl::DrawTexts(const SkinInsets& insets)
{
    const int pad = m_params.kind != 0 ? kFacePad : 0;
    CTextBuffer& record = m_params.text;
    record.offsetX = record.offsetY = 0;
    record.x = insets.left + m_params.marginX + pad;
    record.y = insets.top + m_params.marginY + pad;
    record.width = m_params.place.width - 2 * (m_params.marginX + pad) - insets.right - insets.left;
    record.height = m_params.place.height - 2 * (m_params.marginY + pad) - insets.bottom - insets.top;
    CTextPainter painter;
    painter.DrawSkinText(m_bitmap, record);
    if (m_params.secondText.empty())
        return;
    CTextBuffer second = record;
    second.text = m_params.secondText;
    second.horizontalAlignment = kTextAlignFar;
    painter.DrawSkinText(m_bitmap, second);
}

int CStaticTextControl::OnMouse(const MouseEvent& event)
{
    const bool left = event.button == MouseEvent::Button::Left;
    switch (event.action) {
    case MouseEvent::Action::Press:
        if (left)
            NotifyParent(NotifyCode::LeftDown);
        break;
    case MouseEvent::Action::Release: NotifyParent(left ? NotifyCode::LeftUp : NotifyCode::RightUp); break;
    case MouseEvent::Action::DoubleClick:
        if (left)
            NotifyParent(NotifyCode::DoubleClick);
        break;
    default: break;
    }
    return 0;
}
int CStaticTextControl::OnCommand(const CommandEvent& event)
{
    switch (event.raw.code) {
    case ControlCommand::SetText:
        if (event.text)
            m_params.text.text = event.text;
        Render();
        m_window.ShowBitmap(&m_bitmap, 0, 0, m_params.place.width, m_params.place.height, 0, 0);
        break;
    case ControlCommand::Bounds: TakeBounds(m_params, event.raw.p2, [this] { Render(); }); break;
    case ControlCommand::Show: ShowAndRepaint(event.value != 0); break;
    }
    return 0;
}
int CStaticTextControl::OnPaintRequest(const PaintRequest& request)
{
    PaintFrom(request.answer, &m_bitmap);
    return 0;
}
