#include "app/dialogs/DialogControls.h"

TopLevelWindowParams SecondaryWindowDescriptor()
{
    TopLevelWindowParams p;
    p.caption2.clear();
    p.caption3.clear();
    p.centreOnCursorMonitor = 1;
    p.dragAnywhere = 1;
    p.dockable = 0;
    p.taskbarButtonAllowed = 1;
    p.savePlacement = 0;
    return p;
}

StaticTextParams TextParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text)
{
    StaticTextParams p;
    p.x = place.left;
    p.y = place.top;
    p.width = place.right - place.left;
    p.height = place.bottom - place.top;
    p.container = &container;
    p.listener = listener;
    p.text.text = text;
    return p;
}

PushButtonParams ButtonParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text)
{
    PushButtonParams p;
    p.x = place.left;
    p.y = place.top;
    p.width = place.right - place.left;
    p.height = place.bottom - place.top;
    p.container = &container;
    p.listener = listener;
    p.text = text;
    return p;
}
