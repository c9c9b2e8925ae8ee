#include "gui/controls/CPopupMenu.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlNotification.h"

namespace {
const int32_t kListHeight = 200; // replaced by the layout
} // namespace

void CPopupMenu::Open(const PopupMenuParams& params)
{
    m_params = params;
    CControlContainer* container = params.container;
    if (!container || !container->GetSkinRenderer())
        return;
    DropListOpenParams list;
    list.x = params.x;
    list.y = params.y;
    list.width = params.width;
    list.height = kListHeight;
    list.renderer = container->GetSkinRenderer();
    list.owner = this;
    list.host = container->GetWindow();
    list.visibleRows = params.visibleRows;
    list.items = &m_items;
    list.placement = params.placement;
    list.swallowClosingClick = 0;
    list.nativeParent = params.nativeParent;
    list.cookie = params.cookie;
    list.notAMenu = params.notAMenu;
    list.closeOnOutsideClick = params.closeOnOutsideClick;
    m_list.Open(list);
    // Also the activated popup the tray opens, which is no popupMenu window.
    if (m_list.IsOpen())
        m_list.GetPopupWindow().BecomeOpenMenu();
    m_list.BeginCapture();
}

int CPopupMenu::OnNotify(void* record)
{
    ControlNotification* r = static_cast<ControlNotification*>(record);
    if (!r || !m_params.owner)
        return 0;
    r->kind = PopupMenuNotify::Kind;
    r->sender = this;
    return m_params.owner->OnNotify(r);
}
