#include "MainWindowPopups.h"
#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/CMainWindow.h"
#include <set>

namespace {

const DWORD kOpenWithinMs = 3000; // a popup opens and paints well within this
const DWORD kWaitStepMs = 10;
const int kTitleBarDepth = 6; // a point this far down the main window lies in its title bar

POINT Middle(CPhysicalWindow& window)
{
    RECT r = {};
    GetWindowRect(window.GetHwnd(), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Click(MouseButton button, POINT at)
{
    return MoveCursorTo(at.x, at.y) && SendMouseButton(button, KeyAction::Press) &&
           SendMouseButton(button, KeyAction::Release);
}

CDropList& MenuList(CMainWindow& w)
{
    return w.GetMenus().GetPopup().GetDropList();
}

HWND RightClick(CMainWindow& w, POINT at)
{
    if (!Click(MouseButton::Right, at) || !PumpUntil([&] { return MenuList(w).IsOpen(); }))
        return nullptr;
    return MenuList(w).GetPopupWindow().GetHwnd();
}

HWND RightClickOn(CMainWindow& w, CPhysicalWindow& pane)
{
    return RightClick(w, Middle(pane));
}

HWND RightClickOnTitleBar(CMainWindow& w)
{
    POINT at = Middle(w.GetWindow());
    RECT frame = {};
    GetWindowRect(w.GetWindow().GetHwnd(), &frame);
    at.y = frame.top + kTitleBarDepth;
    return RightClick(w, at);
}

// Picks the command's row in the RTA pane's menu; the window it opens.
HWND ChooseFromMenu(CMainWindow& w, int command, CTopLevelWindow& opened)
{
    if (!RightClickOn(w, *w.GetRtaPane().GetWindow()))
        return nullptr;
    const CDropListItemList& items = w.GetMenus().GetItems();
    size_t row = 0; // every item has its row: the menu does not scroll
    while (row < size_t(items.Count()) && items.ItemAt(int(row))->value != command)
        ++row;
    if (row >= MenuList(w).GetRows().size())
        return nullptr;
    const DropListRowGeometry& g = MenuList(w).GetRows()[row]->GetGeometry();
    POINT at = {g.x + g.width / 2, g.y + g.height / 2};
    ClientToScreen(MenuList(w).GetPopupWindow().GetHwnd(), &at);
    if (!Click(MouseButton::Left, at) || !PumpUntil([&] { return opened.GetWindow().IsCreated(); }))
        return nullptr;
    return opened.GetWindow().GetHwnd();
}

// Drops the I/O settings window's list down, the window opened first when it is not.
HWND DropDown(CMainWindow& w, CDropListControl& (CIoSettingsWindow::*box)())
{
    CIoSettingsWindow& settings = w.GetSettingsWindow();
    if (!settings.GetWindow().IsCreated() && !ChooseFromMenu(w, AppCommand::IoSettings, settings))
        return nullptr;
    CDropListControl& control = (settings.*box)();
    if (!Click(MouseButton::Left, Middle(*control.GetWindow())) ||
        !PumpUntil([&] { return control.GetPopup().IsOpen(); }))
        return nullptr;
    return control.GetPopup().GetPopupWindow().GetHwnd();
}

HWND ShowScopeThenRightClick(CMainWindow& w)
{
    w.OnContextCommand(AppCommand::PreferScope);
    PumpMessages();
    return RightClickOn(w, *w.GetScopePane(0).GetWindow());
}

// The rectangle's pixels as the screen shows them.
std::vector<COLORREF> ScreenPixels(const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

const std::vector<MainWindowPopup>& MainWindowPopups()
{
    static const std::vector<MainWindowPopup> popups = {
        {"RTA menu", "05-menu-rta.png", "the RTA pane's menu with the window menu below (a right click on the RTA)",
         PopupKind::Menu, [](CMainWindow& w) { return RightClickOn(w, *w.GetRtaPane().GetWindow()); }},
        {"meters menu", "06-menu-meters.png",
         "the meter's menu with the window menu below (a right click on the meter)", PopupKind::Menu,
         [](CMainWindow& w) { return RightClickOn(w, *w.GetMeterPanel().GetMeterControl().GetWindow()); }},
        {"title bar's window menu", "08-menu-window.png", "the window menu (a right click on the title bar)",
         PopupKind::Menu, RightClickOnTitleBar},
        {"I/O settings window", "12-io-settings.png",
         "the I/O settings window (\"I/O Settings\" clicked in the RTA menu)", PopupKind::Window,
         [](CMainWindow& w) { return ChooseFromMenu(w, AppCommand::IoSettings, w.GetSettingsWindow()); }},
        {"interface list", "13-list-interface.png", "the I/O settings window's interface list (a click on the box)",
         PopupKind::SettingsList, [](CMainWindow& w) { return DropDown(w, &CIoSettingsWindow::GetInterfaceList); }},
        {"device list", "14-list-device.png", "the input device list (a click on the box)", PopupKind::SettingsList,
         [](CMainWindow& w) { return DropDown(w, &CIoSettingsWindow::GetDeviceList); }},
        {"buffer size list", "15-list-buffer-size.png", "the buffer size list (a click on the box)",
         PopupKind::SettingsList, [](CMainWindow& w) { return DropDown(w, &CIoSettingsWindow::GetBufferSizeList); }},
        {"buffer count list", "16-list-buffer-count.png", "the buffer count list (a click on the box)",
         PopupKind::SettingsList, [](CMainWindow& w) { return DropDown(w, &CIoSettingsWindow::GetBufferCountList); }},
        {"about window", "10-about.png", "the about window (\"About Quillmere RTA\" clicked in the RTA menu)",
         PopupKind::Window, [](CMainWindow& w) { return ChooseFromMenu(w, AppCommand::About, w.GetAboutWindow()); }},
        {"scope menu", "07-menu-scope.png",
         "\"Prefer Oscilloscope\", then the oscilloscope's menu with the window menu below (a right click on it)",
         PopupKind::Menu, ShowScopeThenRightClick},
    };
    return popups;
}

bool PumpUntil(const std::function<bool()>& condition)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > kOpenWithinMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitStepMs, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

bool ShowsAPicture(HWND window)
{
    RECT r = {};
    if (!window || !IsWindowVisible(window) || !GetWindowRect(window, &r) || IsRectEmpty(&r))
        return false;
    const int width = r.right - r.left;
    HRGN region = CreateRectRgn(0, 0, width, r.bottom - r.top);
    GetWindowRgn(window, region); // without a region of its own the whole rectangle counts
    const std::vector<COLORREF> pixels = ScreenPixels(r);
    std::set<COLORREF> colours;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (PtInRegion(region, int(i % width), int(i / width)))
            colours.insert(pixels[i]);
    DeleteObject(region);
    return colours.size() > 1;
}
