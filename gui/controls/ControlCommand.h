#pragma once
#include "gui/CListener.h" // EventSource
#include "gui/window/WindowEvent.h"

// Commands to a control, sent with EventSource::Request by its owner (place,
// bounds and rebuild also come relayed from the container). Where p2 is a
// rectangle it points to a RECT relative to the parent.
namespace ControlCommand {
enum : int {
    SetText = 12,  // p2 the text
    Place = 19,    // p2 the new rectangle; the window moves first
    Bounds = 20,   // p2 the new rectangle
    Rebuild = 21,  // after a resize: graphics anew; children get it too
    SetImage = 22, // p1 the image id
    Show = 26,     // p1 nonzero shows, zero hides
    Disable = 27,  // p1 nonzero disables, zero enables
    Emphasis = 29  // p1 nonzero on
};
}

// What a container tells its owner beyond the window's own codes.
namespace ContainerEvent {
enum : int {
    Creating = 0, // before Created, the window text set already
    Rebuild = 21  // after the controls rebuilt for a new size
};
}

// Numbers shared on purpose, told apart by the source where it matters: the
// title bar hears the container's captions and rebuilds under the window's
// own text and state codes, and the rebuild reaches controls and owner alike.
static_assert(int(ControlCommand::SetText) == int(WindowEvent::TextSet), "a caption is set like a window text");
static_assert(int(ControlCommand::Rebuild) == int(WindowEvent::StateChanged),
              "a rebuild lays the title bar out as a state change");
static_assert(int(ContainerEvent::Rebuild) == int(ControlCommand::Rebuild), "one rebuild for controls and owner");
