#pragma once
// The main window's context menus: one per pane, the window menu (also the
// tray icon's) appended below each, all shown in one popup at the cursor.
//
// A menu is built from the settings and the window's state at the moment it
// opens and is not updated while it is open. Items without a target reach
// the owner as kind 9 with the item's value (AppCommands.h); the window's own
// commands (Restore, Move, Minimize, Maximize, Exit) target the native window,
// which runs them itself. A request while the popup is open is dropped: its
// rows still show the items. GUI thread only.
#include "app/AnalyserSettings.h"
#include "gui/controls/CPopupMenu.h"

class CTopLevelWindow;

enum class MenuOrigin { Window, Tray };
enum class PaneMenu { Meters, Rta, Scope };
// The meters menu offers "ITU meter Only" only in a wide strip, where it shows.
enum class StripShape { Other, Wide };

// Mark pictures of the skin.
namespace MenuMark {
const int None = -1, Check = 1000, Choice = 1001;
}

// What the window menu shows of the window.
struct WindowMenuState {
    int dockedEdge = 0;  // DockEdge; 0 not docked
    int nearestEdge = 0; // when not docked: the edge it would dock to, with TooFar, or a failure
    bool titleBarShown = false;
    bool topmostWhenDocked = false;
    int topmostLevel = 0;
    bool canRestore = false;
    bool canMove = false;
    bool canMinimize = false;
    bool canMaximize = false;
};

WindowMenuState ReadWindowMenuState(CTopLevelWindow& window);
// The dock item (command 500); the caller owns it.
CDropListItem* MakeDockItem(const WindowMenuState& state);
// Appends the window menu; windowTarget runs the window's own commands.
void AddWindowMenuItems(CDropListItemList& items, const WindowMenuState& state, CListener* windowTarget);
// Appends a pane's own items, ending in the row that sets them off from the window menu.
void AddPaneMenuItems(CDropListItemList& items, PaneMenu menu, const AnalyserSettings& settings, StripShape strip);

class CContextMenus {
public:
    static constexpr int kWidth = 175;
    static constexpr int kVisibleRows = 50;

    // owner hears the chosen items; both outlive this object.
    CContextMenus(CTopLevelWindow& window, CListener& owner);

    void ShowWindowMenu(MenuOrigin origin);
    void ShowPaneMenu(PaneMenu menu, const AnalyserSettings& settings, StripShape strip);

    CPopupMenu& GetPopup() { return m_popup; }
    CDropListItemList& GetItems() { return m_popup.GetItems(); }
    // The request of the last menu opened.
    const PopupMenuParams& GetLastRequest() const { return m_request; }

private:
    bool IsOpen();
    void AppendWindowMenuAndOpen(MenuOrigin origin);

    CTopLevelWindow& m_window;
    CListener& m_owner;
    CPopupMenu m_popup;
    PopupMenuParams m_request;
};
