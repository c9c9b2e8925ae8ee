#include "gui/window/CWindowMenu.h"
#include <new>

namespace {
int g_liveMenus = 0; // GUI thread only
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

void CWindowMenu::BuildItems(const WindowMenuRequest& request)
{
    m_request = request;
}
