#include "AudioTestSupport.h"
#include "FakeWaveDevice.h"
#include "GuiTestSupport.h"
#include "MainWindowPopups.h"
#include "PaneSlotText.h"
#include "TrayShell.h"
#include "app/AppCommands.h"
#include "app/CMainWindow.h"
#include "common/IniFile.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/window/OwnWindowOrder.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowPlacementRecord.h"
#include "gui/window/WindowShellApi.h"
#include "tests/app/dialogs/DialogTestSupport.h"
#include "tests/common/FakeTicks.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <psapi.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// Records the creation steps and counts the relayouts.
class ProbeMainWindow : public CMainWindow {
public:
    void Step(CreationStep step) override { steps.push_back(int(step)); }
    void LayoutControls(int width, int height, bool first) override
    {
        ++layouts;
        CMainWindow::LayoutControls(width, height, first);
    }
    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override
    {
        activations += sender == &GetWindow() && code == WindowEvent::Activate && p1;
        return CMainWindow::OnEvent(sender, source, code, p1, p2, data);
    }
    std::vector<int> steps;
    int layouts = 0;
    int activations = 0;
};

// A main window from a settings file holding only the given input interface
// and its device.
class MainRig {
public:
    explicit MainRig(const char* interfaceName = "None", const char* device = nullptr,
                     const WindowPlacementRecord* placement = nullptr, CTickSource* audioTicks = nullptr)
    {
        GetIniPath(m_ini);
        DeleteFileA(m_ini);
        WritePrivateProfileStringA("Input", "Interface", interfaceName, m_ini);
        if (device)
            WritePrivateProfileStringA("Input", (std::string("devicename_") + interfaceName).c_str(), device, m_ini);
        if (placement)
            WritePrivateProfileStructA("Master", "MainWindowState", const_cast<WindowPlacementRecord*>(placement),
                                       sizeof *placement, m_ini);
        window.SetInstance(GetModuleHandleA(nullptr));
        window.GetAudioSession().SetTickSource(audioTicks);
        created = window.Create(200, 200, 800, 400) != 0;
        PumpMessages();
    }
    ~MainRig()
    {
        CPhysicalWindow::DismissOpenMenu();
        window.GetSettingsWindow().Destroy();
        window.OnEvent(&window.GetWindow(), EventSource::Window, WindowEvent::CloseCommand, 0, 0, nullptr);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        DeleteFileA(m_ini);
    }
    // To the window, or to another receiver on the way to it.
    void Notify(int kind, int code, void* sender, int id = 0, CListener* to = nullptr)
    {
        ControlNotification record;
        record.kind = kind;
        record.code = code;
        record.sender = sender;
        record.controlId = id;
        (to ? to : &window)->OnNotify(&record);
    }
    void Choose(int id) { Notify(PopupMenuNotify::Kind, DropListNotify::Selected, &window.GetMenus().GetPopup(), id); }
    void ContextRequest(void* sender, CListener* to = nullptr)
    {
        Notify(CImageControl::kNotificationKind, NotifyCode::RightUp, sender, 0, to);
    }
    // The open menu's item values (empty when none is open); the menu is closed after.
    std::vector<int> MenuValues()
    {
        std::vector<int> values;
        const CDropListItemList& items = window.GetMenus().GetItems();
        if (window.GetMenus().GetPopup().GetDropList().IsOpen())
            for (int i = 0; i < items.Count(); ++i)
                values.push_back(items.ItemAt(i)->value);
        CPhysicalWindow::DismissOpenMenu();
        PumpMessages();
        return values;
    }
    std::vector<int> Sized(int handle, RECT rect)
    {
        window.OnEvent(&window.GetWindow(), EventSource::Relayed, WindowEvent::SizingClamped, handle, LPARAM(&rect),
                       nullptr);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    ProbeMainWindow window;
    bool created = false;

private:
    char m_ini[MAX_PATH];
};

// The icons and the tray icon, whose click brings the window to the front;
// the panes follow the window, its title bar and the preference; the gain
// reaches the input path; the close command closes the device.
TEST(MainWindowViews, IconsTrayPanesInputAndTheClose)
{
    FakeWaveDevice device;
    MainRig rig("Wave", "Default Device");
    ASSERT_TRUE(rig.created);
    ProbeMainWindow& w = rig.window;
    HWND hwnd = w.GetWindow().GetHwnd();
    EXPECT_TRUE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_TRUE(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(TrayIconShown(hwnd));
    EXPECT_STREQ(w.GetTrayIcon().GetTip(), "Quillmere RTA");
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, 0, 0);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);
    SendMessageA(hwnd, MainWindowId::kTrayMessage, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    DestroyWindow(other);

    EXPECT_EQ(SlotsText(w.GetPaneSlots(), {MeterSlot, RtaPaneSlot}), "8,32,784,60 8,96,784,296");
    EXPECT_TRUE(w.GetAnalyserInput().IsRtaActive());
    w.ToggleTitleBar(); // no caption band: the panes move up
    EXPECT_EQ(SlotsText(w.GetPaneSlots(), {MeterSlot, RtaPaneSlot}), "8,8,784,60 8,72,784,320");
    w.GetSettings()->main_preference = 2;
    w.LayoutControls(800, 400, false);
    EXPECT_EQ(SlotsText(w.GetPaneSlots(), {ScopePane1Slot, RtaPaneSlot}), "8,72,784,320 8,720,784,320-");

    w.GetSettings()->iInputGain = 6;
    w.ApplySettings();
    int32_t left[] = {1000, -1000}, right[] = {0, 32767};
    int32_t* channels[] = {left, right};
    w.OnInputPlanar(nullptr, channels, 2);
    EXPECT_EQ(left[0], 1992);
    EXPECT_EQ(right[1], 65278);

    EXPECT_EQ(device.opens, 1);
    w.OnEvent(&w.GetWindow(), EventSource::Window, WindowEvent::CloseCommand, 0, 0, nullptr);
    EXPECT_TRUE(WaitUntil([&] { // the close goes on past the grace while the capture stops
        w.Tick(CMainWindow::TickSleep::None);
        return !w.IsAudioJobRunning();
    }));
    EXPECT_EQ(device.closes, 1);
    w.Destroy();
    EXPECT_FALSE(TrayIconShown(hwnd));
}

TEST(MainWindowViews, CreationStepsTimerAndSizeLimits)
{
    MainRig rig("Nope");
    ASSERT_TRUE(rig.created);
    CMainWindow& w = rig.window;
    std::vector<int> order(16);
    for (int i = 0; i < 16; ++i)
        order[i] = i + 1;
    EXPECT_EQ(rig.window.steps, order);
    std::string status;
    w.GetStatusText(status);
    EXPECT_EQ(status, "Invalid Interface Type");
    EXPECT_TRUE(w.GetSettingsWindow().GetWindow().IsCreated()); // the reason shown, no message box
    EXPECT_TRUE(w.GetRtaPane().IsShown());

    const int ticks = w.GetTicks();
    for (unsigned id : {MainWindowId::kTickTimer + 1, 0u, unsigned(WindowTimer::Tick)})
        w.OnEvent(&w.GetWindow(), EventSource::Window, WindowEvent::Timer, int(id), 0, nullptr);
    EXPECT_EQ(w.GetTicks(), ticks);
    w.OnEvent(&w.GetWindow(), EventSource::Window, WindowEvent::Timer, MainWindowId::kTickTimer, 0, nullptr);
    EXPECT_EQ(w.GetTicks(), ticks + 1);

    const RECT tiny = {300, 300, 301, 301}, huge = {0, 0, 5000, 3000};
    EXPECT_EQ(rig.Sized(5 /* bottom right */, tiny), (std::vector<int>{78, 56}));
    EXPECT_EQ(rig.Sized(5, huge), (std::vector<int>{3840, 1920}));
    w.ToggleTitleBar();
    EXPECT_EQ(rig.Sized(5, tiny), (std::vector<int>{78, 32}));
    w.ToggleTitleBar();
    // Far from every edge of the 1280 x 1024 desktop docking is offered
    // disabled, with the hint; near the left edge it is offered.
    w.ShowWindowMenu();
    const CDropListItem* dock = w.GetMenus().GetItems().FindByValue(AppCommand::Dock);
    EXPECT_TRUE(dock->name == "Dock Window" && dock->disabled && !dock->toolTip.empty());
    rig.MenuValues();
    w.GetWindow().Move(5, 300);
    PumpMessages();
    w.ShowWindowMenu();
    dock = w.GetMenus().GetItems().FindByValue(AppCommand::Dock);
    EXPECT_TRUE(dock->name == "Dock to left" && !dock->disabled);
    rig.MenuValues();
    w.GetWindow().DockNearest();
    PumpMessages();
    ASSERT_EQ(w.GetWindow().GetDockedEdge(), 1);
    EXPECT_EQ(rig.Sized(4 /* right */, tiny)[0], 40);
    w.ShowWindowMenu();
    EXPECT_EQ(w.GetMenus().GetItems().ItemAt(4)->name, "Undock Window");
    const std::vector<int> docked = rig.MenuValues();
    for (int command : {WindowCommand::Move, WindowCommand::Minimize, WindowCommand::MaximizeOrRestore})
        EXPECT_EQ(std::find(docked.begin(), docked.end(), command), docked.end()) << command;
    rig.Choose(AppCommand::Dock);
    PumpMessages();
    EXPECT_EQ(w.GetWindow().GetDockedEdge(), 0);
}

TEST(MainWindowViews, MenusAndTheirCommands)
{
    MainRig rig;
    ASSERT_TRUE(rig.created);
    ProbeMainWindow& w = rig.window;
    // Every pane's own menu, then the window menu; a stranger and the tray
    // icon get the window menu alone. Both scope panes show one menu.
    int stranger;
    rig.ContextRequest(&stranger);
    const std::vector<int> windowMenu = rig.MenuValues();
    ASSERT_FALSE(windowMenu.empty());
    EXPECT_NE(std::find(windowMenu.begin(), windowMenu.end(), int(AppCommand::About)), windowMenu.end());
    const struct {
        void* sender;
        CListener* via; // the meter control's owner is its panel
        int holds, lacks;
    } paneMenus[] = {{&w.GetRtaPane(), nullptr, AppCommand::ThirdOctave, AppCommand::MetersHorizontal},
                     {&w.GetMeterPanel().GetMeterControl(), &w.GetMeterPanel(), AppCommand::MetersHorizontal,
                      AppCommand::MetersOnly},
                     {&w.GetScopePane(0), nullptr, AppCommand::PreferScope, AppCommand::ThirdOctave},
                     {&w.GetScopePane(1), nullptr, AppCommand::PreferScope, AppCommand::MetersHorizontal}};
    std::vector<int> scopeMenu;
    for (const auto& pane : paneMenus) {
        rig.ContextRequest(pane.sender, pane.via);
        const std::vector<int> menu = rig.MenuValues();
        ASSERT_GT(menu.size(), windowMenu.size()) << pane.holds;
        EXPECT_TRUE(std::equal(windowMenu.begin(), windowMenu.end(), menu.end() - windowMenu.size())) << pane.holds;
        EXPECT_NE(std::find(menu.begin(), menu.end(), pane.holds), menu.end()) << pane.holds;
        EXPECT_EQ(std::find(menu.begin(), menu.end(), pane.lacks), menu.end()) << pane.holds;
        if (pane.sender == &w.GetScopePane(0))
            scopeMenu = menu;
        if (pane.sender == &w.GetScopePane(1)) {
            EXPECT_EQ(menu, scopeMenu);
        }
    }

    w.OnMessage(&w.GetWindow(), w.GetWindow().GetHwnd(), MainWindowId::kTrayMessage, 0, WM_RBUTTONUP, nullptr);
    EXPECT_EQ(w.GetMenus().GetLastRequest().notAMenu + w.GetMenus().GetLastRequest().closeOnOutsideClick, 2);
    EXPECT_EQ(rig.MenuValues(), windowMenu);

    // Each setting command stores its value, even an equal one (the toggle
    // flips), and has its effect done: the RTA ones set the panel again, only
    // the layout ones relayout.
    AnalyserSettings& s = *w.GetSettings();
    CRtaPanel& rta = w.GetRtaPanel();
    for (int id = AppCommand::kFirstSetting; id <= AppCommand::kLastSetting; ++id) {
        const SettingCommand* c = FindSettingCommand(id);
        ASSERT_NE(c, nullptr) << id;
        const bool toggle = c->effect == CommandEffect::Toggle;
        const bool relayout = toggle || c->effect == CommandEffect::Relayout;
        s.*c->field = toggle ? 0 : c->value + 1;
        const int layouts = w.layouts;
        rig.Choose(id);
        EXPECT_EQ(s.*c->field, toggle ? 1 : c->value) << id;
        rta.Configure(c->value == 0 ? 1 : 0, 48000); // behind the window's back
        rta.SetAverages(c->value == 7 ? 8 : 7);
        rig.Choose(id);
        EXPECT_EQ(s.*c->field, toggle ? 0 : c->value) << id;
        EXPECT_EQ(w.layouts - layouts, relayout ? 2 : 0) << id;
        if (c->effect == CommandEffect::Resolution) {
            EXPECT_EQ(rta.GetResolution(), c->value) << id;
        }
        if (c->effect == CommandEffect::Averages) {
            EXPECT_EQ(rta.GetAverages(), c->value) << id;
        }
        // What a menu set counts as applied: the next apply leaves the RTA,
        // and its averaging, alone.
        rta.Configure(1 - rta.GetResolution(), 48000);
        rta.SetAverages(rta.GetAverages() + 1);
        const int resolution = rta.GetResolution(), averages = rta.GetAverages();
        w.ApplySettings();
        EXPECT_EQ(rta.GetResolution() * 10000 + rta.GetAverages(), resolution * 10000 + averages) << id;
    }

    const AnalyserSettings before = s;
    const int layouts = w.layouts;
    const int level = w.GetWindow().GetTopmostLevel();
    for (int id : {504, 505, 508, 511, 535, -1, 0x4100006})
        rig.Choose(id);
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
    EXPECT_EQ(w.layouts, layouts);
    rig.Notify(PopupMenuNotify::Kind, DropListNotify::Selected, &stranger,
               AppCommand::PreferScope); // not from the popup
    EXPECT_EQ(s.main_preference, before.main_preference);

    rig.Choose(AppCommand::AlwaysOnTop);
    EXPECT_EQ(w.GetWindow().GetTopmostLevel(), level ? 0 : 1);
    rig.Choose(AppCommand::AlwaysOnTop);
    EXPECT_EQ(w.GetWindow().GetTopmostLevel(), level);
    const bool docked = w.GetWindow().GetTopmostWhenDocked();
    rig.Choose(AppCommand::DockedTopmost);
    EXPECT_EQ(w.GetWindow().GetTopmostWhenDocked(), !docked);
    rig.Choose(AppCommand::ShowTitleBar);
    EXPECT_FALSE(w.IsTitleBarShown());
    rig.Choose(AppCommand::ShowTitleBar);
    EXPECT_TRUE(w.IsTitleBarShown());
    w.GetSettingsWindow().Destroy(); // opened by the failed audio open
    PumpMessages();
    ASSERT_FALSE(w.GetSettingsWindow().GetWindow().IsCreated());
    rig.Choose(AppCommand::IoSettings);
    rig.Choose(AppCommand::About);
    EXPECT_TRUE(w.GetSettingsWindow().GetWindow().IsCreated());
    EXPECT_TRUE(w.GetAboutWindow().GetWindow().IsCreated());
    w.GetAboutWindow().Destroy();

    // A wide strip offers "ITU meter Only"; twice restores the panes.
    w.GetWindow().SetBounds(100, 200, 1100, 300);
    PumpMessages();
    ASSERT_TRUE(w.IsWideStrip());
    rig.ContextRequest(&w.GetMeterPanel().GetMeterControl(), &w.GetMeterPanel());
    const std::vector<int> meters = rig.MenuValues();
    EXPECT_NE(std::find(meters.begin(), meters.end(), int(AppCommand::MetersOnly)), meters.end());
    auto visible = [&] {
        std::vector<int> shown;
        for (const PaneSlot& slot : w.GetPaneSlots())
            shown.push_back(slot.visible && slot.width > 0);
        return shown;
    };
    const std::vector<int> panes = visible();
    rig.Choose(AppCommand::MetersOnly);
    EXPECT_NE(visible(), panes);
    rig.Choose(AppCommand::MetersOnly);
    EXPECT_EQ(visible(), panes);
}

// The client area of a window as its device context holds it.
std::vector<uint32_t> WindowPixels(HWND hwnd, int& width)
{
    RECT client = {};
    GetClientRect(hwnd, &client);
    width = client.right;
    CBitmapDC copy;
    copy.Create(client.right, client.bottom, 32);
    HDC dc = GetDC(hwnd);
    BitBlt(copy.GetDC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    GdiFlush();
    std::vector<uint32_t> pixels(copy.GetBits(), copy.GetBits() + copy.GetPixelCount());
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// Tones through the capture path until the RTA has a result to show, then a
// tick. An RTA no pane shows is fed nothing and never has one.
void TickWithBars(CMainWindow& w)
{
    const int frames = 480;
    std::vector<int32_t> left(frames), right(frames);
    for (int i = 0; i < frames; ++i)
        left[i] = right[i] = int32_t(16000 * std::sin(i * 0.13));
    int32_t* channels[2] = {left.data(), right.data()};
    const bool fed = w.GetAnalyserInput().IsRtaActive();
    for (int i = 0; fed && i < 400 && w.GetRtaPanel().GetResultCount() == 0; ++i) {
        w.OnInputPlanar(nullptr, channels, frames);
        Sleep(5);
    }
    w.Tick(CMainWindow::TickSleep::None);
    PumpMessages();
}

// Cells that a render showed in a colour, not black: those left at 20 or more
// by its fade (32 and more before it), in the display's columns.
int ColouredCells(const CScopeDisplay& display)
{
    const int kColouredAfterFade = 20;
    int count = 0;
    for (int r = 0; r < display.GetHeight(); ++r)
        for (int c = 0; c < display.GetWidth(); ++c)
            count += display.GetCell(c, r) >= kColouredAfterFade;
    return count;
}

// The picture a pane showed last, whole, whether or not the desktop holds all of it.
std::vector<uint32_t> FrontPixels(CImageControl& pane, int& width)
{
    const CBitmapDC& front = *pane.GetFrontBuffer();
    width = front.GetWidth();
    GdiFlush();
    std::vector<uint32_t> pixels(front.GetBits(), front.GetBits() + front.GetPixelCount());
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// Pixels of a view's bitmap beyond its area, which no present shows: ink
// there is a label cut off.
int InkBeyondArea(CBarGraphView& view)
{
    const RECT area = view.GetArea();
    const CBitmapDC& drawn = *view.GetTarget();
    int ink = 0;
    for (int y = 0; y < drawn.GetHeight(); ++y)
        for (int x = 0; x < drawn.GetWidth(); ++x)
            if (x >= area.right - area.left || y >= area.bottom - area.top)
                ink += (At(drawn, x, y) & 0xFFFFFF) != 0;
    return ink;
}

// "Move" from the notification-area icon's menu, by real input: the window
// follows the pointer even where the program hears nothing of it, stops where a
// right click places it with its title bar on the screen, not topmost, and
// opens no menu; a later drag moves it as far as the pointer.
TEST(MainWindowViews, MoveFromTheTrayMenuFollowsThePointer)
{
    MainRig rig;
    ASSERT_TRUE(rig.created);
    const HWND hwnd = rig.window.GetWindow().GetHwnd();
    auto isAt = [hwnd](RECT expected) {
        RECT rect = {};
        GetWindowRect(hwnd, &rect);
        return EqualRect(&rect, &expected) != 0;
    };
    auto button = [](KeyAction action) {
        const bool sent = SendMouseButton(MouseButton::Left, action);
        PumpMessages();
        return sent;
    };
    CDropList& menu = rig.window.GetMenus().GetPopup().GetDropList();
    ASSERT_TRUE(MoveCursorTo(1270, 1015)); // the notification area
    PostMessageA(hwnd, MainWindowId::kTrayMessage, 0, WM_RBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return menu.IsOpen(); }));
    const CDropListItemList& items = rig.window.GetMenus().GetItems();
    int row = 0;
    while (row < items.Count() && items.ItemAt(row)->value != WindowCommand::Move)
        ++row;
    ASSERT_LT(row, int(menu.GetRows().size()));
    const DropListRowGeometry& g = menu.GetRows()[row]->GetGeometry();
    POINT at = {g.x + g.width / 2, g.y + g.height / 2};
    ClientToScreen(menu.GetPopupWindow().GetHwnd(), &at);
    ASSERT_TRUE(MoveCursorTo(at.x, at.y) && button(KeyAction::Press) && button(KeyAction::Release));

    // Wine reports a pointer over another program's window to that program
    // only, captured or not: this one hears nothing of the move.
    ASSERT_TRUE(MoveCursorTo(1150, 150));
    for (MSG unheard; PeekMessageA(&unheard, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);) {}
    EXPECT_TRUE(PumpUntil([&] { return isAt({750, 0, 1550, 400}); })) << "follows, its title bar on the screen";
    ASSERT_TRUE(SendMouseButton(MouseButton::Right, KeyAction::Press));
    ASSERT_TRUE(SendMouseButton(MouseButton::Right, KeyAction::Release));
    PumpMessages();
    EXPECT_FALSE(menu.IsOpen()) << "the right click that places it opens no menu";
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ASSERT_TRUE(MoveCursorTo(1100, 200));
    PumpMessages();
    EXPECT_TRUE(isAt({750, 0, 1550, 400})) << "placed";
    ASSERT_TRUE(MoveCursorTo(1150, 6) && button(KeyAction::Press)); // on the title bar
    ASSERT_TRUE(MoveCursorTo(1050, 306) && button(KeyAction::Release));
    EXPECT_TRUE(isAt({650, 300, 1450, 700})) << "placed, then dragged";
}

// The tray's menu, opened while another program is in front and left for
// that program's window, activates none of the program's windows after, which
// would take the keyboard; left so or by a click on the desktop, it leaves the
// I/O settings window above the main one, normal or maximized. It activates the
// main window first where that stands above the others: always on top.
TEST(MainWindowViews, TrayMenuLeftElsewhereLeavesActivationAndOrder)
{
    const struct {
        bool maximized, onTop, leftByClick;
    } cases[] = {{false, false, false}, {true, false, false}, {false, true, false}, {false, false, true}};
    WinExec("notepad.exe", SW_SHOWNOACTIVATE);
    HWND other = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (other = FindWindowA("Notepad", nullptr)) != nullptr; }));
    for (const auto& c : cases) {
        MainRig rig; // no interface: the I/O settings window shows why
        ProbeMainWindow& w = rig.window;
        if (c.maximized)
            w.GetWindow().Maximize(nullptr);
        w.GetWindow().SetTopmostLevel(c.onTop);
        w.GetSettingsWindow().GetWindow().Activate();
        SetForegroundWindow(other);
        PumpMessages();
        const std::vector<HWND> order = OwnWindowsTopFirst(nullptr, OwnWindows::Minimizable);
        const int activations = w.activations + c.onTop;
        ASSERT_TRUE(MoveCursorTo(1270, 1015)); // the notification area
        PostMessageA(w.GetWindow().GetHwnd(), MainWindowId::kTrayMessage, 0, WM_RBUTTONUP);
        ASSERT_TRUE(PumpUntil([&] { return w.GetMenus().GetPopup().GetDropList().IsOpen(); }));
        EXPECT_EQ(w.activations, activations) << c.onTop;
        if (!c.leftByClick)
            SetForegroundWindow(other); // as a click into it does
        else
            ASSERT_TRUE(MoveCursorTo(1150, 800) && SendMouseButton(MouseButton::Left, KeyAction::Press) &&
                        SendMouseButton(MouseButton::Left, KeyAction::Release));
        ASSERT_TRUE(PumpUntil([&] { return !w.GetMenus().GetPopup().GetDropList().GetPopupWindow().IsCreated(); }));
        PumpMessages();
        EXPECT_EQ(w.activations, activations) << "taken back, by click " << c.leftByClick;
        // Another process's activation may still be restacking: what counts is where the order settles.
        EXPECT_TRUE(PumpUntil([&] { return OwnWindowsTopFirst(nullptr, OwnWindows::Minimizable) == order; }))
            << c.maximized;
    }
    PostMessageA(other, WM_CLOSE, 0, 0);
}

