#pragma once
#include <array>

class CListener;

// Where the main window puts the loudness meter and its three panes (the RTA
// and two oscilloscopes) for a window size and three display settings.
//
// LayoutPanes is a pure computation on integers and ratios: it writes the
// four slots it places and answers the flags; PlacePaneControls then sends
// each slot's control its show, bounds and place commands. The active flags
// decide which analyses receive audio, so a hidden pane costs no analysis.
// GUI thread only.

// The main window's six slots; the layout places four of them.
enum PaneSlotIndex : int { ScopePane1Slot = 2, ScopePane2Slot = 3, MeterSlot = 4, RtaPaneSlot = 5, PaneSlotCount = 6 };

struct PaneSlot {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    CListener* control = nullptr; // null: the slot places nothing
};
using PaneSlots = std::array<PaneSlot, PaneSlotCount>;

// The settings the layout reads, as the settings record holds them.
enum class MainPreference : int { Rta = 0, Scope = 1, TwoScopes = 2 };
enum class MeterPosition : int { Horizontal = 0, Vertical = 1 };

struct PaneLayoutRequest {
    int width; // the window's size
    int height;
    int captionHeight;  // as the window's container reports it (0 without a title bar)
    int mainPreference; // MainPreference; others take the RTA order with the scopes' sizing
    int meterPosition;  // MeterPosition; others count as horizontal
    int meterOnly;      // non-zero: only the meter while the window is a wide strip
    CListener* scope1;
    CListener* scope2;
    CListener* meter;
    CListener* rta;
};

struct PaneFlags {
    bool wideStrip = false; // more than 9 times as wide as high
    bool rtaActive = false; // visible with a width and a height
    bool scope1Active = false;
    bool scope2Active = false;
};

// Slots the layout leaves alone (meter-only layouts keep the panes'
// rectangles and only hide them) keep what they held.
PaneFlags LayoutPanes(const PaneLayoutRequest& request, PaneSlots& slots);

enum class LayoutPass { Again, First };

// For every slot with a control, in slot order: show (hidden when the slot
// reaches below height), bounds and place, and on the first pass the rebuild
// command, each sent by sender as a request.
void PlacePaneControls(const PaneSlots& slots, int height, LayoutPass pass, void* sender);
