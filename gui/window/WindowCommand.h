#pragma once
#include <cstdint>

// Commands every native window runs itself, sent by the caption buttons and
// the window menu as their control id or item value.
namespace WindowCommand {
enum : int32_t {
    Minimize = 0x4100001,
    MaximizeOrRestore = 0x4100002,
    Restore = 0x4100003,
    Close = 0x4100004,
    Move = 0x4100005, // the window follows the cursor until the button goes up
    Dock = 0x4100006  // to the nearest edge, however far
};
}

// The leading fields of the controls' notification record (ControlNotification
// in gui/controls), all a window reads of it: a click (code 5) or a chosen
// item (code 9) from a control of kind 1, 4 or 9 carries a command as its
// control id.
struct WindowCommandNotice {
    int32_t kind;
    int32_t code;
    int32_t handled; // a byte and its padding
    int32_t controlId;
};

inline bool CarriesWindowCommand(const WindowCommandNotice& notice)
{
    const bool kind = notice.kind == 1 || notice.kind == 4 || notice.kind == 9; // the kinds named above
    return kind && (notice.code == 5 || notice.code == 9);                      // click, item chosen
}
