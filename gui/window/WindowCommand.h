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
