#pragma once
// The main window's popups, each opened as a user opens it: by a click that
// comes through the system. The popup test and the screenshot tour share the
// table. GUI thread only.
#include <windows.h>
#include <functional>
#include <vector>

class CMainWindow;

// How a shown popup goes away again: a menu or a list with its activation
// (a list of the I/O settings window leaves the window open), a window by
// its close command.
enum class PopupKind { Menu, SettingsList, Window };

struct MainWindowPopup {
    const char* name;
    const char* picture; // the screenshot tour's file
    const char* shows;   // the tour index's words for it
    PopupKind kind;
    // The popup's window once it is open, or null.
    std::function<HWND(CMainWindow&)> open;
};

// The table, in an order one window can go through: the scope's menu, which
// shows the scope, comes last.
const std::vector<MainWindowPopup>& MainWindowPopups();

// Pumps this thread's messages, waiting for them, until the condition holds;
// false after a few seconds without.
bool PumpUntil(const std::function<bool()>& condition);

// The window's pixels inside its region, as the screen shows them, hold
// more than one colour: a solid black (or other) rectangle is no picture.
bool ShowsAPicture(HWND window);
