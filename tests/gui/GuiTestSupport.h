#pragma once
#include <windows.h>
#include <type_traits>

// Helpers for window tests. Tests that use the cursor or the input helpers are
// added with DESKTOP_INPUT: there is one cursor and one keyboard state per desktop.

// A window record of any kind at (x, y), where the tests' cursor never goes by
// chance when the defaults are kept, shown without taking activation, which
// would pull it from the windows of the tests running beside it.
// The native window's record: a top-level record's member, else the record itself.
template <class Params, class = void>
struct HoldsNativeRecord : std::false_type {};
template <class Params>
struct HoldsNativeRecord<Params, std::void_t<decltype(&Params::native)>> : std::true_type {};
template <class Params>
auto& NativeRecord(Params& params)
{
    if constexpr (HoldsNativeRecord<Params>::value)
        return params.native;
    else
        return params;
}

template <class Params>
Params QuietlyPlaced(int width, int height, int x = 300, int y = 200)
{
    Params params;
    auto& native = NativeRecord(params);
    native.noActivate = 1;
    native.x = x;
    native.y = y;
    native.width = width;
    native.height = height;
    return params;
}

// Dispatches every message already queued for this thread; returns how many.
// Timers are driven by posting WM_TIMER, never by waiting.
int PumpMessages();

// Moves the cursor to a screen point; false when the system did not put it there.
bool MoveCursorTo(int x, int y);

enum class MouseButton { Left, Right };
enum class KeyAction { Press, Release };

// Input through SendInput, the only way GetAsyncKeyState (and so every
// button-state check of the toolkit) sees a change.
bool SendMouseButton(MouseButton button, KeyAction action);
bool SendKey(WORD virtualKey, KeyAction action);

// True while GetAsyncKeyState reports the key down.
bool IsKeyDown(int virtualKey);
