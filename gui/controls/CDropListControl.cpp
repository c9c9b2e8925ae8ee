#include "gui/controls/CDropListControl.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include <algorithm>

namespace {
const int32_t kListArrowIcon = 7;
const int32_t kSteppingArrowIcon = 18;
const uint8_t kLabelOption = 1;
const int kPopupOverlap = 3; // the list's top edge tucks under the box's bottom edge
const int kAboveOverlap = 5; // opened above: the list's bottom 2 pixels below the box's top
const uint32_t kCrossesBottom = 8;
const char kNoItemText[] = "Error: No Item";
const char kNoItemText2[] = "No Item";
} // namespace

CDropListControl::CDropListControl()
    : m_textMode(StretchMode::Corners), m_arrowLeft(0), m_list(&m_ownList), m_shown(nullptr), m_steppingPress(false),
      m_rightOpen(false), m_rightArmed(false)
{}

int CDropListControl::Create(const DropListBoxParams& params)
{
    m_params = params;
    TakeParentBackground(m_params);
    m_shown = m_list->ItemAt(m_list->selected);
    ComputeTextArea();
    ControlCreateParams create = SkinnedControlAt(m_params);
    create.notifyKind = kNotifyKind;
    create.contentBitmap = m_label.GetImage(0);
    create.textRecord = m_label.GetTextBuffer();
    create.listener = m_params.listener ? m_params.listener : m_params.secondListener;
    create.kind = m_params.emphasis ? kSkinSmallButton : kSkinButton;
    create.stretchMode = m_textMode;
    create.middle = m_arrowLeft;
    m_create.skin = create.skin; // Refresh renders with it before the base takes the record
    Refresh();
    CSkinControl::Create(create);
    m_window.SetText(m_label.GetTextBuffer()->text.c_str());
    m_paintedState.Update(int(m_stateFlags));
    Paint();
    return 0;
}

void CDropListControl::ComputeTextArea()
{
    if (m_params.noArrow) {
        m_textMode = StretchMode::Corners;
        m_arrowLeft = 0;
        return;
    }
    m_textMode = StretchMode::ThreeColumns;
    const int h = m_params.place.height;
    const int side = (m_params.arrowSize && m_params.arrowSize < h) ? m_params.arrowSize : h;
    m_arrowLeft = std::max(m_params.place.width - side + 1, 0);
}

void CDropListControl::Refresh()
{
    TextImageRequest request;
    request.x = m_params.place.x;
    request.y = m_params.place.y;
    request.width = m_params.place.width;
    request.height = m_params.place.height;
    request.icon = !m_params.noArrow;
    request.iconId = Stepping() ? kSteppingArrowIcon : kListArrowIcon;
    request.option = kLabelOption;
    request.disabled = m_params.disabled;
    request.stretchMode = m_textMode;
    request.middle = m_arrowLeft;
    request.skin = m_create.skin;
    if (Stepping() && m_steppingPress) {
        // While held, the box shows what a click would select.
        const CDropListItem* next = m_list->ItemAt(NextIndex(true, 1));
        request.text = next ? next->name : kNoItemText;
        request.secondText = next ? next->secondText : kNoItemText2;
    } else if (m_shown) {
        request.text = m_shown->name;
        request.secondText = m_shown->secondText;
    } else {
        request.text = m_params.emptyText1;
        request.secondText = m_params.emptyText2;
    }
    if (!m_params.fixedText1.empty()) {
        request.text = m_params.fixedText1;
        request.secondText = m_params.fixedText2;
    }
    m_label.Render(request);
    m_window.SetText(request.text.c_str());
}

void CDropListControl::SyncSelection()
{
    m_shown = m_list->ItemAt(m_list->selected);
    Refresh();
    Paint();
}

int32_t CDropListControl::NextIndex(bool wrap, int32_t delta) const
{
    const int32_t count = m_list->Count();
    if (count == 0)
        return -1;
    int32_t i = m_list->selected + delta;
    if (wrap) {
        if (i < 0)
            i = count - 1;
        return i % count;
    }
    return std::max(std::min(i, count - 1), 0);
}

void CDropListControl::Step(bool wrap, int32_t delta)
{
    const int32_t before = m_list->selected;
    m_list->selected = NextIndex(wrap, delta);
    m_shown = m_list->ItemAt(m_list->selected);
    if (m_list->selected == before)
        return;
    Refresh();
    Paint();
    if (m_shown)
        NotifySelection();
}

void CDropListControl::NotifySelection()
{
    NotifyParent(DropListNotify::Selected, m_list->selected, m_params.controlId, m_shown);
}

void CDropListControl::OpenList()
{
    CSkinRenderer* skin = m_create.skin;
    if (!skin)
        return;
    const SkinElementQuery query =
        QuerySkinElement(skin, this, kSkinButton, m_params.place.width, m_params.place.height);
    const uint8_t style = query.imageSet && query.imageSet->extraFlag ? 1 : 0;
    CPhysicalWindow* host = m_params.place.parent
                                ? m_params.place.parent->GetWindow()
                                : (m_params.place.container ? m_params.place.container->GetWindow() : nullptr);
    RECT hostRect = {};
    if (host)
        host->GetWindowRect(hostRect);
    DropListOpenParams open;
    open.x = hostRect.left + m_params.place.x + (style ? 0 : 1);
    open.y = hostRect.top + m_params.place.y + m_params.place.height - kPopupOverlap;
    open.width = m_params.place.width;
    open.renderer = skin;
    open.owner = this;
    open.host = &m_window;
    open.visibleRows = m_params.visibleRows;
    open.items = m_list;
    open.placement = DropListPlacement::SkipHorizontal;
    open.notAMenu = 1;
    open.rowHeight = std::max(m_params.place.height - query.contentInsets.top - query.contentInsets.bottom, 0);
    open.cookie = m_params.controlId;
    open.alternateFrame = style;
    open.closeOnOtherButton = 1;
    if (m_popup.FitToMonitor(open) & kCrossesBottom)
        open.y -= m_params.place.height + open.height - kAboveOverlap;
    m_popup.Open(open);
}

int CDropListControl::OnNotify(void* record)
{
    ControlNotification& r = *static_cast<ControlNotification*>(record);
    if (r.kind != NotifyKind::Button && r.kind != DropListNotify::Kind)
        return 0;
    if (r.code == DropListNotify::Selected) {
        CDropListItem* item = static_cast<CDropListItem*>(r.data3);
        DebugTrace("Item selected: '%s'\n", item ? item->name.c_str() : "");
        m_shown = item;
        Refresh();
        Paint();
        NotifySelection();
    } else if (r.code == DropListNotify::Closed) {
        SetPressedLook(false);
        Paint();
    }
    return 0;
}
