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
// Move. A press or key that ends it goes nowhere else, nor does its own
// release; any other release passes. The window hears of the end by a posted
// ToolkitMessage::MoveEnded: wParam the MoveEnd, lParam the screen point
// (signed 16-bit halves) where the click was or the pointer stood at the key.
// One Move at a time.
//
// Threads: Start and Stop run on the moving window's thread. The hooks live on
// a watch thread of their own, which only watches and posts: it never waits
// for the window's thread, so a busy window holds no input of the desktop.
// Start returns once the hooks are in. An end posted just before a Stop may
// still arrive: the window ignores an end outside its Move.
// Owed releases: a button's release owed to a swallowed press is forgotten at
// that release or at the next press of the button, however long it is held (a
// held button, unlike a key, repeats nothing that would tell it is still
// down); a key's once no event of it, repeats included, came for
// kOwedReleaseMs.
class CMoveInputHook {
public:
    static const DWORD kOwedReleaseMs = 3000; // longer than a key's first repeat takes

    // Where the system refuses the hooks, the window hears only what reaches it.
    static void Start(HWND window);
    // Ends the watch of this window's Move, if it runs.
    static void Stop(HWND window);
};
