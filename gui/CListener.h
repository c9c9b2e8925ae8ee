#pragma once

// How an event came to a listener (the source argument of OnEvent).
namespace EventSource {
enum : int {
    Window = 0,  // straight from a native window
    Relayed = 1, // relayed by a container or a control
    Request = 3  // a request between toolkit objects: commands and skin queries
};
}

// The toolkit's event interface. Windows, controls and application windows all
// receive their events through it; a call the receiver does not handle
// returns 0.
//
// OnEvent: sender is the object that sent it; source says how it came
// (EventSource); code is a WindowEvent code for source 0
// (gui/window/WindowEvent.h); p1, p2 and data as the code defines them.
// OnNotify: a notification record of the controls.
class CListener {
public:
    virtual int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) { return 0; }
    virtual int OnNotify(void* record) { return 0; }

protected:
    ~CListener() = default; // receivers are deleted through their own classes
};
