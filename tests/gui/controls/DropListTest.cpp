#include "ListTestSupport.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/CDropListItemList.h"
#include "gui/controls/CPopupMenu.h"
#include "gui/controls/ControlCommand.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>

namespace {
const int kPopupX = 420, kPopupY = 260;
const UINT_PTR kHoverTimer = 50, kTipTimer = 70;

enum Look { kNormal, kSeparator, kSpacer, kCaption, kDisabled };

void AddItems(CDropListItemList& items, std::initializer_list<Look> looks)
{
    for (Look look : looks) {
        CDropListItem* item = new CDropListItem;
        item->value = 100 + items.Count();
        item->separator = look == kSeparator;
        item->spacer = look == kSpacer;
        item->caption = look == kCaption;
        item->disabled = look == kDisabled;
        items.Add(item);
    }
}

void AddNormal(CDropListItemList& items, int count)
{
    for (int i = 0; i < count; ++i)
        AddItems(items, {kNormal});
}

struct PopupFixture {
    void Open(int rows, int selected, uint8_t notAMenu = 0)
    {
        items.selected = selected;
        DropListOpenParams params;
        params.x = x;
        params.y = y;
        params.width = 150;
        params.renderer = &host.skin;
        params.owner = &owner;
        params.host = &host.window;
        params.visibleRows = rows;
        params.items = &items;
        params.placement = placement;
        params.cookie = 77;
        params.notAMenu = notAMenu;
        params.closeOnOtherButton = closeOnOtherButton;
        list.Open(params);
        popup = list.GetPopupWindow().GetHwnd();
    }
    // A point inside row r, client coordinates.
    POINT InRow(int r) const
    {
        const DropListRowGeometry& g = list.GetRows()[r]->GetGeometry();
        return POINT{g.x + 5, g.y + g.height / 2};
    }
    void Send(UINT message, POINT at, WPARAM wParam = 0) { SendTo(popup, message, wParam, at.x, at.y); }
    SkinnedHost host;
    NoteListener owner;
    CDropListItemList items;
    CDropList list;
    HWND popup = nullptr;
    uint8_t closeOnOtherButton = 0;
    int x = kPopupX, y = kPopupY, placement = 0;
};
} // namespace

// Without scrolling the popup is as high as its lines (separator 10, spacer
// 5, row 16) and the frame's 10; with 12 items in 5 rows and item 9 selected
// it opens at item 6, item 9 in the fourth row. The wheel and the bar stop at
// 0 and 7; a second Open, and input once closed, change nothing.
TEST(DropList, LayoutScrollingAndWheel)
{
    PopupFixture f;
    AddItems(f.items, {kSeparator, kSpacer, kNormal});
    f.Open(5, -1);
    ASSERT_TRUE(f.list.IsOpen());
    EXPECT_EQ(nullptr, f.list.GetScrollBar());
    EXPECT_EQ(10 + 10 + 5 + 16, f.list.GetPopupWindow().GetHeight());
    EXPECT_EQ(3u, f.list.GetRows().size());
    f.list.GetPopupWindow().PostDeferredClose();
    PumpMessages();
    EXPECT_FALSE(f.list.IsOpen());
    EXPECT_EQ(1, f.owner.Count(DropListNotify::Closed));

    f.items.Clear();
    AddNormal(f.items, 12);
    f.Open(5, 9);
    EXPECT_EQ(16 * 5 + 10, f.list.GetPopupWindow().GetHeight());
    EXPECT_EQ(6, f.list.GetFirstVisible());
    EXPECT_TRUE(f.list.GetRows()[3]->GetGeometry().selected);
    EXPECT_EQ(f.items.ItemAt(9), f.list.GetRows()[3]->GetItem());
    f.Open(3, 0);
    EXPECT_EQ(5, f.list.GetOpenParams().visibleRows);
    CScrollBarControl* bar = f.list.GetScrollBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(6, bar->GetPosition());
    Wheel(f.popup, 10);
    EXPECT_EQ(0, f.list.GetFirstVisible());
    Wheel(f.popup, -10);
    EXPECT_EQ(7, f.list.GetFirstVisible());
    EXPECT_EQ(7, bar->GetPosition());
    Wheel(bar->GetWindow()->GetHwnd(), 2);
    EXPECT_EQ(5, f.list.GetFirstVisible());

    f.list.GetPopupWindow().PostDeferredClose();
    PumpMessages();
    f.list.OnEvent(&f.list.GetPopupWindow(), EventSource::Window, WindowEvent::LeftButtonUp, 0, 0, nullptr);
    EXPECT_EQ(2, f.owner.Count(DropListNotify::Closed));
    EXPECT_EQ(0, f.owner.Count(DropListNotify::Selected));

    // On a 1024-pixel screen: 12 rows from y 1000 cross the bottom; 72 rows
    // are cut to those that fit, 63 of 16 pixels.
    DropListOpenParams fit;
    fit.renderer = &f.host.skin;
    fit.items = &f.items;
    fit.visibleRows = 100;
    fit.y = 1000;
    EXPECT_EQ(8u, f.list.FitToMonitor(fit));
    AddNormal(f.items, 60);
    fit.y = 0;
    fit.visibleRows = 100;
    EXPECT_EQ(0u, f.list.FitToMonitor(fit));
    EXPECT_EQ(63, fit.visibleRows);
}

