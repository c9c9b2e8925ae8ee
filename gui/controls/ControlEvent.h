#pragma once
#include "gui/window/WindowEvent.h"
#include <windows.h>

class CBitmapDC;

// An event as it reached CControl::OnEvent, source and sender kept: a
// command and a window code may share a number, and the source tells them
// apart.
struct ControlEvent {
    void* sender;
    int source; // EventSource
    int code;
    int p1;
    int p2;
    void* data;
};

// The window's mouse codes, decoded.
struct MouseEvent {
    enum class Action { Move, Press, Release, DoubleClick, Wheel, Enter, Leave, CaptureLost };
    enum class Button { None, Left, Right };

    ControlEvent raw;
    Action action;
    Button button;  // of a press, a release or a double click
    POINT at;       // in the client area, signed, for the pointer's codes
    int wheelSteps; // whole notches
};

// KeyDown and KeyUp.
struct KeyEvent {
    ControlEvent raw;
    bool down;
    const KeyRecord* key; // may be null
};

// The owners' and the container's ControlCommand codes; SetText also answers
// the window's own text change, which shares its number.
struct CommandEvent {
    ControlEvent raw;
    int value;        // p1: an image id, or nonzero for on
    const RECT* rect; // p2 of Place, Bounds and a rebuild that carries one; may be null
    const char* text; // p2 of SetText; may be null
};

// WindowEvent::Paint: the control names the bitmap to paint from.
struct PaintRequest {
    ControlEvent raw;
    CBitmapDC** answer; // may be null
};
