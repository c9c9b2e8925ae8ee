#include "PaneSlotText.h"
#include "app/PaneLayout.h"
#include "gui/controls/ControlCommand.h"
#include "gui/CListener.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdint>
#include <string>

namespace {

void* g_sender = nullptr; // whom the commands must come from

// Logs each command as code:p1 (show) or code:rectangle.
struct Listener : CListener {
    int OnEvent(void* sender, int source, int code, int p1, int p2, void*) override
    {
        const RECT& r = *reinterpret_cast<const RECT*>(intptr_t(p2));
        log += (sender != g_sender || source != EventSource::Request) ? "? " : "";
        log += std::to_string(code) + ":" +
               (code == ControlCommand::Show ? std::to_string(p1)
                                             : std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                                   std::to_string(r.right) + "," + std::to_string(r.bottom)) +
               " ";
        return 0;
    }
    std::string log;
};

// Caption 24. Slots: meter, RTA, scope 1, scope 2; "-" hidden, "W" a wide
// strip; pane slots the layout leaves alone keep 1,2,3,slot.
// clang-format off
const struct { int width, height, pref, position, only; const char* slots; } kCases[] = {
    {800, 400, 0, 0, 0, "8,32,784,60 8,96,784,296 8,396,784,296- 8,696,784,296-"},
    {800, 400, 2, 0, 0, "8,32,784,60 8,696,784,296- 8,96,784,296 8,396,784,296-"},
    {1400, 400, 2, 0, 0, "8,32,1384,69 932,105,458,287 8,105,458,287 470,105,458,287"},
    {1400, 400, 1, 0, 0, "8,32,1384,69 932,105,458,287 8,105,458,287 470,105,458,287"},
    {1150, 500, 0, 1, 0, "1039,32,103,460 8,32,1027,460 8,496,1027,460- 8,960,1027,460-"},
    {800, 300, 0, 0, 0, "8,32,784,60 8,96,390,196 402,96,390,196 796,96,390,196-"},
    {600, 1200, 0, 0, 0, "8,32,584,60 8,96,584,546 8,646,584,271 8,921,584,271"},
    {2000, 150, 0, 0, 0, "W 8,32,1000,110 1012,32,324,110 1340,32,324,110 1668,32,324,110"},
    {516, 704, 0, 0, 0, "8,32,500,60 8,96,500,398 8,498,500,197 8,699,500,197-"},     // ratio 6/5 is above 1.2
    {516, 554, 1, 0, 0, "8,32,500,60 8,550,500,450- 8,96,500,450 8,1004,500,450-"},   // 9/10 is not above 0.9
    {516, 555, 1, 0, 0, "8,32,500,60 8,323,500,223 8,96,500,223 8,550,500,223-"},
    {315, 400, 0, 1, 0, "8,32,299,60 8,96,299,296 8,396,299,296- 8,696,299,296-"},    // use_cx 299: on top
    {316, 400, 0, 1, 0, "238,32,70,360 8,32,226,238 8,274,226,117 8,395,226,117-"},
    {916, 140, 0, 0, 1, "8,32,900,50 912,86,448,46- 8,86,448,46 460,86,448,46"},      // ratio 9: no strip
    {1150, 500, 0, 7, 0, "8,32,1134,60 8,96,1134,396 8,496,1134,396- 8,896,1134,396-"}, // position 7: on top
    {516, 604, 9, 0, 0, "8,32,500,60 8,96,500,248 8,348,500,248 8,600,500,248-"},     // RTA order, scope counts
    {516, 604, -1, 0, 0, "8,32,500,60 8,96,500,248 8,348,500,248 8,600,500,248-"},
    {516, 604, 0, 0, 0, "8,32,500,60 8,96,500,500 8,600,500,500- 8,1104,500,500-"},
    {157, 400, 2, 1, 0, "8,32,141,360 1,2,3,5- 1,2,3,2- 1,2,3,3-"},                  // meter alone
    {99, 400, 0, 0, 0, "4,28,91,368 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {100, 100, 0, 0, 0, "8,32,84,60 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {400, 1100, 0, 0, 0, "8,32,384,1060 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {916, 139, 0, 0, 1, "W 8,32,900,99 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {500, 71, 0, 0, 0, "W 4,28,492,39 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {500, 32, 0, 0, 0, "W 4,28,492,0 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {0, 0, 0, 0, 0, "4,28,-8,-32 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
    {-50, 3, 0, 0, 0, "4,28,-58,-29 1,2,3,5- 1,2,3,2- 1,2,3,3-"},
};
// clang-format on

} // namespace

TEST(PaneLayout, SlotsAndFlagsForSizesAndSettings)
{
    Listener scope1, scope2, meter, rta;
    for (const auto& k : kCases) {
        PaneSlots slots;
        for (int i : {ScopePane1Slot, ScopePane2Slot, RtaPaneSlot})
            slots[i] = {1, 2, 3, i, true, nullptr};
        const PaneFlags f =
            LayoutPanes({k.width, k.height, 24, k.pref, k.position, k.only, &scope1, &scope2, &meter, &rta}, slots);
        const std::string got =
            (f.wideStrip ? "W " : "") + SlotsText(slots, {MeterSlot, RtaPaneSlot, ScopePane1Slot, ScopePane2Slot});
        EXPECT_EQ(got, k.slots) << k.width << "x" << k.height;
        EXPECT_EQ(f.rtaActive, slots[RtaPaneSlot].visible) << got;
        EXPECT_EQ(f.scope1Active, slots[ScopePane1Slot].visible) << got;
        EXPECT_EQ(f.scope2Active, slots[ScopePane2Slot].visible) << got;
        EXPECT_EQ(slots[MeterSlot].control, &meter);
        EXPECT_TRUE(!slots[RtaPaneSlot].control || slots[RtaPaneSlot].control == &rta);
    }
}

// Show, bounds and place to every slot's control, rebuild too on the first
// pass; a slot reaching below the window is hidden whatever it says.
TEST(PaneLayout, PlacingSendsTheCommands)
{
    Listener inside, below, hidden, sender;
    PaneSlots slots;
    slots[ScopePane1Slot] = {8, 96, 390, 196, true, &inside};
    slots[ScopePane2Slot] = {8, 200, 390, 101, true, &below};
    slots[RtaPaneSlot] = {402, 96, 390, 196, false, &hidden};
    g_sender = &sender;
    PlacePaneControls(slots, 300, LayoutPass::Again, &sender);
    PlacePaneControls(slots, 300, LayoutPass::First, &sender);
    EXPECT_EQ(inside.log, "26:1 20:8,96,398,292 19:8,96,398,292 26:1 20:8,96,398,292 19:8,96,398,292 "
                          "21:8,96,398,292 ");
    EXPECT_EQ(below.log.substr(0, 5), "26:0 ");
    EXPECT_EQ(hidden.log.substr(0, 5), "26:0 ");
    EXPECT_EQ(sender.log, "");
}
