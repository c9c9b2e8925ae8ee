#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// The arithmetic of window states and docking, free of any window: sizing
// clamps, magnetic edges, resize zones, the choice of a dock edge and the
// frame masks. All rectangles are screen coordinates unless said otherwise.

// Sizing handles, clockwise from the top-left corner.
namespace SizingHandle {
enum : int { None = 0, TopLeft = 1, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
}

// Edges a window docks to; ChooseDockEdge's answer may carry TooFar or be NoMonitor.
namespace DockEdge {
enum : int { None = 0, Left = 1, Top = 2, Right = 3, Bottom = 4, TooFar = 0x1000, NoMonitor = -10 };
}

// Sides of a window lying on its monitor's sides.
namespace EdgeTouch {
const uint32_t Left = 1, Top = 2, Right = 4, Bottom = 8;
}

// What a docked window's listener may change (event Sizing, p2).
struct SizeProposal {
    int32_t width;
    int32_t height;
    int32_t axis; // SizeAxis
    int32_t reserved;
};

namespace SizeAxis {
enum : int32_t { Horizontal = 1, Vertical = 2 }; // the left and right edges, the top and bottom edges
}

const int kSnapDistance = 10; // px: an edge nearer than this snaps

// WMSZ_* to a sizing handle (None for anything else), and a handle to its hit-test code.
int HandleFromSizingEdge(WPARAM edge);
LRESULT HitCodeOfHandle(int handle);

// Clamps a rectangle resized at handle: only the handle's moving sides move;
// the maximum is applied first, then the minimum, both against the size at
// entry, so a minimum above the maximum wins.
void SizingRectClamp(RECT& rect, int handle, int minWidth, int minHeight, int maxWidth, int maxHeight);
// The moving sides of handle within kSnapDistance of work's same side go onto it.
void SnapSizingRect(RECT& rect, int handle, const RECT& work);
// Shifts a window of the given size at (x, y) onto the work area's edges near
// it; of two opposite edges both near, the nearer wins (a tie: right, bottom).
void SnapMove(int& x, int& y, int width, int height, const RECT& work);
// The sizing handle under client point (x, y) of a width x height window, or
// None. A docked window (DockEdge) has only the side facing the screen's interior.
int BorderHitTest(int x, int y, int width, int height, int dockedEdge);

// Enough of a window to see and take hold of it, each way (px); also the
// thinnest docked bar a saved placement may ask for.
const int kMinVisiblePart = 32;

// The work areas of every monitor, in the system's order.
using WorkAreas = std::vector<RECT>;

// Whether the window's title bar, its top kMinVisiblePart rows, can be taken
// hold of on work: not above it, wholly inside it top to bottom, and with
// kMinVisiblePart of its width (all of a narrower one) inside it.
bool IsCaptionReachable(const RECT& rect, const RECT& work);
// The work area holding most of rect's title bar, else the one nearest to it;
// null when there is none.
const RECT* WorkAreaUnderCaption(const RECT& rect, const WorkAreas& works);
// A restored rectangle brought into reach: no larger than the work area under
// its title bar and, when its title bar can be reached on no work area, moved
// wholly into that one.
RECT FitRectToWorkAreas(const RECT& rect, const WorkAreas& works);
// A window of the given size being moved to (x, y) stops where its title bar
// would leave every work area, at the edge of the one under it, as the
// system's own move loop keeps a caption reachable.
void KeepCaptionOnWorkAreas(int& x, int& y, int width, int height, const WorkAreas& works);
// A restored docked thickness: at least kMinVisiblePart and at most half the
// monitor's extent across its edge, so the bar never takes the whole monitor.
int FitDockThickness(int thickness, int monitorExtent);

// The nearest dock edge of rect in work, with TooFar added beyond reach.
int ChooseEdgeInWorkArea(const RECT& rect, const RECT& work);
// Where a bar docked to edge may lie: the work area, which holds the taskbar's
// band that Wine's shell leaves out of its answers, but for the band held (the
// window's own docked rectangle on that edge, or null), which Windows takes
// from the work area too.
RECT DockArea(int edge, const RECT& work, const RECT* held);
// The rectangle a window docked to edge of monitor takes before the shell answers;
// no thicker than the monitor.
RECT DockedRectOnMonitor(int edge, const RECT& monitor, int width, int height);
// The shell's answer with the proposal's thickness kept: the inner side
// follows the outer one.
RECT KeepDockThickness(int edge, const RECT& proposed, const RECT& answer);
// EdgeTouch bits of the sides of rect equal to monitor's.
uint32_t TouchingSides(const RECT& rect, const RECT& monitor);
// The frame renderer's mask for the sides a maximized or docked window touches.
int FrameMaskOf(uint32_t edgeTouch);
