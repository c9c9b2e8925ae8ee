#pragma once
#include "gui/controls/CPushButton.h"
#include "gui/controls/CStaticTextControl.h"
#include "gui/controls/ControlNotification.h"
#include "gui/window/CTopLevelWindow.h"
#include "gui/window/TopLevelWindowParams.h"
#include <windows.h>
#include <cstdint>

// What the I/O settings window and the about window share: the descriptor
// both start from and the records of their controls.

// CPushButton's notifications.
const int32_t kButtonNotifyKind = NotifyKind::Button;

// Centred on the cursor's monitor, movable and dragged anywhere, with a
// taskbar button; never docked, no icons, and no saved placement.
TopLevelWindowParams SecondaryWindowDescriptor();

// A control's record placed at a rectangle of the container, telling the listener.
template <class Params>
Params PlacedParams(CControlContainer& container, CListener* listener, const RECT& place)
{
    Params p;
    PlaceRecord(p.place, place);
    p.place.container = &container;
    p.listener = listener;
    return p;
}

// Default text record (white with a black shadow, centred, one line), no face.
StaticTextParams TextParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text);
// A plain push button.
PushButtonParams ButtonParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text);

// Whether the control sent the notification.
bool IsFrom(const ControlNotification& n, CSkinControl& control);

// Brings the window to the front when it is open already: true; false when it is not.
bool BroughtToFrontIfOpen(CTopLevelWindow& window);
// Whether the event is the native window's creation, as its container relays it.
bool IsCreation(int source, int code);