// Opened at a screen's edge, as a menu at the cursor or a list below its box,
// the whole popup, frame and all, stays inside the work area.
TEST(DropList, APopupAtTheScreensEdgeStaysInsideTheWorkArea)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const struct {
        int x, y, placement;
    } cases[] = {{400, int(work.bottom) - 10, DropListPlacement::CursorMonitor | 1},
                 {int(work.right) - 20, int(work.bottom) - 30, DropListPlacement::CursorMonitor | 1},
                 {400, int(work.bottom) - 30, DropListPlacement::SkipHorizontal}};
    for (const auto& c : cases) {
        SetCursorPos(c.x, c.y);
        PopupFixture f;
        AddNormal(f.items, 8);
        f.x = c.x, f.y = c.y, f.placement = c.placement;
        f.Open(8, -1);
        RECT r = {};
        GetWindowRect(f.popup, &r);
        EXPECT_GE(r.top, work.top) << c.x << "," << c.y;
        EXPECT_LE(r.bottom, work.bottom) << c.x << "," << c.y;
        if (!(c.placement & DropListPlacement::SkipHorizontal)) {
            EXPECT_LE(r.right, work.right) << c.x << "," << c.y;
        }
        f.list.GetPopupWindow().PostDeferredClose();
        PumpMessages();
    }
}

// Releases over a separator, spacer, caption or disabled row neither select
// nor close; one outside every row only drops the close-on-other-button
// flag. A release over a normal row selects it (the item's own listener
// hears it when it has one) and closes.
TEST(DropList, ReleaseSelectsOnlyChoosableRows)
{
    PopupFixture f;
    AddItems(f.items, {kNormal, kSeparator, kSpacer, kCaption, kDisabled, kNormal});
    NoteListener own;
    f.items.ItemAt(5)->listener = &own;
    f.closeOnOtherButton = 1;
    f.Open(6, -1);
    for (int r = 1; r <= 4; ++r)
        f.Send(WM_LBUTTONUP, f.InRow(r));
    f.Send(WM_LBUTTONUP, POINT{1, 1});
    PumpMessages();
    EXPECT_TRUE(f.list.IsOpen());
    EXPECT_TRUE(f.owner.notes.empty());
    EXPECT_EQ(0, f.list.GetOpenParams().closeOnOtherButton);

    f.Send(WM_LBUTTONUP, f.InRow(0));
    PumpMessages();
    EXPECT_FALSE(f.list.IsOpen());
    ASSERT_EQ(2u, f.owner.notes.size());
    const ControlNotification& chosen = f.owner.notes[0];
    EXPECT_EQ(DropListNotify::Kind, chosen.kind);
    EXPECT_EQ(DropListNotify::Selected, chosen.code);
    EXPECT_EQ(100, chosen.controlId);
    EXPECT_EQ(0, chosen.data1);
    EXPECT_EQ(77, chosen.data2);
    EXPECT_EQ(f.items.ItemAt(0), chosen.data3);
    EXPECT_EQ(0, chosen.further[0] | chosen.further[1]);
    EXPECT_EQ(0, f.items.selected);

    f.Open(6, -1);
    f.Send(WM_LBUTTONUP, f.InRow(5));
    PumpMessages();
    EXPECT_EQ(1, own.Count(DropListNotify::Selected));
    EXPECT_EQ(105, own.notes[0].controlId);
    EXPECT_EQ(1, f.owner.Count(DropListNotify::Selected));
}