// At several sizes and layouts, maximized too, everything the views draw
// shows inside the panes' frames (the pictures the panes showed: the test
// desktop is smaller than some of the windows): the RTA view with the tops of
// its bars and every frequency label of either resolution whole, each scope's
// every coloured cell; the horizontal meter shows its scale's labels from one
// end to the other.
TEST(MainWindowViews, ViewsShowWholeInsideTheirFrames)
{
    const COLORREF kScaleText = 0x010101;
    const struct {
        int width, height; // 0: maximized
        int preference;
        bool meterAcross;
    } layouts[] = {{800, 400, 0, true},   {0, 0, 0, true},        {1400, 400, 0, false}, {1900, 400, 0, false},
                   {1600, 970, 0, false}, {1920, 1050, 0, false}, {516, 250, 0, false},  {393, 400, 0, false},
                   {800, 400, 2, true},   {1400, 600, 2, false},  {0, 0, 1, false}};
    for (const auto& l : layouts) {
        MainRig rig;
        ASSERT_TRUE(rig.created);
        CMainWindow& w = rig.window;
        w.OnContextCommand(AppCommand::PreferRta + l.preference);
        if (l.width)
            w.GetWindow().SetBounds(0, 0, l.width, l.height);
        else
            w.GetWindow().Maximize(nullptr);
        PumpMessages();
        const int frames = 960; // a tick's worth, near full scale: the traces' peaks reach the edges
        std::vector<int32_t> loud(frames);
        for (int i = 0; i < frames; ++i)
            loud[i] = int32_t(32700 * std::sin(i * 0.0654));
        int32_t* channels[2] = {loud.data(), loud.data()};
        for (int t = 0; t < 30; ++t) {
            w.OnInputPlanar(nullptr, channels, frames);
            w.Tick(CMainWindow::TickSleep::None);
        }
        TickWithBars(w);
        std::ostringstream name;
        name << l.width << "x" << l.height << " preference " << l.preference;

        for (int resolution : {0, 1})
            EXPECT_EQ(InkBeyondArea(w.GetRtaPanel().GetView(resolution)), 0)
                << name.str() << " resolution " << resolution;
        int width = 0;
        if (w.GetRtaPane().IsOnScreen()) {
            ASSERT_GT(w.GetRtaPanel().GetResultCount(), 0);
            CBarGraphView& view = w.GetRtaPanel().GetView(w.GetRtaPanel().GetResolution());
            const RECT area = view.GetArea();
            const RECT& inside = w.GetRtaPane().GetInterior();
            const std::vector<uint32_t> shown = FrontPixels(w.GetRtaPane(), width);
            ASSERT_TRUE(area.left >= inside.left && area.top >= inside.top && area.right <= inside.right &&
                        area.bottom <= inside.bottom)
                << name.str();
            int differing = 0;
            for (int y = area.top; y < area.bottom; ++y)
                for (int x = area.left; x < area.right; ++x)
                    differing +=
                        shown[y * width + x] != (At(*view.GetTarget(), x - area.left, y - area.top) & 0xFFFFFF);
            EXPECT_EQ(differing, 0) << name.str();
        }
        for (int k : {0, 1}) {
            CImageControl& pane = w.GetScopePane(k);
            if (!pane.IsOnScreen())
                continue;
            const std::vector<uint32_t> shown = FrontPixels(pane, width);
            const RECT& inside = pane.GetInterior();
            int coloured = 0;
            for (int y = inside.top; y < inside.bottom; ++y)
                for (int x = inside.left; x < inside.right; ++x)
                    coloured += shown[y * width + x] != 0;
            const int cells = ColouredCells(w.GetScopeDisplay(k));
            EXPECT_GT(cells, 0) << name.str() << " scope " << k;
            EXPECT_EQ(coloured, cells) << name.str() << " scope " << k;
        }
        if (!l.meterAcross)
            continue;
        CMeterViewControl& meter = w.GetMeterPanel().GetMeterControl();
        const std::vector<uint32_t> meterShown = WindowPixels(meter.GetWindow()->GetHwnd(), width);
        int inked[3] = {};
        for (size_t i = 0; i < meterShown.size(); ++i)
            inked[int(i) % width * 3 / width] += meterShown[i] == kScaleText;
        for (int third = 0; third < 3; ++third)
            EXPECT_GT(inked[third], 0) << name.str() << " third " << third;
    }
}

