#pragma once
// Where a notification to the main window goes: the panes' draw, resize and
// context requests, the meter control's context request (its view phases
// stay with the meter panel) and the popup menu's chosen items, told apart by
// kind, code and the sender's identity.
#include "gui/controls/ControlNotification.h"

// The main window's members that send notifications; null for one not made.
struct NotifySenders {
    const void* rtaPane = nullptr;
    const void* scopePane1 = nullptr;
    const void* scopePane2 = nullptr;
    const void* meterControl = nullptr;
    const void* popupMenu = nullptr;
};

enum class NotifyAction {
    None, // the base handler only
    DrawRta,
    // Each scope display renders into its own pane; the tick fed both before
    // either pane showed.
    DrawScope1,
    DrawScope2,
    FitRta,
    FitScope1,
    FitScope2,
    MetersMenu,
    RtaMenu,
    ScopeMenu1,
    ScopeMenu2,
    WindowMenu,
    Command // controlId is the chosen item's value
};

// Whether the base handler hears the record after the action.
enum class BaseCall { After, Skipped };

struct NotifyRoute {
    NotifyAction action;
    BaseCall base;
};

// Records from unknown senders, and kinds and codes no control of the main
// window sends, get only the base handler; a context request from an unknown
// control opens the window menu.
NotifyRoute RouteNotification(const ControlNotification& record, const NotifySenders& senders);
