#pragma once
#include <windows.h>

// How the Move command ended: the window stays where the pointer put it, or
// goes back to where it was.
enum class MoveEnd : WPARAM { Place = 1, Cancel = 2 };

// Watches the whole desktop's mouse buttons and keys while the Move command
// runs: a moved window holds the capture without a button pressed on it, and
// under Wine such a capture hears neither the clicks over other programs' windows
// nor the keys that go to another window of the program. The first button
// press or release anywhere, and Return, place the window; Escape cancels the
// Move. That input goes nowhere else (a swallowed press takes its release
// with it); the window hears of it by a posted ToolkitMessage::MoveEnded whose
// wParam is the MoveEnd. One Move at a time. GUI thread only.
class CMoveInputHook {
public:
    // Where the system refuses the hooks, the window hears only what reaches it.
    static void Start(HWND window);
    // Ends the watch of this window's Move, if it runs.
    static void Stop(HWND window);
};
