#pragma once
#include "gui/window/WindowGeometry.h"
#include <windows.h>

// Monitor queries of the toolkit's windows. A monitor that cannot be asked
// (GetMonitorInfoA failing) is reported, never guessed.

// Flags of ClampToMonitor and MonitorEdgeTest (a window's clampFlags).
namespace MonitorClamp {
enum : int {
    KeepVertical = 2,   // MonitorEdgeTest: no top or bottom bits
    KeepHorizontal = 4, // x is left alone (no left or right bits)
    WorkArea = 8,       // the work area, else the whole monitor
    UnderCursor = 16    // the monitor under the cursor, else the one nearest the window
};
}

// Bits of MonitorEdgeTest's answer.
namespace MonitorEdge {
enum : int { Left = 1, Right = 2, Top = 4, Bottom = 8, NoMonitor = 16 };
}

// The monitor nearest to rect: its rectangle and work area. False when both
// outputs are null or the monitor cannot be asked.
bool GetMonitorRects(const RECT& rect, RECT* monitor, RECT* work);
// Every monitor's work area; false when none can be asked.
bool GetWorkAreas(WorkAreas& works);
// KeepCaptionOnWorkAreas over the monitors; nothing when none can be asked.
void KeepCaptionOnMonitors(int& x, int& y, int width, int height);
// FitRectToWorkAreas over the monitors; rect itself when none can be asked.
RECT FitRectOnMonitors(const RECT& rect);
// The rectangle of the monitor nearest to the point.
bool GetMonitorRectAt(int x, int y, RECT& rect);
// The area the flags name for rect (see MonitorClamp); false when unknown.
bool GetClampArea(const RECT& rect, int flags, RECT& area);
// Which sides of (x, y, w, h) stand out of the flags' area (MonitorEdge bits).
int MonitorEdgeTest(int x, int y, int w, int h, int flags);
// Where rect's top-left corner goes: onto the area's left and top edges when
// it stands out there, then back by what rect stands out on the right and
// bottom (a rect larger than the area ends past its left or top edge).
POINT ClampIntoArea(const RECT& rect, const RECT& area, int flags);
