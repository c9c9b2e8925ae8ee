#include "gui/window/WindowGeometry.h"
#include <algorithm>
#include <cstdlib>

namespace {
const int kCornerZone = 10;   // px of a corner handle, both ways
const int kSideZone = 5;      // px of a side handle
const int kLongSideBias = 50; // px added to the edges along a window's long side: it docks by a short side first
const int kDockReach = 130;   // px: a best distance this far or more is out of reach

struct MovingSides {
    bool left, top, right, bottom;
};

MovingSides SidesOf(int handle)
{
    using namespace SizingHandle;
    MovingSides sides = {};
    sides.left = handle == TopLeft || handle == BottomLeft || handle == Left;
    sides.top = handle == TopLeft || handle == Top || handle == TopRight;
    sides.right = handle == TopRight || handle == Right || handle == BottomRight;
    sides.bottom = handle == BottomRight || handle == Bottom || handle == BottomLeft;
    return sides;
}

void SnapSide(LONG& side, LONG target)
{
    if (std::abs(target - side) < kSnapDistance)
        side = target;
}

// The distance that counts of two opposite ones, or 0: only those below
// kSnapDistance, the smaller when both are (second on a tie).
int SnapShift(int first, int second)
{
    const bool firstNear = std::abs(first) < kSnapDistance, secondNear = std::abs(second) < kSnapDistance;
    if (firstNear && secondNear)
        return std::abs(first) < std::abs(second) ? first : second;
    return firstNear ? first : (secondNear ? second : 0);
}

// The title bar: the window's top kMinVisiblePart rows.
RECT CaptionOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.top + std::min(kMinVisiblePart, int(rect.bottom - rect.top))};
}

