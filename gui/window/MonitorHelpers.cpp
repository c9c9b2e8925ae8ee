#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowShellApi.h"

namespace {
bool AskMonitor(HMONITOR monitor, MONITORINFO& info)
{
    info = MONITORINFO();
    info.cbSize = sizeof(info);
    return monitor && CurrentWindowShellApi().getMonitorInfo(monitor, &info);
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM works)
{
    MONITORINFO info;
    if (AskMonitor(monitor, info))
        reinterpret_cast<WorkAreas*>(works)->push_back(info.rcWork);
    return TRUE;
}
} // namespace

bool GetMonitorRects(const RECT& rect, RECT* monitor, RECT* work)
{
    MONITORINFO info;
    if ((!monitor && !work) || !AskMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), info))
        return false;
    if (monitor)
        *monitor = info.rcMonitor;
    if (work)
        *work = info.rcWork;
    return true;
}

bool GetWorkAreas(WorkAreas& works)
{
    works.clear();
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&works));
    return !works.empty();
}

void KeepCaptionOnMonitors(int& x, int& y, int width, int height)
{
    WorkAreas works;
    if (GetWorkAreas(works))
        KeepCaptionOnWorkAreas(x, y, width, height, works);
}

RECT FitRectOnMonitors(const RECT& rect)
{
    WorkAreas works;
    return GetWorkAreas(works) ? FitRectToWorkAreas(rect, works) : rect;
}

bool GetMonitorRectAt(int x, int y, RECT& rect)
{
    MONITORINFO info;
    if (!AskMonitor(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), info))
        return false;
    rect = info.rcMonitor;
    return true;
}

bool GetClampArea(const RECT& rect, int flags, RECT& area)
{
    HMONITOR monitor = nullptr;
    if (flags & MonitorClamp::UnderCursor) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    } else {
        monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    }
    MONITORINFO info;
    if (!AskMonitor(monitor, info))
        return false;
    area = (flags & MonitorClamp::WorkArea) ? info.rcWork : info.rcMonitor;
    return true;
}

int MonitorEdgeTest(int x, int y, int w, int h, int flags)
{
    const RECT rect = {x, y, x + w, y + h};
    RECT area;
    if (!GetClampArea(rect, flags, area))
        return MonitorEdge::NoMonitor;
    int bits = 0;
    if (!(flags & MonitorClamp::KeepHorizontal)) {
        bits |= x < area.left ? MonitorEdge::Left : 0;
        bits |= x + w > area.right ? MonitorEdge::Right : 0;
    }
    if (!(flags & MonitorClamp::KeepVertical)) {
        bits |= y < area.top ? MonitorEdge::Top : 0;
        bits |= y + h > area.bottom ? MonitorEdge::Bottom : 0;
    }
    return bits;
}

POINT ClampIntoArea(const RECT& rect, const RECT& area, int flags)
{
    POINT at = {rect.left, rect.top};
    if (!(flags & MonitorClamp::KeepHorizontal)) {
        if (at.x < area.left)
            at.x = area.left;
        if (rect.right > area.right)
            at.x -= rect.right - area.right;
    }
    if (at.y < area.top)
        at.y = area.top;
    if (rect.bottom > area.bottom)
        at.y -= rect.bottom - area.bottom;
    return at;
}
