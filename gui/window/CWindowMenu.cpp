#include "gui/window/CWindowMenu.h"
#include "common/DebugTrace.h"
#include "gui/controls/ControlNotification.h"
#include "gui/window/CPhysicalWindow.h"
#include <new>

namespace {
int g_liveMenus = 0; // GUI thread only

// The window commands the items stand for (run by CPhysicalWindow::OnNotify).
const int32_t kMinimize = 0x4100001;
const int32_t kMaximize = 0x4100002;
const int32_t kRestore = 0x4100003;
const int32_t kClose = 0x4100004;
const int32_t kMove = 0x4100005;
} // namespace

CWindowMenu::CWindowMenu()
{
    ++g_liveMenus;
}

CWindowMenu::~CWindowMenu()
{
    --g_liveMenus;
}

CWindowMenu* CWindowMenu::Create()
{
    return new (std::nothrow) CWindowMenu();
}

void CWindowMenu::Delete(CWindowMenu* menu)
{
    delete menu;
}

int CWindowMenu::GetLiveCount()
{
    return g_liveMenus;
}

void CWindowMenu::AddItem(const char* name, int32_t command, bool enabled)
{
    CDropListItem* item = new CDropListItem;
    item->name = name;
    item->value = command;
    item->disabled = !enabled;
    m_menu.GetItems().Add(item);
}

void CWindowMenu::BuildItems(const WindowMenuRequest& request)
{
    m_request = request;
    // The native window hands over its CListener part, its first base.
    const CPhysicalWindow* window = static_cast<const CPhysicalWindow*>(request.window);
    // The open menu's rows show the present items: they stay until it closes.
    if (!window || !request.container || m_menu.GetDropList().IsOpen())
        return;
    const WindowCreateParams& options = window->GetParams();
    CDropListItemList& items = m_menu.GetItems();
    items.Clear();
    if (window->HasMinMax())
        AddItem("Restore", kRestore, window->CanRestore());
    if (options.movable)
        AddItem("Move", kMove, window->CanMove());
    if (options.minimizable)
        AddItem("Minimize", kMinimize, window->CanMinimize());
    if (options.maximizable)
        AddItem("Maximize", kMaximize, window->CanMaximize() && window->GetDockedEdge() == 0);
    CDropListItem* separator = new CDropListItem;
    separator->separator = 1;
    items.Add(separator);
    AddItem(window->IsMainWindow() ? "Exit" : "Close", kClose, true);
    items.selected = -1;

    PopupMenuParams menu;
    menu.x = request.x;
    menu.y = request.y;
    menu.width = request.width;
    menu.height = request.height;
    menu.visibleRows = request.visibleRows;
    menu.container = reinterpret_cast<CControlContainer*>(request.container);
    menu.owner = this;
    m_menu.Open(menu);
}

int CWindowMenu::OnNotify(void* record)
{
    DebugTrace("WINDOWMENU INBOUND MESSAGE\n");
    const ControlNotification* r = static_cast<const ControlNotification*>(record);
    if (r && r->kind == PopupMenuNotify::Kind && r->code == DropListNotify::Selected && m_request.window)
        m_request.window->OnNotify(record);
    return 0;
}
