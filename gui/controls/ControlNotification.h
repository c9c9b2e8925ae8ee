#pragma once
#include <cstdint>

// The record a control fills to tell its owner what happened (see
// CSkinControl::NotifyParent). Receivers read it through CListener::OnNotify
// and may set handled to stop it travelling further; a record handled
// already is never sent on.
struct ControlNotification {
    int32_t kind = 0; // the control's notification kind
    int32_t code = 0; // NotifyCode
    uint8_t handled = 0;
    int32_t controlId = 0;
    int32_t data1 = 0;
    int32_t data2 = 0;
    void* data3 = nullptr; // a pointer where the code needs one
    void* sender = nullptr;
    int32_t further[2] = {};
};

// What happened, as the controls report it.
namespace NotifyCode {
enum : int32_t {
    LeftDown = 2,
    LeftUp = 3,
    DoubleClick = 4,
    Click = 5,
    DrawRequest = 10,
    Cancelled = 11, // the pressed look went off without a click
    Rebuilt = 12,
    RightUp = 13,
    Wheel = 16 // data1 the wheel steps
};
}
