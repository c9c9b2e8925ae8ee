#include "gui/window/CCoverProbe.h"

bool CCoverProbe::s_probing = false;

namespace {
// A 3 x 3 grid of points, in sixths of the window, centre first: a window that
// lies over part of this one seldom covers all of them.
const int kGridSixths[] = {3, 1, 5};
const int kGridSize = 3;

// The part of a window above that hides what lies below it: its shape, or
// nothing for a hidden, minimized or see-through (layered) window. Its place
// is asked first: most windows above lie elsewhere.
bool HiddenBy(HWND above, const RECT& bounds, HRGN shape)
{
    RECT r = {}, common = {};
    if (!GetWindowRect(above, &r) || !IntersectRect(&common, &r, &bounds) || !IsWindowVisible(above) ||
        IsIconic(above) || (GetWindowLongA(above, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT)))
        return false;
    const int shaped = GetWindowRgn(above, shape);
    if (shaped == SIMPLEREGION || shaped == COMPLEXREGION)
        OffsetRgn(shape, r.left, r.top);
    else
        SetRectRgn(shape, r.left, r.top, r.right, r.bottom);
    return true;
}

// The system's clipping does not tell: neither a composited desktop nor Wine
// clips a top-level window by those above it.
bool WalkFindsCovered(HWND root, const RECT& rect)
{
    HRGN uncovered = CreateRectRgnIndirect(&rect), shape = CreateRectRgn(0, 0, 0, 0);
    int left = uncovered && shape ? SIMPLEREGION : ERROR;
    for (HWND above = GetWindow(root, GW_HWNDPREV); above && left > NULLREGION; above = GetWindow(above, GW_HWNDPREV)) {
        RECT bounds = {};
        GetRgnBox(uncovered, &bounds);
        if (HiddenBy(above, bounds, shape))
            left = CombineRgn(uncovered, uncovered, shape, RGN_DIFF);
    }
    DeleteObject(uncovered);
    DeleteObject(shape);
    return left == NULLREGION;
}
} // namespace

bool CCoverProbe::IsWhollyCovered(HWND window)
{
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    RECT rect = {};
    if (!root || !GetWindowRect(root, &rect) || AnyPointUncovered(root, rect)) {
        m_walked = false; // what covered it has moved: the next cover is walked afresh
        return false;
    }
    const DWORD now = GetTickCount();
    if (!m_walked || now - m_walkedAt >= kWalkPeriodMs) {
        m_covered = WalkFindsCovered(root, rect);
        m_walked = true;
        m_walkedAt = now;
        ++m_walks;
    }
    return m_covered;
}

// The system finds the topmost window at a point in one call, however many
// windows lie above.
bool CCoverProbe::AnyPointUncovered(HWND root, const RECT& rect) const
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    s_probing = true;
    bool uncovered = false;
    for (int i = 0; i < kGridSize * kGridSize && !uncovered; ++i) {
        const POINT at = {rect.left + width * kGridSixths[i % kGridSize] / 6,
                          rect.top + height * kGridSixths[i / kGridSize] / 6};
        const HWND top = WindowFromPoint(at);
        uncovered = top && GetAncestor(top, GA_ROOT) == root;
    }
    s_probing = false;
    return uncovered;
}