// Deactivation closes without a selection: the owner hears the close once,
// though Destroyed comes twice. A popup menu hands every record on as kind 9.
TEST(DropList, DeactivationClosesAndTheMenuRelays)
{
    PopupFixture f;
    AddNormal(f.items, 4);
    f.Open(4, -1, 1);
    SendMessageA(f.popup, WM_ACTIVATE, WA_INACTIVE, 0);
    PumpMessages();
    EXPECT_FALSE(f.list.IsOpen());
    ASSERT_EQ(1u, f.owner.notes.size());
    EXPECT_EQ(DropListNotify::Closed, f.owner.notes[0].code);

    CPopupMenu menu;
    NoteListener menuOwner;
    AddNormal(menu.GetItems(), 3);
    PopupMenuParams params;
    params.x = kPopupX;
    params.y = kPopupY;
    params.width = 120;
    params.owner = &menuOwner;
    menu.Open(params); // no container: nothing opens
    EXPECT_FALSE(menu.GetDropList().IsOpen());
    params.container = &f.host.container;
    menu.Open(params);
    ASSERT_TRUE(menu.GetDropList().IsOpen());
    const DropListRowGeometry& g = menu.GetDropList().GetRows()[2]->GetGeometry();
    SendTo(menu.GetDropList().GetPopupWindow().GetHwnd(), WM_LBUTTONUP, 0, g.x + 5, g.y + 5);
    PumpMessages();
    ASSERT_EQ(2u, menuOwner.notes.size());
    for (const ControlNotification& n : menuOwner.notes) {
        EXPECT_EQ(PopupMenuNotify::Kind, n.kind);
        EXPECT_EQ(&menu, n.sender);
    }
    EXPECT_EQ(menu.GetItems().ItemAt(2)->value, menuOwner.notes[0].controlId);
    EXPECT_EQ(DropListNotify::Closed, menuOwner.notes[1].code);
}

// Either kind of popup menu, the one shown without activation and the
// activated one the tray opens, is the program's open menu until it closes:
// a dismissal with the cursor outside closes it, and so does the loss of
// the activation, wherever the cursor is.
TEST(DropList, DismissalOrDeactivationClosesEveryKindOfPopupMenu)
{
    enum class Closing { Dismissal, Deactivation };
    const struct {
        uint8_t activated;
        Closing closing;
        int cursorX; // from the menu's left
    } cases[] = {{0, Closing::Dismissal, -50}, {1, Closing::Dismissal, -50}, {1, Closing::Deactivation, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.activated) << int(c.closing));
        SkinnedHost host;
        CPopupMenu menu;
        NoteListener owner;
        AddNormal(menu.GetItems(), 3);
        PopupMenuParams params;
        params.x = kPopupX;
        params.y = kPopupY;
        params.width = 120;
        params.owner = &owner;
        params.container = &host.container;
        params.notAMenu = params.closeOnOutsideClick = c.activated;
        ASSERT_TRUE(MoveCursorTo(kPopupX + c.cursorX, kPopupY + 10));
        menu.Open(params);
        PumpMessages();
        ASSERT_TRUE(menu.GetDropList().IsOpen());
        EXPECT_TRUE(CPhysicalWindow::IsMenuOpen());
        if (c.closing == Closing::Dismissal)
            CPhysicalWindow::DismissOpenMenu();
        else
            SendMessageA(menu.GetDropList().GetPopupWindow().GetHwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
        PumpMessages();
        EXPECT_FALSE(menu.GetDropList().IsOpen());
        EXPECT_FALSE(CPhysicalWindow::IsMenuOpen());
    }
}

