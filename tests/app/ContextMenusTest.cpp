#include "app/ContextMenus.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// One line per row: "-" a spacer, "=" the divider, else the text, value and
// the flags the row shows ("x" marked, the mark picture, "off" disabled,
// "hint" a tip, "W" a window command sent to the window itself).
std::vector<std::string> Rows(const CDropListItemList& items)
{
    std::vector<std::string> rows;
    for (int i = 0; i < items.Count(); ++i) {
        const CDropListItem* item = items.ItemAt(i);
        if (item->spacer || item->separator) {
            rows.push_back(item->spacer ? "-" : "=");
            continue;
        }
        std::string row = item->name + " " + std::to_string(item->value);
        if (item->marked)
            row += " x" + std::to_string(item->iconId);
        if (item->disabled)
            row += " off";
        if (!item->toolTip.empty())
            row += " hint";
        if (item->listener)
            row += " W";
        rows.push_back(row);
    }
    return rows;
}

const std::vector<std::string> kMenuTail = {"Move 68157445 W", "Minimize 68157441 W", "Maximize 68157442 W", "-",
                                            "Exit 68157444 W"};

TEST(ContextMenus, WindowMenuFollowsTheWindowState)
{
    int target;
    CListener* window = reinterpret_cast<CListener*>(&target);
    WindowMenuState normal;
    normal.nearestEdge = 0x1000 | 1;
    normal.titleBarShown = true;
    normal.canMove = normal.canMinimize = normal.canMaximize = true;
    CDropListItemList items;
    AddWindowMenuItems(items, normal, window);
    std::vector<std::string> expected = {
        "About Quillmere RTA 507", "-", "I/O Settings 506", "-", "Show Titlebar 503 x1000", "Dock Window 500 off hint",
        "Always on top 502",       "-"};
    expected.insert(expected.end(), kMenuTail.begin(), kMenuTail.end());
    EXPECT_EQ(Rows(items), expected);

    WindowMenuState docked;
    docked.dockedEdge = docked.nearestEdge = 1;
    docked.topmostWhenDocked = true;
    docked.canRestore = true;
    items.Clear();
    AddWindowMenuItems(items, docked, window);
    EXPECT_EQ(Rows(items), (std::vector<std::string>{"About Quillmere RTA 507", "-", "I/O Settings 506", "-",
                                                     "Undock Window 500 x1000", "Dock always on top 501 x1000", "-",
                                                     "Exit 68157444 W"}));

    // Maximized and on top: Restore, no Move nor Maximize; the near edge tells the dock text.
    WindowMenuState maximized = normal;
    maximized.topmostLevel = 2;
    maximized.canRestore = true;
    maximized.canMove = maximized.canMaximize = false;
    const char* edges[] = {"Dock to left", "Dock to top", "Dock to right", "Dock to bottom"};
    for (int edge = 1; edge <= 4; ++edge) {
        maximized.nearestEdge = edge;
        items.Clear();
        AddWindowMenuItems(items, maximized, window);
        std::vector<std::string> rows = Rows(items);
        ASSERT_EQ(rows.size(), 12u);
        EXPECT_EQ(rows[5], std::string(edges[edge - 1]) + " 500 x-1");
        EXPECT_EQ(rows[6], "Always on top 502 x1000");
        EXPECT_EQ(std::vector<std::string>(rows.begin() + 8, rows.end()),
                  (std::vector<std::string>{"Restore 68157443 W", "Minimize 68157441 W", "-", "Exit 68157444 W"}));
    }
    for (int failure : {0, -10, 5}) {
        maximized.nearestEdge = failure;
        CDropListItem* item = MakeDockItem(maximized);
        EXPECT_EQ(item->name + (item->disabled ? " off" : ""), "Dock Window off") << failure;
        delete item;
    }
}

TEST(ContextMenus, PaneMenusTickTheSettings)
{
    AnalyserSettings s;
    LoadDefaults(&s); // RTA preferred, 1/3 octave, 25 averages, left, horizontal, 3 s, dual mono
    CDropListItemList items;
    AddPaneMenuItems(items, PaneMenu::Rta, s, StripShape::Wide);
    EXPECT_EQ(Rows(items), (std::vector<std::string>{
                               "Prefer RTA 532 x1001", "Prefer Oscilloscope 533", "Prefer Two Oscilloscopes 534", "-",
                               "Input: Left Channel 522 x1001", "Input: Right Channel 523", "-", "1/3 octave 512 x1001",
                               "1/6 octave 513", "-", "Averages: 1 514", "Averages: 5 515", "Averages: 10 516",
                               "Averages: 25 517 x1001", "Averages: 50 518", "Averages: 100 519", "Averages: 250 520",
                               "Averages: 500 521", "="}));

    const std::vector<std::string> meters = {
        "Prefer Horizontal 524 x1001",     "Prefer Vertical 525",           "-", "Time constant: 3 seconds 527 x1001",
        "Time constant: 10 seconds 528",   "Time constant: 30 seconds 529", "-", "Power Sum (ITU BS.1770) 530",
        "Dual Mono (L/R Meters) 531 x1001"};
    items.Clear();
    AddPaneMenuItems(items, PaneMenu::Meters, s, StripShape::Other);
    std::vector<std::string> expected = meters;
    expected.push_back("=");
    EXPECT_EQ(Rows(items), expected);
    s.itu_only = 1;
    items.Clear();
    AddPaneMenuItems(items, PaneMenu::Meters, s, StripShape::Wide);
    expected.insert(expected.end() - 1, {"-", "ITU meter Only 526 x1000"});
    EXPECT_EQ(Rows(items), expected);

    // Values no item carries tick nothing.
    s.rta_averages = 7;
    s.main_preference = 3;
    s.rta_channel = -1;
    s.rta_resolution = 9;
    items.Clear();
    AddPaneMenuItems(items, PaneMenu::Scope, s, StripShape::Other);
    EXPECT_EQ(Rows(items), (std::vector<std::string>{"Prefer RTA 532", "Prefer Oscilloscope 533",
                                                     "Prefer Two Oscilloscopes 534", "-"}));
    items.Clear();
    AddPaneMenuItems(items, PaneMenu::Rta, s, StripShape::Other);
    for (const std::string& row : Rows(items))
        EXPECT_EQ(row.find(" x"), std::string::npos) << row;
}

} // namespace
