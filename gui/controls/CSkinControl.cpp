#include "gui/controls/CSkinControl.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <cstring>

namespace {
const uint32_t kDefaultColour = 0xB0B0B0;
const char kDefaultText[] = "windowtext";
// The indicator takes this share of the room beside the face's middle, more
// when the room is small, and never less than a legible square.
const float kIndicatorShare = 0.6f;
const float kIndicatorShareCentred = 0.8f;
const int kIndicatorRoomSmall = 19;
const float kIndicatorGrowth = 0.04f;
const int kIndicatorMinSide = 10;
} // namespace

CSkinControl::CSkinControl() : m_stateFlags(0), m_colour(kDefaultColour)
{
    std::strcpy(m_text, kDefaultText);
}

int CSkinControl::Create(const ControlCreateParams& params)
{
    m_create = params;
    ControlWindowParams window;
    window.place = params.place;
    window.trackMouse = 1;
    window.fillBlue = 0;
    window.listenerPaints = params.listenerPaints;
    window.dragAnywhere = params.dragAnywhere;
    window.blendAsCopy = params.opaque;
    window.backgroundFromContainer = 0;
    window.visible = params.visible;
    window.disabled = params.disabled;
    window.verbose = params.verbose;
    window.cursor = params.cursor;
    window.text = params.textRecord ? params.textRecord->text : "";
    window.toolTipText = params.toolTipText;
    CControl::Create(window);
    return 0;
}

const CBitmapDC* CSkinControl::BackgroundSource(int& x, int& y) const
{
    if (m_create.background) {
        x = m_create.sourceX;
        y = m_create.sourceY;
        return m_create.background;
    }
    x = GetOffsetX();
    y = GetOffsetY();
    return m_create.place.container ? m_create.place.container->GetSurface() : nullptr;
}

void CSkinControl::SetToolTipText(const char* text)
{
    m_create.toolTipText = text ? text : "";
    CControl::SetToolTipText(text);
}

void CSkinControl::ShowAndRepaint(bool show)
{
    m_window.Show(show);
    m_window.Invalidate();
}

void CSkinControl::Paint()
{
    CSkinRenderer* skin = m_create.skin;
    CBitmapDC* target = m_window.GetBackBitmap();
    if (!skin || !target)
        return;
    SkinDrawRequest request = {};
    request.target = target;
    request.background = BackgroundSource(request.backgroundX, request.backgroundY);
    if (m_create.verbose && !m_create.background && m_create.place.container)
        DebugTrace("bg_x=%i\t", GetOffsetX());
    request.overlay = m_create.contentBitmap;
    request.text = m_text;
    request.color = m_colour;
    request.stateFlags = m_stateFlags;
    request.level = m_create.level;
    request.dimmed = m_window.IsDisabled();
    request.kind = m_create.kind;
    request.stretchMode = m_create.stretchMode;
    request.middle = m_create.middle;
    CTextBuffer* record = m_create.textRecord;
    if (record && record->width >= 1 && record->height >= 1)
        request.textRecord = record;
    // A middle beyond the bitmap leaves no face to draw.
    if (m_create.stretchMode != StretchMode::ThreeColumns || m_create.middle <= target->GetWidth())
        skin->DrawElement(request);
    if (m_create.indicator)
        DrawIndicator(target);
    m_window.Invalidate();
}

RECT CSkinControl::GetIndicatorRect()
{
    const SkinElementQuery query =
        QuerySkinElement(m_create.skin, this, kSkinButton, m_create.place.width, m_create.place.height);
    const SkinInsets& margin = query.contentInsets;
    const int leftInset = query.imageSet ? query.imageSet->buttonValues[0] : 0;
    const int leftOffset = query.imageSet ? query.imageSet->buttonValues[1] : 0;
    const bool centred = m_create.stretchMode == StretchMode::Corners;
    const int width = m_create.place.width;
    const int available = centred ? width - margin.right - margin.left : width - leftInset - m_create.middle;
    float share = centred ? kIndicatorShareCentred : kIndicatorShare;
    if (available < kIndicatorRoomSmall)
        share += (kIndicatorRoomSmall - available) * kIndicatorGrowth;
    const int side = std::max(int(available * share), kIndicatorMinSide);
    const int x0 = centred ? (available - side) / 2 + leftOffset + 1 : leftInset + m_create.middle;
    const int pressed = (m_stateFlags & SkinState::kPressed) ? 1 : 0; // the mark sinks with the face
    const int left = x0 + (width - x0 - side - margin.right) / 2 + pressed;
    const int top = (m_create.place.height - side) / 2 + pressed;
    return RECT{left, top, left + side, top + side};
}

void CSkinControl::DrawIndicator(CBitmapDC* target)
{
    SkinDrawRequest request = {};
    request.target = target;
    request.stateFlags = m_create.indicatorState;
    request.kind = kSkinIcon;
    request.rect = GetIndicatorRect();
    request.rectValid = 1;
    request.level = kUnity;
    request.dimmed = m_window.IsDisabled();
    m_create.skin->DrawElement(request);
}

int CSkinControl::NotifyParent(ControlNotification& record)
{
    record.sender = this;
    record.kind = m_create.notifyKind;
    record.controlId = m_create.controlId;
    if (record.handled)
        return 0;
    if (m_create.listener)
        return m_create.listener->OnNotify(&record);
    CControlContainer* container =
        m_create.place.parent ? m_create.place.parent->GetContainer() : m_create.place.container;
    return container ? container->Notify(&record) : 0;
}

int CSkinControl::NotifyParent(int32_t code, int32_t data1, int32_t data2, void* data3)
{
    ControlNotification record;
    record.code = code;
    record.data1 = data1;
    record.data2 = data2;
    record.data3 = data3;
    return NotifyParent(record);
}
