#pragma once
#include <cstdint>

// The record a control fills to tell its owner what happened (see
// CSkinControl::NotifyParent). Receivers read it through CListener::OnNotify
// and may set handled to stop it travelling further; a record handled
// already is never sent on.
struct ControlNotification {
    int32_t kind = 0; // NotifyKind
    int32_t code = 0; // NotifyCode
    uint8_t handled = 0;
    int32_t controlId = 0;
    int32_t data1 = 0;
    int32_t data2 = 0;
    void* data3 = nullptr; // a pointer where the code needs one
    void* sender = nullptr;
    int32_t further[2] = {};
};

// Which control family a record comes from. Each family's header names the
// codes it sends; receivers tell records apart by kind first.
namespace NotifyKind {
enum : int32_t {
    Button = 1,      // push button, image button, title-bar buttons, buttons inside a drop-list box
    ScrollBar = 2,   // ScrollBarNotify
    DropList = 4,    // the popup list: DropListNotify
    DropListBox = 5, // the box: a selection as the popup's, NotifyCode
    Image = 6,       // image control, and the meter view's context request
    MeterPhase = 7,  // meter view phases
    Value = 8,       // ValueControlNotify, NotifyCode
    PopupMenu = 9,   // whatever its popup sends, under the menu's kind
    StaticText = 14
};
}

// What happened, as the controls report it.
namespace NotifyCode {
enum : int32_t {
    LeftDown = 2,
    LeftUp = 3,
    DoubleClick = 4,
    Click = 5,
    Selected = 9, // a list's item was chosen
    DrawRequest = 10,
    Cancelled = 11, // the pressed look went off without a click
    Rebuilt = 12,
    RightUp = 13,
    Wheel = 16 // data1 the wheel steps
};
}