// While the button is held the hover timer scrolls towards a cursor below or
// above the rows; a cursor resting 400 ms on a row with a tip shows it.
TEST(DropList, HoverScrollsAndTipsShow)
{
    FakeTicks ticks(5000); // outlives the list
    PopupFixture f;
    f.list.SetTickSource(&ticks);
    AddNormal(f.items, 12);
    f.items.ItemAt(1)->toolTip = "tip";
    f.Open(5, -1);
    const POINT row1 = f.InRow(1);
    ASSERT_TRUE(MoveCursorTo(kPopupX + row1.x, kPopupY + row1.y));
    f.Send(WM_MOUSEMOVE, row1);
    EXPECT_EQ(1, f.list.GetHovered());
    SendMessageA(f.popup, WM_TIMER, kTipTimer, 0);
    ticks.now += 400; // a tip waits for 400 ms of rest
    SendMessageA(f.popup, WM_TIMER, kTipTimer, 0);
    EXPECT_EQ(nullptr, f.list.GetPopupContainer().GetToolTip());
    ticks.now += 1;
    SendMessageA(f.popup, WM_TIMER, kTipTimer, 0);
    EXPECT_EQ(&f.list, f.list.GetPopupContainer().GetToolTipControl());

    f.Send(WM_LBUTTONDOWN, row1, MK_LBUTTON);
    ASSERT_TRUE(MoveCursorTo(kPopupX + row1.x, kPopupY + 200));
    SendMessageA(f.popup, WM_TIMER, kHoverTimer, 0);
    SendMessageA(f.popup, WM_TIMER, kHoverTimer, 0);
    EXPECT_EQ(2, f.list.GetFirstVisible());
    EXPECT_EQ(2, f.list.GetScrollBar()->GetPosition());
    ASSERT_TRUE(MoveCursorTo(kPopupX + row1.x, kPopupY - 20));
    SendMessageA(f.popup, WM_TIMER, kHoverTimer, 0);
    EXPECT_EQ(1, f.list.GetFirstVisible());
}

// The thumb of the popup's bar follows the mouse pixel by pixel while the
// rows follow the nearest unit; the release snaps the thumb to that unit.
TEST(DropList, DraggedThumbFollowsTheMouse)
{
    PopupFixture f;
    AddNormal(f.items, 12);
    f.Open(5, 0);
    CScrollBarControl* bar = f.list.GetScrollBar();
    ASSERT_NE(nullptr, bar);
    const HWND hwnd = bar->GetWindow()->GetHwnd();
    const int travel = bar->GetTravel();
    const int pressY = bar->GetTrackStart() + 5; // on the thumb at position 0
    SendTo(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 7, pressY);
    struct Case {
        int dy, offset, firstVisible;
    };
    const int units = 12 - 5;
    ASSERT_EQ(45, travel) << "a 76-pixel track, a 31-pixel thumb";
    const Case cases[] = {{4, 4, 1}, {10, 10, 2}, {100, travel, units}, {-100, 0, 0}, {9, 9, 1}};
    for (const Case& c : cases) {
        SendTo(hwnd, WM_MOUSEMOVE, MK_LBUTTON, 7, pressY + c.dy);
        EXPECT_EQ(c.offset, bar->GetThumbOffset()) << c.dy;
        EXPECT_EQ(c.firstVisible, f.list.GetFirstVisible()) << c.dy;
    }
    SendTo(hwnd, WM_LBUTTONUP, 0, 7, pressY + 9);
    EXPECT_EQ(travel / units, bar->GetThumbOffset());
    EXPECT_EQ(1, f.list.GetFirstVisible());
    EXPECT_EQ(1, bar->GetPosition());
}
