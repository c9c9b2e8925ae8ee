#pragma once
#include <windows.h>
#include <cstdint>

// Event codes a native window sends to its listener, with source 0 and the
// window object as sender. Unless a code says otherwise, data points to the
// message's result (an LRESULT, 0 on entry); a listener's write there counts
// only where the message returns it (External). "rect" is a RECT* in screen
// coordinates.
namespace WindowEvent {
enum Code : int {
    Created = 1,          // last step of Create
    Destroyed = 2,        // WM_DESTROY, and the deferred close; the last event
    MouseMove = 3,        // p1 lParam
    LeftButtonDown = 4,   // p1 lParam; a non-zero answer stops the drag
    LeftButtonUp = 5,     // p1 lParam
    RightButtonDown = 6,  // p1 lParam
    RightButtonUp = 7,    // p1 lParam
    LeftDoubleClick = 8,  // p1 lParam
    RightDoubleClick = 9, // p1 lParam
    Focus = 10,           // p1 1 gained, 0 lost
    Activate = 11,        // p1 1 active, 0 inactive
    TextSet = 12,         // p2 the text
    Moved = 13,           //
    Resized = 14,         // p2 rect: the window's
    SizingClamped = 15,   // p1 sizing handle 1..8, p2 the sizing rect
    Sizing = 16,          // p2 a size proposal
    EnterSizeMove = 17,   //
    ExitSizeMove = 18,    //
    StateChanged = 21,    // maximize and restore, to the state listener only
    MouseWheel = 23,      // p1 wheel delta / 120
    Timer = 24,           // p1 timer id
    CloseCommand = 25,    // SC_CLOSE
    Paint = 28,           // data a CBitmapDC**: the bitmap to paint from, or null
    MouseEnter = 30,      // p1 item id or 0; data a scratch int
    Hover = 31,           // p1 item id or 0; data a scratch int
    MouseLeave = 32,      // p1 item id or 0; data a scratch int
    MouseTrack = 33,      // p1 y << 16 | x (client); data the int* of the item under the cursor
    SessionEnding = 34,   //
    DeviceChange = 35,    // the registered "winmm_devicechange"
    KeyUp = 36,           // p1 virtual key, p2 a KeyRecord*
    KeyDown = 37,         // p1 virtual key, p2 a KeyRecord*
    CaptureLost = 38,     // WM_CAPTURECHANGED to another window or none
    External = 40         // 0xae4: p1 wParam, p2 lParam; the message returns *data
};
} // namespace WindowEvent

// The point a mouse event carries in p1 (a message's lParam, or MouseTrack's
// y << 16 | x). Signed: a captured cursor left of or above the window lies at
// negative coordinates.
inline POINT EventPoint(int p1)
{
    return {int16_t(p1 & 0xFFFF), int16_t(uint32_t(p1) >> 16)};
}

// A pointer carried in an event's int parameter (the process is 32-bit).
inline int PointerParam(const void* pointer)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(pointer));
}

// The toolkit's own window messages.
namespace ToolkitMessage {
enum : unsigned {
    Created = 0x7e8,      // sent by Create itself: creation finished
    Docked = 0x7e9,       // posted after docking
    Undocked = 0x7ea,     // sent after undocking
    AppBar = 0x983,       // the shell's docking notifications
    WindowMenu = 0x313,   // the taskbar button asks for the window menu
    RButtonDown = 0x10aa, // taken as WM_RBUTTONDOWN, from any sender
    RButtonUp = 0x10ab,   // taken as WM_RBUTTONUP, from any sender
    External = 0xae4,     // WindowEvent::External, from any sender
    Close = 0x15c0,       // the deferred close
    Placed = 0x15c1,      // posted after a docked placement was applied
    MoveEnded = 0x15c2    // posted by the Move command's input watch; wParam a MoveEnd
};
} // namespace ToolkitMessage

// Timers the window itself runs (ids are per window).
namespace WindowTimer {
enum : unsigned {
    Tick = 0xFEDF,      // the clock-driven window policies; never reaches the listener
    MouseTrack = 0xFEE0 // enter, hover, leave and track
};
const unsigned kPeriodMs = 10;
} // namespace WindowTimer

// Built on the stack for KeyUp and KeyDown.
struct KeyRecord {
    int32_t virtualKey;  // wParam
    int32_t repeatCount; // lParam bits 0-15
    int32_t scanCode;    // lParam bits 16-23
    uint8_t extended;    // lParam bit 24
};
