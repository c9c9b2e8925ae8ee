#include "../controls/ListTestSupport.h"
#include "FakeShell.h"
#include "gui/window/CWindowMenu.h"
#include "gui/window/WindowGeometry.h"
#include "gui/window/WindowCommand.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace {
// A skinned window under a stand-in shell whose container is its window menu option.
struct MenuWindow {
    explicit MenuWindow(WindowCreateParams params, bool withOption = true) : host(WithOption(params, withOption)) {}
    WindowCreateParams WithOption(WindowCreateParams params, bool withOption)
    {
        params.windowMenuOption = withOption ? reinterpret_cast<intptr_t>(&host.container) : 0;
        return params;
    }
    CDropListItemList& Items() { return window.GetWindowMenu()->GetMenu().GetItems(); }
    // Names in order; "-" a separator, "~" marks a disabled item.
    std::string Names()
    {
        std::string names;
        for (int i = 0; i < Items().Count(); ++i) {
            const CDropListItem* item = Items().ItemAt(i);
            names += (item->separator ? "-" : item->name) + (item->disabled ? "~" : "") + " ";
        }
        return names;
    }
    void AskForMenu() { SendMessageA(window.GetHwnd(), ToolkitMessage::WindowMenu, 0, 0); }
    FakeShell shell; // outlives the window
    SkinnedHost host;
    CPhysicalWindow& window = host.window;
};

WindowCreateParams Fixed()
{
    WindowCreateParams params = DockableParams();
    params.movable = params.minimizable = params.maximizable = 0;
    return params;
}
} // namespace

// Each request fills the items from the window's options and present state.
// The menu opens at the cursor; "Move" puts the window's centre under it.
TEST(WindowMenu, ItemsFollowTheWindowsStateAndMoveCentresIt)
{
    struct Case {
        const char* what;
        WindowCreateParams params;
        std::function<void(CPhysicalWindow&)> prepare;
        const char* names;
    };
    const Case cases[] = {
        {"normal", DockableParams(), [](CPhysicalWindow&) {}, "Restore~ Move Minimize Maximize - Close "},
        {"maximized", DockableParams(), [](CPhysicalWindow& w) { w.Maximize(nullptr); },
         "Restore Move~ Minimize Maximize~ - Close "},
        {"docked", DockableParams(), [](CPhysicalWindow& w) { w.DockToEdge(DockEdge::Left, nullptr); },
         "Restore Move~ Minimize~ Maximize~ - Close "},
        {"minimized", DockableParams(), [](CPhysicalWindow& w) { w.Minimize(); },
         "Restore Move~ Minimize~ Maximize~ - Close "},
        {"fixed", Fixed(), [](CPhysicalWindow&) {}, "- Close "},
        {"main", Fixed(), [](CPhysicalWindow& w) { w.SetIsMainWindow(true); }, "- Exit "},
    };
    for (const Case& c : cases) {
        MenuWindow w(c.params);
        c.prepare(w.window);
        PumpMessages();
        w.AskForMenu();
        EXPECT_EQ(c.names, w.Names()) << c.what;
        EXPECT_EQ(WindowCommand::Close, w.Items().ItemAt(w.Items().Count() - 1)->value) << c.what;
        EXPECT_TRUE(w.window.GetWindowMenu()->GetMenu().GetDropList().IsOpen()) << c.what;
        w.Items().ItemAt(0)->userWord = 1; // the open menu keeps its items
        w.AskForMenu();
        EXPECT_EQ(1, w.Items().ItemAt(0)->userWord) << c.what;
    }
    MenuWindow without(DockableParams(), false);
    without.AskForMenu();
    EXPECT_EQ(0, without.Items().Count());

    {
        MenuWindow w(DockableParams(60, 90, 400, 300));
        ASSERT_TRUE(MoveCursorTo(700, 500));
        w.AskForMenu();
        CDropList& list = w.window.GetWindowMenu()->GetMenu().GetDropList();
        ASSERT_TRUE(list.IsOpen());
        RECT popup = {};
        GetWindowRect(list.GetPopupWindow().GetHwnd(), &popup);
        POINT cursor = {};
        GetCursorPos(&cursor);
        EXPECT_EQ(cursor.x, popup.left);
        EXPECT_EQ(cursor.y, popup.top);
        ASSERT_EQ(WindowCommand::Move, w.Items().ItemAt(1)->value);
        const DropListRowGeometry& move = list.GetRows()[1]->GetGeometry();
        SendMessageA(list.GetPopupWindow().GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(move.x + 5, move.y + 5));
        PumpMessages();
        EXPECT_FALSE(list.IsOpen());
        RECT rect = {};
        GetWindowRect(w.window.GetHwnd(), &rect);
        GetCursorPos(&cursor);
        EXPECT_EQ(cursor.x - 200, rect.left);
        EXPECT_EQ(cursor.y - 150, rect.top);
        SendMessageA(w.window.GetHwnd(), WM_LBUTTONUP, 0, 0);
    }
}