// A scope pane's picture inside its frame: lit pixels off every row lit across
// the width (the centre line of silence, the level lines) trace a signal.
struct ScopePicture {
    int traced = 0;
    int fullRows = 0;
};

ScopePicture Look(CImageControl& pane)
{
    const int kInside = 12; // clear of the frame
    const CBitmapDC& shown = *pane.GetFrontBuffer();
    ScopePicture look;
    for (int y = kInside; y < shown.GetHeight() - kInside; ++y) {
        const uint32_t* row = shown.GetBits() + y * shown.GetWidth();
        const int lit = int(std::count_if(row + kInside, row + shown.GetWidth() - kInside,
                                          [](uint32_t p) { return (p & 0xFFFFFF) != 0; }));
        if (lit == shown.GetWidth() - 2 * kInside)
            ++look.fullRows;
        else
            look.traced += lit;
    }
    return look;
}

// After a tone the input falls silent while the scopes are not on screen; the
// first picture each shows again holds the silence read then, not the tone
// its display or its ring kept. With the first pane covered the second goes on
// showing its own, current scope.
TEST(MainWindowViews, ScopesShownAgainShowTheSignalOfThatMoment)
{
    MainRig rig;
    ASSERT_TRUE(rig.created);
    CMainWindow& w = rig.window;
    const HWND main = w.GetWindow().GetHwnd();
    w.OnContextCommand(AppCommand::PreferTwoScopes);
    w.GetWindow().SetBounds(0, 200, 1400, 600);
    PumpMessages();
    const int frames = 960; // a tick's worth
    std::vector<int32_t> left(frames), right(frames);
    int phase = 0;
    auto ticks = [&](int count, double amplitude) {
        for (int t = 0; t < count; ++t) {
            for (int i = 0; i < frames; ++i, ++phase)
                left[i] = right[i] = int32_t(amplitude * std::sin(phase * 0.05));
            int32_t* channels[2] = {left.data(), right.data()};
            w.OnInputPlanar(nullptr, channels, frames);
            w.Tick(CMainWindow::TickSleep::None);
        }
    };
    const int kToneTicks = 30, kSilentTicks = 30; // well past the paths' delays
    HWND cover = nullptr;
    auto coverPane = [&](int pane) {
        RECT r = {};
        GetWindowRect(pane < 0 ? main : w.GetScopePane(pane).GetWindow()->GetHwnd(), &r);
        cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    };
    const struct {
        const char* state;
        std::function<void()> enter, leave;
        std::vector<int> panes; // looked at once shown again
    } cases[] = {
        {"minimized", [&] { ShowWindow(main, SW_MINIMIZE); }, [&] { ShowWindow(main, SW_RESTORE); }, {0, 1}},
        {"covered", [&] { coverPane(-1); }, [&] { DestroyWindow(cover); }, {0, 1}},
        {"first pane covered", [&] { coverPane(0); }, [] {}, {1}},
    };
    for (const auto& c : cases) {
        ticks(kToneTicks, 16000);
        ASSERT_GT(Look(w.GetScopePane(0)).traced, 100) << c.state;
        c.enter();
        PumpMessages();
        ticks(kSilentTicks, 0);
        c.leave();
        PumpMessages();
        ticks(1, 0);
        for (int pane : c.panes) {
            const ScopePicture look = Look(w.GetScopePane(pane));
            EXPECT_LT(look.traced, 10) << c.state << " pane " << pane;
            EXPECT_GT(look.fullRows, 0) << c.state << " pane " << pane;
        }
    }
    DestroyWindow(cover);
}