// In 64 bits: two sides 65536 px apart multiply beyond 32.
int64_t SharedArea(const RECT& a, const RECT& b)
{
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

int64_t SquaredGap(const RECT& a, const RECT& b)
{
    const int64_t dx = std::max({int64_t(0), int64_t(b.left) - a.right, int64_t(a.left) - b.right});
    const int64_t dy = std::max({int64_t(0), int64_t(b.top) - a.bottom, int64_t(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

bool IsCaptionReachableOnAny(const RECT& rect, const WorkAreas& works)
{
    return std::any_of(works.begin(), works.end(),
                       [&rect](const RECT& work) { return IsCaptionReachable(rect, work); });
}
} // namespace

int HandleFromSizingEdge(WPARAM edge)
{
    switch (edge) {
    case WMSZ_TOPLEFT: return SizingHandle::TopLeft;
    case WMSZ_TOP: return SizingHandle::Top;
    case WMSZ_TOPRIGHT: return SizingHandle::TopRight;
    case WMSZ_RIGHT: return SizingHandle::Right;
    case WMSZ_BOTTOMRIGHT: return SizingHandle::BottomRight;
    case WMSZ_BOTTOM: return SizingHandle::Bottom;
    case WMSZ_BOTTOMLEFT: return SizingHandle::BottomLeft;
    case WMSZ_LEFT: return SizingHandle::Left;
    default: return SizingHandle::None;
    }
}

LRESULT HitCodeOfHandle(int handle)
{
    static const LRESULT codes[] = {HTCLIENT,      HTTOPLEFT, HTTOP,        HTTOPRIGHT, HTRIGHT,
                                    HTBOTTOMRIGHT, HTBOTTOM,  HTBOTTOMLEFT, HTLEFT};
    return handle >= 0 && handle <= SizingHandle::Left ? codes[handle] : HTCLIENT;
}

void SizingRectClamp(RECT& rect, int handle, int minWidth, int minHeight, int maxWidth, int maxHeight)
{
    const MovingSides sides = SidesOf(handle);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    auto fitWidth = [&](int limit) {
        if (sides.left)
            rect.left = rect.right - limit;
        if (sides.right)
            rect.right = rect.left + limit;
    };
    auto fitHeight = [&](int limit) {
        if (sides.top)
            rect.top = rect.bottom - limit;
        if (sides.bottom)
            rect.bottom = rect.top + limit;
    };
    if (width > maxWidth)
        fitWidth(maxWidth);
    if (height > maxHeight)
        fitHeight(maxHeight);
    if (width < minWidth)
        fitWidth(minWidth);
    if (height < minHeight)
        fitHeight(minHeight);
}

void SnapSizingRect(RECT& rect, int handle, const RECT& work)
{
    const MovingSides sides = SidesOf(handle);
    if (sides.left)
        SnapSide(rect.left, work.left);
    if (sides.top)
        SnapSide(rect.top, work.top);
    if (sides.right)
        SnapSide(rect.right, work.right);
    if (sides.bottom)
        SnapSide(rect.bottom, work.bottom);
}

void SnapMove(int& x, int& y, int width, int height, const RECT& work)
{
    x += SnapShift(work.left - x, work.right - (x + width));
    y += SnapShift(work.top - y, work.bottom - (y + height));
}

int BorderHitTest(int x, int y, int width, int height, int dockedEdge)
{
    using namespace SizingHandle;
    const bool docked = dockedEdge != DockEdge::None;
    if (!docked) {
        const bool left = x < kCornerZone, right = x >= width - kCornerZone;
        const bool top = y < kCornerZone, bottom = y >= height - kCornerZone;
        if (left && top)
            return TopLeft;
        if (right && top)
            return TopRight;
        if (right && bottom)
            return BottomRight;
        if (left && bottom)
            return BottomLeft;
    }
    if (y < kSideZone && (!docked || dockedEdge == DockEdge::Bottom))
        return Top;
    if (x >= width - kSideZone && (!docked || dockedEdge == DockEdge::Left))
        return Right;
    if (y >= height - kSideZone && (!docked || dockedEdge == DockEdge::Top))
        return Bottom;
    if (x < kSideZone && (!docked || dockedEdge == DockEdge::Right))
        return Left;
    return None;
}

bool IsCaptionReachable(const RECT& rect, const RECT& work)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int across = std::min(rect.right, work.right) - std::max(rect.left, work.left);
    return rect.top >= work.top && rect.top + std::min(kMinVisiblePart, height) <= work.bottom &&
           across >= std::min(kMinVisiblePart, width);
}

const RECT* WorkAreaUnderCaption(const RECT& rect, const WorkAreas& works)
{
    const RECT caption = CaptionOf(rect);
    const RECT* best = nullptr;
    int64_t bestShared = 0, bestGap = 0;
    for (const RECT& work : works) {
        const int64_t shared = SharedArea(caption, work), gap = SquaredGap(caption, work);
        if (!best || shared > bestShared || (bestShared == 0 && shared == 0 && gap < bestGap)) {
            best = &work;
            bestShared = shared;
            bestGap = gap;
        }
    }
    return best;
}

RECT FitRectToWorkAreas(const RECT& rect, const WorkAreas& works)
{
    const RECT* under = WorkAreaUnderCaption(rect, works);
    if (!under)
        return rect;
    const RECT& work = *under;
    const int width = std::min(rect.right - rect.left, work.right - work.left);
    const int height = std::min(rect.bottom - rect.top, work.bottom - work.top);
    const RECT sized = {rect.left, rect.top, rect.left + width, rect.top + height};
    if (IsCaptionReachableOnAny(sized, works))
        return sized;
    const int left = std::max(work.left, std::min(sized.left, work.right - width));
    const int top = std::max(work.top, std::min(sized.top, work.bottom - height));
    return {left, top, left + width, top + height};
}

void KeepCaptionOnWorkAreas(int& x, int& y, int width, int height, const WorkAreas& works)
{
    const RECT rect = {x, y, x + width, y + height};
    const RECT* under = WorkAreaUnderCaption(rect, works);
    if (!under || IsCaptionReachableOnAny(rect, works))
        return;
    const int across = std::min(kMinVisiblePart, width), down = std::min(kMinVisiblePart, height);
    // The top wins over the bottom and the left over the right on a work area too small for both.
    x = std::max(int(under->left) + across - width, std::min(x, int(under->right) - across));
    y = std::max(int(under->top), std::min(y, int(under->bottom) - down));
}

int FitDockThickness(int thickness, int monitorExtent)
{
    return std::min(std::max(thickness, kMinVisiblePart), monitorExtent / 2);
}

int ChooseEdgeInWorkArea(const RECT& rect, const RECT& work)
{
    const bool wide = rect.right - rect.left > rect.bottom - rect.top;
    const int across = wide ? kLongSideBias : 0, along = wide ? 0 : kLongSideBias;
    const struct {
        int edge, distance;
    } candidates[] = {{DockEdge::Left, rect.left - work.left + across},
                      {DockEdge::Right, work.right - rect.right + across},
                      {DockEdge::Top, rect.top - work.top + along},
                      {DockEdge::Bottom, work.bottom - rect.bottom + along}};
    int edge = candidates[0].edge, best = candidates[0].distance;
    for (const auto& c : candidates) {
        if (c.distance < best) {
            edge = c.edge;
            best = c.distance;
        }
    }
    return best >= kDockReach ? edge + DockEdge::TooFar : edge;
}

RECT DockArea(int edge, const RECT& work, const RECT* held)
{
    RECT area = work;
    if (!held)
        return area;
    switch (edge) {
    case DockEdge::Left: area.left = area.left == held->right ? held->left : area.left; break;
    case DockEdge::Top: area.top = area.top == held->bottom ? held->top : area.top; break;
    case DockEdge::Right: area.right = area.right == held->left ? held->right : area.right; break;
    default: area.bottom = area.bottom == held->top ? held->bottom : area.bottom; break;
    }
    return area;
}

RECT DockedRectOnMonitor(int edge, const RECT& m, int width, int height)
{
    // A size saved beside a larger monitor, or a corrupt one, would cover this one and reach past it.
    width = std::clamp(width, 0, int(m.right - m.left));
    height = std::clamp(height, 0, int(m.bottom - m.top));
    switch (edge) {
    case DockEdge::Left: return {m.left, m.top, m.left + width, m.bottom};
    case DockEdge::Top: return {m.left, m.top, m.right, m.top + height};
    case DockEdge::Right: return {m.right - width, m.top, m.right, m.bottom};
    default: return {m.left, m.bottom - height, m.right, m.bottom};
    }
}

RECT KeepDockThickness(int edge, const RECT& proposed, const RECT& answer)
{
    RECT kept = answer;
    switch (edge) {
    case DockEdge::Left: kept.right = answer.left + (proposed.right - proposed.left); break;
    case DockEdge::Top: kept.bottom = answer.top + (proposed.bottom - proposed.top); break;
    case DockEdge::Right: kept.left = answer.right - (proposed.right - proposed.left); break;
    default: kept.top = answer.bottom - (proposed.bottom - proposed.top); break;
    }
    return kept;
}

uint32_t TouchingSides(const RECT& rect, const RECT& monitor)
{
    uint32_t sides = 0;
    sides |= rect.left == monitor.left ? EdgeTouch::Left : 0u;
    sides |= rect.top == monitor.top ? EdgeTouch::Top : 0u;
    sides |= rect.right == monitor.right ? EdgeTouch::Right : 0u;
    sides |= rect.bottom == monitor.bottom ? EdgeTouch::Bottom : 0u;
    return sides;
}

int FrameMaskOf(uint32_t edgeTouch)
{
    // The values are the frame renderer's to read: one for a window touching
    // only its right side or only its left, another added when only the
    // bottom or only the top touches, and all bits for a window touching none.
    const int onlyRight = 5, onlyLeft = 10, onlyBottom = 3, onlyTop = 12, untouched = 15;
    const bool left = edgeTouch & EdgeTouch::Left, right = edgeTouch & EdgeTouch::Right;
    const bool top = edgeTouch & EdgeTouch::Top, bottom = edgeTouch & EdgeTouch::Bottom;
    const int sides = right ? (left ? 0 : onlyRight) : (left ? onlyLeft : untouched);
    if (top && bottom)
        return sides;
    if (bottom)
        return sides | onlyBottom;
    if (top)
        return sides | onlyTop;
    return untouched;
}
