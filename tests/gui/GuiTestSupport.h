#pragma once
#include <windows.h>
#include <type_traits>

// Helpers for window tests. Tests that use the cursor or the input helpers are
// added with DESKTOP_INPUT: there is one cursor and one keyboard state per desktop.

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

// A window record of any kind at (x, y), shown without taking activation,
// which would pull it from the windows of the tests running beside it. By
// default a test holding the desktop lock places it where its cursor goes; any
// other test places it at the screen's right edge, where no locked test's cursor
// goes: a window there can neither catch a locked test's click nor, busy, hand
// Wine the cursor position of a crossing it heard late. Only a strip of it is
// on the screen, enough for it to be painted.
#ifdef QUILL_TEST_SHARES_DESKTOP
const int kQuietX = 1250, kQuietY = 40; // clear of the corners' cursor too
#else
const int kQuietX = 300, kQuietY = 200;
#endif
template <class Params>
Params QuietlyPlaced(int width, int height, int x = kQuietX, int y = kQuietY)
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

// For tests that do not hold the desktop lock: this thread's windows never
// take the activation and are shown under every other window. Wine hands the
// activation of a destroyed window to the next window of any process: lent to
// such a test's window, a locked test's activation came back when that window
// went, at any moment, and took it from the locked test's activated popup. A
// window shown on top would take the real clicks meant for a locked test's.
void KeepOutOfLockedTestsWay();
#ifdef QUILL_TEST_SHARES_DESKTOP
inline const bool kKeptOutOfLockedTestsWay = (KeepOutOfLockedTestsWay(), true);
#endif

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
// Moves the pointer to a screen point, with the buttons of `flags`
// (MOUSEEVENTF_*), stamped as made `lagMs` before the tick count (0: the
// system stamps it), as remote-control tools do.
bool SendMouseAt(DWORD flags, POINT at, DWORD lagMs = 0);
bool SendKey(WORD virtualKey, KeyAction action);

// True while GetAsyncKeyState reports the key down.
bool IsKeyDown(int virtualKey);