// Presents show only what changed. Over layouts, sizes and ticks of random
// sound, every shown pane holds on screen what a full repaint of its buffer
// gives (frames included), and the RTA pane's view shows its whole picture.
TEST(MainWindowViews, PresentedChangesEqualAFullRepaint)
{
    const struct {
        int width, height, preference, position, channels;
    } layouts[] = {{800, 400, 0, 0, 1}, {1270, 400, 2, 0, 0}, {1150, 500, 0, 1, 1},
                   {600, 700, 1, 1, 0}, {1270, 250, 2, 0, 1}, {300, 220, 0, 0, 0}}; // on the 1280 x 1024 desktop
    MainRig rig;
    ASSERT_TRUE(rig.created);
    CMainWindow& w = rig.window;
    std::mt19937 random(11);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int frames = 480;
    std::vector<int32_t> left(frames), right(frames);
    int32_t* channels[2] = {left.data(), right.data()};
    for (const auto& l : layouts) {
        AnalyserSettings& settings = *w.GetSettings();
        settings.main_preference = l.preference;
        settings.itu_position = l.position;
        settings.iItuChannelMode = l.channels;
        w.GetWindow().SetBounds(0, 100, l.width, 100 + l.height);
        w.LayoutControls(0, 0, true);
        PumpMessages();
        for (int tick = 0; tick < 40; ++tick) {
            const int kind = pick(0, 3), period = pick(2, 200), amplitude = pick(0, 40000);
            for (int i = 0; i < frames; ++i) {
                const int s = kind == 0 ? 0 : kind == 1 ? int(amplitude * std::sin(i * 6.283 / period)) : amplitude;
                left[i] = s * (i / period % 2 ? 1 : -1);
                right[i] = kind == 3 ? -left[i] : s;
            }
            w.OnInputPlanar(nullptr, channels, frames);
            Sleep(pick(0, 1) * 10); // now and then the RTA has a result
            w.Tick(CMainWindow::TickSleep::None);
            if (tick % 4 != 3)
                continue;
            for (HWND pane : {w.GetRtaPane().GetWindow()->GetHwnd(), w.GetScopePane(0).GetWindow()->GetHwnd(),
                              w.GetScopePane(1).GetWindow()->GetHwnd(),
                              w.GetMeterPanel().GetMeterControl().GetWindow()->GetHwnd()}) {
                if (!IsWindowVisible(pane))
                    continue;
                int width = 0;
                const std::vector<uint32_t> presented = WindowPixels(pane, width);
                RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                ASSERT_EQ(presented, WindowPixels(pane, width)) << l.width << "x" << l.height << " tick " << tick;
            }
        }
        CBarGraphView& view = w.GetRtaPanel().GetView(w.GetRtaPanel().GetResolution());
        if (!w.GetRtaPane().IsShown() || !IsWindowVisible(w.GetRtaPane().GetWindow()->GetHwnd()))
            continue;
        const RECT area = view.GetArea();
        int width = 0;
        const std::vector<uint32_t> shown = WindowPixels(w.GetRtaPane().GetWindow()->GetHwnd(), width);
        int differing = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                differing += shown[y * width + x] != (At(*view.GetTarget(), x - area.left, y - area.top) & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << l.width << "x" << l.height;
    }
}

// Blocks stop arriving: once the quiet time has passed both scopes trace
// silence, not the last samples their paths give again and again.
TEST(MainWindowViews, ScopesFallSilentWhenBlocksStop)
{
    MainRig rig;
    ASSERT_TRUE(rig.created);
    CMainWindow& w = rig.window;
    FakeTicks clock(1000);
    w.GetInputWatch().SetTickSource(&clock);
    w.OnContextCommand(AppCommand::PreferTwoScopes);
    w.GetWindow().SetBounds(0, 200, 1400, 600);
    PumpMessages();
    const int frames = 960; // a tick's worth
    std::vector<int32_t> left(frames), right(frames);
    for (int i = 0; i < frames; ++i)
        left[i] = right[i] = int32_t(16000 * std::sin(i * 0.05));
    int32_t* channels[2] = {left.data(), right.data()};
    for (int t = 0; t < 30; ++t) {
        w.OnInputPlanar(nullptr, channels, frames);
        w.Tick(CMainWindow::TickSleep::None);
    }
    ASSERT_GT(Look(w.GetScopePane(0)).traced, 100);
    clock.now += CInputWatch::kQuietMs;
    for (int t = 0; t < 30; ++t)
        w.Tick(CMainWindow::TickSleep::None);
    for (int pane : {0, 1})
        EXPECT_LT(Look(w.GetScopePane(pane)).traced, 10) << pane;
}

int16_t LoudSine(int, int64_t n)
{
    return int16_t(16000 * std::sin(double(n) * 0.13));
}

// The tallest bar of the RTA's 1/3-octave view and the first meter bar, as drawn.
std::vector<int> Shown(CMainWindow& w)
{
    CBarGraphView& rta = w.GetRtaPanel().GetView(0);
    int tallest = 0;
    for (int k = 1; k < rta.GetRendererCount(); ++k)
        tallest = std::max(tallest, rta.GetSegmentRenderer(k)->values[0]);
    CMeterPanel& meter = w.GetMeterPanel();
    const CSegmentBarRenderer* bar = meter.GetMeterControl().GetView().GetSegmentRenderer(meter.GetFirstMeterBar());
    return {tallest, bar ? bar->values[0] : INT_MIN};
}

// A capture device lost mid-stream, with the settings window closed and then
// open: the tick closes the device and shows the driver's text in the settings
// window, the views fall to their floor once no block came for a while, and
// OK opens the device again with nothing changed; the views follow its blocks.
// So does the window the user closed and opened again from the menu, also after a pick it dropped.
TEST(MainWindowViews, LostDeviceShownViewsFallAndOkReopens)
{
    FakeWaveDevice device;
    device.signal = LoudSine;
    MainRig rig("Wave", "Default Device");
    ASSERT_TRUE(rig.created);
    ProbeMainWindow& w = rig.window;
    FakeTicks ticks(5000);
    w.GetInputWatch().SetTickSource(&ticks);
    CIoSettingsWindow& settings = w.GetSettingsWindow();
    auto flow = [&] {
        const int results = w.GetRtaPanel().GetResultCount();
        device.Complete(8);
        EXPECT_TRUE(WaitUntil([&] { return w.GetRtaPanel().GetResultCount() >= results + 3; }));
        w.Tick(CMainWindow::TickSleep::None);
        const std::vector<int> shown = Shown(w);
        EXPECT_TRUE(shown[0] > 0 && shown[1] > 0) << shown[0] << " " << shown[1];
    };
    for (int way : {0, 1, 2, 3}) { // opened by the error, open before, closed and opened from the menu, a pick first
        const bool openBefore = way == 1;
        flow();
        if (openBefore)
            w.OpenSettingsWindow(false);
        const int opens = device.opens, closes = device.closes;
        device.failQueueAfter = device.queueCalls; // the next buffer given back is refused
        device.Complete(1);
        ASSERT_TRUE(WaitUntil([&] {
            w.Tick(CMainWindow::TickSleep::None);
            return device.closes > closes && !w.IsAudioJobRunning(); // an OK before the close's end would wait
        }));
        std::string status;
        w.GetStatusText(status);
        EXPECT_EQ(status, "Error: Wave buffer driver handoff failed\n");
        ASSERT_TRUE(settings.GetWindow().IsCreated());
        if (way >= 2) {
            if (way == 3)
                settings.GetBufferCountList().Step(true, 1);
            SendMessageA(settings.GetWindow().GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            w.OpenSettingsWindow(false); // as the menu does
        }
        settings.OnEvent(&settings.GetWindow(), 0, WindowEvent::Timer, CIoSettingsWindow::kStatusTimer, 0, nullptr);
        EXPECT_EQ(settings.GetStatusText().GetTextBuffer()->text, status);
        ticks.now += CInputWatch::kQuietMs;
        w.Tick(CMainWindow::TickSleep::None);
        EXPECT_EQ(Shown(w), (std::vector<int>{0, -1679})) << openBefore; // empty bars; -144 dB on the meter

        device.failQueueAfter = -1;
        Click(settings.GetOkButton());
        PumpMessages();
        EXPECT_EQ(device.opens, opens + 1) << openBefore;
        EXPECT_FALSE(settings.GetWindow().IsCreated()) << openBefore;
    }
    flow();
}

// A device that holds its open (as every wave call waits on a sound server
// that never answers) keeps neither the window's creation nor its GUI thread
// waiting: the window shows with its views idle and, while the device layer
// may not answer, the settings window lists no devices; after the limit it
// tells so. The device's late answer ends it: a failure says why, an open
// closes the settings window that an OK waits on, and the devices are listed.
// Closed by the user while its OK waits, the window stays closed, though opened and closed again meanwhile;
// opened again and left open, it stays open.
TEST(MainWindowViews, DeviceThatDoesNotAnswerKeepsTheWindowAnswering)
{
    FakeWaveDevice device;
    const char* const late = "ERROR - The input device did not answer for 6 s\nERROR - The input device is missing";
    enum class AfterOk { Stay, Close, CloseReopenClose, CloseReopenPickClose, CloseReopen };
    const struct {
        MMRESULT answer;
        bool pressOk;
        const char* status;
        bool settingsStay;
        int opens;
        AfterOk afterOk = AfterOk::Stay;
        bool listDropped = false; // a list of the window opened from the menu drops as the text comes
    } cases[] = {
        {MMSYSERR_NOERROR, true, CAudioSession::kDefaultStatus, false, 2}, // OK's open follows the first
        {MMSYSERR_BADDEVICEID, false, late, true, 0},
        {MMSYSERR_NOERROR, false, CAudioSession::kDefaultStatus, true, 1}, // no OK waits: it stays for the user
        {MMSYSERR_NOERROR, true, CAudioSession::kDefaultStatus, false, 2, AfterOk::Close},
        {MMSYSERR_NOERROR, true, CAudioSession::kDefaultStatus, false, 2, AfterOk::CloseReopenClose},
        {MMSYSERR_NOERROR, true, CAudioSession::kDefaultStatus, false, 2, AfterOk::CloseReopenPickClose},
        {MMSYSERR_NOERROR, true, CAudioSession::kDefaultStatus, true, 2, AfterOk::CloseReopen}, // the user's own
        {MMSYSERR_NOERROR, false, CAudioSession::kDefaultStatus, true, 1, AfterOk::Stay, true},
    };
    for (const auto& c : cases) {
        FakeTicks ticks(1000);
        device.openAnswer = c.answer;
        device.Hold();
        const int held = device.heldCalls, opens = device.opens;
        MainRig rig("Wave", "Default Device", nullptr, &ticks);
        ASSERT_TRUE(rig.created);
        ProbeMainWindow& w = rig.window;
        EXPECT_EQ(device.waitingCalls, 1); // created while the device still holds its open
        EXPECT_TRUE(IsWindowVisible(w.GetWindow().GetHwnd()));
        CIoSettingsWindow& settings = w.GetSettingsWindow();
        w.Tick(CMainWindow::TickSleep::None);
        EXPECT_FALSE(settings.GetWindow().IsCreated());
        CDropList& counts = settings.GetBufferCountList().GetPopup();
        for (const MainWindowPopup& popup : MainWindowPopups())
            if (c.listDropped && std::string(popup.name) == "buffer count list") {
                ASSERT_TRUE(popup.open(w));
                // Raised above the list's window, which keeps the activation.
                SetWindowPos(w.GetWindow().GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        ticks.now += CAudioSession::kAnswerLimitMs;
        w.Tick(CMainWindow::TickSleep::None);
        ASSERT_TRUE(settings.GetWindow().IsCreated());
        std::string status;
        w.GetStatusText(status);
        EXPECT_EQ(status, CAudioSession::kNoAnswer);
        EXPECT_EQ(settings.GetDeviceList().GetItems().Count(), 0);
        EXPECT_EQ(device.heldCalls, held + 1); // only the open waits: the window asked the device layer nothing
        if (c.listDropped) {
            ASSERT_TRUE(counts.IsOpen()) << "the text closed the list";
            const DropListRowGeometry& g = counts.GetRows()[0]->GetGeometry();
            POINT at = {g.x + g.width / 2, g.y + g.height / 2};
            ClientToScreen(counts.GetPopupWindow().GetHwnd(), &at);
            ASSERT_TRUE(MoveCursorTo(at.x, at.y) && SendMouseButton(MouseButton::Left, KeyAction::Press) &&
                        SendMouseButton(MouseButton::Left, KeyAction::Release));
            PumpMessages();
            EXPECT_EQ(settings.GetBufferCountList().GetSelectedIndex(), counts.GetFirstVisible()) << "the pick";
            EXPECT_EQ(GetActiveWindow(), settings.GetWindow().GetHwnd());
        }
        if (c.pressOk) {
            Click(settings.GetOkButton());
            PumpMessages();
            EXPECT_TRUE(settings.IsAwaitingOpen() && settings.GetWindow().IsCreated());
        }
        if (c.afterOk != AfterOk::Stay) { // then told as not answering
            SendMessageA(settings.GetWindow().GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            if (c.afterOk != AfterOk::Close) {
                w.OpenSettingsWindow(false); // as the menu does
                if (c.afterOk == AfterOk::CloseReopenPickClose)
                    settings.GetBufferCountList().Step(true, 1);
                if (c.afterOk != AfterOk::CloseReopen)
                    SendMessageA(settings.GetWindow().GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            ticks.now += CAudioSession::kAnswerLimitMs;
            w.Tick(CMainWindow::TickSleep::None);
        }
        ticks.now += 1000;
        device.Release();
        ASSERT_TRUE(WaitUntil([&] {
            w.Tick(CMainWindow::TickSleep::None);
            return !w.IsAudioJobRunning();
        }));
        PumpMessages();
        w.GetStatusText(status);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(device.opens, opens + c.opens);
        ASSERT_EQ(settings.GetWindow().IsCreated(), c.settingsStay);
        if (c.settingsStay) {
            settings.OnEvent(&settings.GetWindow(), 0, WindowEvent::Timer, CIoSettingsWindow::kStatusTimer, 0, nullptr);
            EXPECT_EQ(settings.GetDeviceList().GetItems().Count(), 3);
            EXPECT_EQ(settings.GetStatusText().GetTextBuffer()->text, status);
        }
    }
}

// Stands in for the shell while it lives, counting the screen strips given back.
struct StripShell {
    StripShell()
    {
        removes = 0;
        SetWindowShellApi(&api);
    }
    ~StripShell() { SetWindowShellApi(nullptr); }
    static UINT_PTR WINAPI AppBar(DWORD message, PAPPBARDATA)
    {
        removes += message == ABM_REMOVE;
        return TRUE;
    }
    static inline int removes = 0;
    const WindowShellApi api = {AppBar, GetForegroundWindow, GetMonitorInfoA};
};

// What another program or the session sends a docked window, from another
// thread: each saves the settings and the placement made just before; a close
// ends the program as its Exit does, giving the screen strip back.
TEST(MainWindowViews, OutsideClosesAndSessionEndsSave)
{
    const struct {
        UINT message;
        WPARAM wParam;
        bool closes;
    } cases[] = {{WM_CLOSE, 0, true}, {WM_QUERYENDSESSION, 0, false}, {WM_ENDSESSION, TRUE, false}};
    char ini[MAX_PATH];
    GetIniPath(ini);
    for (const auto& c : cases) {
        StripShell shell;
        MainRig rig;
        ASSERT_TRUE(rig.created);
        CPhysicalWindow& window = rig.window.GetWindow();
        const HWND hwnd = window.GetHwnd();
        window.Move(5, 300);
        PumpMessages();
        window.DockNearest();
        PumpMessages();
        ASSERT_EQ(window.GetDockedEdge(), 1);
        std::thread([&] { PostMessageA(hwnd, c.message, c.wParam, 0); }).join();
        PumpMessages();
        WindowPlacementRecord record = {};
        EXPECT_TRUE(GetPrivateProfileStructA("Master", "MainWindowState", &record, sizeof record, ini)) << c.message;
        EXPECT_EQ(record.state & PlacementState::Mask, PlacementState::DockedBase + 1) << c.message;
        EXPECT_EQ(GetPrivateProfileIntA("Settings", "cp.rta_averages", 0, ini), 25) << c.message;
        EXPECT_EQ(!IsWindow(hwnd), c.closes) << c.message;
        EXPECT_EQ(StripShell::removes, c.closes ? 1 : 0) << c.message;
    }
}

// Placements another monitor or a spoiled file left come back with the title
// bar on the work area and within the main window's own size limits (at least
// 78 x 56); a docked bar is at least as thick as a docked main window may be
// (40 px at a side, 32 at the top) and takes at most half the screen.
TEST(MainWindowViews, HostilePlacementsRestoreInReachAndWithinTheLimits)
{
    const struct {
        const char* name;
        uint32_t state;
        RECT rect;
        int dockedWidth, dockedHeight;
        RECT expected;
    } cases[] = {
        {"title bar above the screen", 0, {-50, -50, 750, 350}, 270, 156, {0, 0, 800, 400}},
        {"1 x 1", 0, {300, 300, 301, 301}, 270, 156, {300, 300, 378, 356}},
        {"wider than the screen", 0, {0, 100, 5000, 500}, 270, 156, {0, 100, 1280, 500}},
        {"docked left 1 px wide", 101, {200, 200, 1000, 600}, 1, 156, {0, 0, 40, 1024}},
        {"docked top 1 px high", 102, {200, 200, 1000, 600}, 270, 1, {0, 0, 1280, 32}},
        {"docked right wider than the screen", 103, {200, 200, 1000, 600}, 5000, 156, {640, 0, 1280, 1024}},
    };
    for (const auto& c : cases) {
        StripShell shell;
        WindowPlacementRecord record = {};
        record.size = WindowPlacementRecord::kSize;
        record.magic = WindowPlacementRecord::kMagic;
        std::memcpy(&record.left, &c.rect, sizeof c.rect); // left, top, right, bottom as in a RECT
        record.dockedWidth = c.dockedWidth;
        record.dockedHeight = c.dockedHeight;
        record.state = c.state | PlacementFlag::TaskbarButton;
        MainRig rig("None", nullptr, &record);
        ASSERT_TRUE(rig.created) << c.name;
        PumpMessages();
        RECT rect = {};
        GetWindowRect(rig.window.GetWindow().GetHwnd(), &rect);
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << c.name << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, LPARAM(&count));
    return count;
}

// Signal flowing through the capture path between ticks: nothing of the
// window's resources grows.
TEST(MainWindowViews, TicksKeepResourcesFlat)
{
    MainRig rig;
    ASSERT_TRUE(rig.created);
    CMainWindow& w = rig.window;
    w.OnContextCommand(AppCommand::PreferTwoScopes);
    w.GetWindow().SetBounds(0, 200, 1400, 600);
    PumpMessages();
    const int frames = 480; // 10 ms
    std::vector<int32_t> left(frames), right(frames);
    int phase = 0;
    auto tick = [&] {
        for (int i = 0; i < frames; ++i, ++phase) {
            left[i] = int32_t(16000 * std::sin(phase * 0.13));
            right[i] = int32_t(8000 * std::sin(phase * 0.021));
        }
        int32_t* channels[2] = {left.data(), right.data()};
        w.OnInputPlanar(nullptr, channels, frames);
        w.Tick(CMainWindow::TickSleep::None);
    };
    auto memory = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
        return counters.PagefileUsage;
    };
    for (int i = 0; i < 500; ++i)
        tick();
    const size_t bytes = memory();
    const int sections = CBitmapDC::GetLiveSectionCount(), shown = ThreadWindowCount();
    for (int i = 0; i < 5000; ++i)
        tick();
    EXPECT_LT(memory(), bytes + (1u << 20));
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections);
    EXPECT_EQ(ThreadWindowCount(), shown);
    EXPECT_GT(w.GetRtaPanel().GetResultCount(), 0);
}

} // namespace
