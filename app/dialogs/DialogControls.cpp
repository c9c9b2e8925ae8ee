#include "app/dialogs/DialogControls.h"
#include "gui/window/WindowEvent.h"

TopLevelWindowParams SecondaryWindowDescriptor()
{
    TopLevelWindowParams p;
    p.caption2.clear();
    p.caption3.clear();
    p.native.centreOnCursorMonitor = 1;
    p.native.dragAnywhere = 1;
    p.native.dockable = 0;
    p.native.taskbarButtonAllowed = 1;
    p.native.savePlacement = 0;
    return p;
}

StaticTextParams TextParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text)
{
    StaticTextParams p = PlacedParams<StaticTextParams>(container, listener, place);
    p.text.text = text;
    return p;
}

PushButtonParams ButtonParams(CControlContainer& container, CListener* listener, const RECT& place, const char* text)
{
    PushButtonParams p = PlacedParams<PushButtonParams>(container, listener, place);
    p.text = text;
    return p;
}

bool IsFrom(const ControlNotification& n, CSkinControl& control)
{
    return n.sender == static_cast<void*>(&control);
}

bool BroughtToFrontIfOpen(CTopLevelWindow& window)
{
    CPhysicalWindow& native = window.GetWindow();
    if (!native.IsCreated())
        return false;
    // A list of the window that holds the activation is in front already:
    // activated again, the window would close it under the user's pick.
    if (GetAncestor(GetForegroundWindow(), GA_ROOTOWNER) != native.GetHwnd())
        native.Activate();
    return true;
}

bool IsCreation(int source, int code)
{
    return source == EventSource::Relayed && code == WindowEvent::Created;
}
