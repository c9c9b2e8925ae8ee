#include "gui/window/CCoverProbe.h"
#include <vector>

bool CCoverProbe::s_probing = false;

namespace {
// A 3 x 3 grid of points, in sixths of the window, centre first: a window that
// lies over part of this one seldom covers all of them.
const int kGridSixths[] = {3, 1, 5};
const int kGridSize = 3;
// A window under more covers than this is taken as shown: a look's cost stays
// bounded, and drawing is the safe side.
const int kMostCovers = 32;

POINT GridPoint(const RECT& rect, int index)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    return {rect.left + width * kGridSixths[index % kGridSize] / 6,
            rect.top + height * kGridSixths[index / kGridSize] / 6};
}

// The middle of one rectangle of a region that is not empty.
POINT PointIn(HRGN region)
{
    RECT box = {};
    GetRgnBox(region, &box);
    std::vector<char> data(GetRegionData(region, 0, nullptr));
    const auto header = reinterpret_cast<RGNDATA*>(data.data());
    if (data.size() >= sizeof(RGNDATAHEADER) + sizeof(RECT) && GetRegionData(region, data.size(), header) &&
        header->rdh.nCount)
        box = *reinterpret_cast<const RECT*>(header->Buffer);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}
} // namespace

bool CCoverProbe::IsWhollyCovered(HWND window, DWORD now)
{
    if (!window)
        return false;
    m_calls += 2; // the window's root and place
    const HWND root = GetAncestor(window, GA_ROOT);
    RECT rect = {};
    if (!root || !GetWindowRect(root, &rect)) {
        m_sight = Sight::Shown;
        return false;
    }
    const POINT at = PointToAsk(rect);
    const HWND top = TopAt(at);
    if (IsOurs(root, top)) {
        m_sight = Sight::Shown;
        m_seen = {at.x - rect.left, at.y - rect.top};
        return false;
    }
    // A point that showed the window no longer does: what covers it is new.
    if (m_sight == Sight::Shown || now - m_lookedAt >= kLookPeriodMs) {
        m_sight = Look(root, rect, top);
        m_lookedAt = now;
        ++m_looks;
    }
    return m_sight == Sight::Covered;
}

// The system's clipping does not tell: neither a composited desktop nor Wine
// clips a top-level window by those above it.
CCoverProbe::Sight CCoverProbe::Look(HWND root, const RECT& rect, HWND top)
{
    HRGN left = CreateRectRgnIndirect(&rect), shape = CreateRectRgn(0, 0, 0, 0);
    Sight sight = Sight::Unsure; // a see-through window hides nothing, and what lies under it is not asked
    for (int covers = 0; left && shape && covers < kMostCovers; ++covers) {
        const bool hides = top && top != GetDesktopWindow() && Hides(RootOf(top), shape);
        const int rest = hides ? CombineRgn(left, left, shape, RGN_DIFF) : ERROR;
        if (rest == NULLREGION)
            sight = Sight::Covered;
        if (rest != SIMPLEREGION && rest != COMPLEXREGION)
            break;
        const POINT at = PointIn(left);
        top = TopAt(at);
        if (IsOurs(root, top)) {
            sight = Sight::Shown;
            m_seen = {at.x - rect.left, at.y - rect.top};
            break;
        }
    }
    DeleteObject(left);
    DeleteObject(shape);
    return sight;
}

// While shown, the point last seen showing it; else each grid point in turn.
POINT CCoverProbe::PointToAsk(const RECT& rect)
{
    const POINT seen = {rect.left + m_seen.x, rect.top + m_seen.y};
    if (m_sight != Sight::Shown)
        return GridPoint(rect, m_turn++ % (kGridSize * kGridSize));
    return PtInRect(&rect, seen) ? seen : GridPoint(rect, 0);
}

// One call however many windows lie above, hidden ones skipped by the system.
HWND CCoverProbe::TopAt(POINT at)
{
    ++m_calls;
    s_probing = true;
    const HWND top = WindowFromPoint(at);
    s_probing = false;
    return top;
}

// The window at a point is mostly the one found there a frame before: its
// root is not asked again.
HWND CCoverProbe::RootOf(HWND window)
{
    if (window != m_hit) {
        ++m_calls;
        m_hit = window;
        m_hitRoot = GetAncestor(window, GA_ROOT);
    }
    return m_hitRoot;
}

bool CCoverProbe::IsOurs(HWND root, HWND top)
{
    return top && RootOf(top) == root;
}

// The part of a window above that hides what lies below it: its shape, or
// nothing for a see-through (layered) window.
bool CCoverProbe::Hides(HWND above, HRGN shape)
{
    ++m_calls;
    if (GetWindowLongA(above, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT))
        return false;
    RECT r = {};
    ++m_calls;
    if (!GetWindowRect(above, &r))
        return false;
    ++m_calls;
    const int shaped = GetWindowRgn(above, shape);
    if (shaped == SIMPLEREGION || shaped == COMPLEXREGION)
        OffsetRgn(shape, r.left, r.top);
    else
        SetRectRgn(shape, r.left, r.top, r.right, r.bottom);
    return true;
}
