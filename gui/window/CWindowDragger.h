#pragma once
#include <windows.h>

// Moves a captionless window while the left button is held: BeginDrag captures
// the mouse and each Track puts the window under a pointer point again. Every
// point is a screen point the caller takes from the input that carries it.
// BeginDrag and EndDrag send WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE, so to the
// rest of the toolkit a drag looks like the system's move loop. Until Attach
// every operation does nothing (windows that are not movable never attach
// one). GUI thread only.
class CWindowDragger {
public:
    CWindowDragger();
    virtual ~CWindowDragger() = default;

    void Attach(HWND window);
    // Grips the window at the press's screen point.
    void BeginDrag(POINT at);
    // Ends a drag if one runs, letting go of the capture only where the window
    // still holds it, and sends WM_EXITSIZEMOVE; outside a drag it does nothing.
    void EndDrag();
    // Puts the window under the given screen point. True when it moved it.
    bool Track(POINT to);
    // As Track, for the point of the move message being handled: moves queued
    // behind it are taken too, and a button message waiting stops it once the
    // window stands at the newest of them.
    bool TrackMove(POINT heard);
    // Whether the cursor stands elsewhere than the newest point heard, or that
    // of the last BeginDrag or Track.
    bool CursorMoved() const;
    // The larger of the point's horizontal and vertical distance from where
    // the drag began; 0 outside a drag.
    int DistanceMoved(POINT at) const;
    void GetOffset(int& x, int& y) const;
    // Pointer position minus the window's top-left corner.
    void SetOffset(int x, int y);
    bool IsDragging() const { return m_dragging != 0; }

private:
    HWND m_window;
    int m_dragging;
    int m_offsetX, m_offsetY;
    int m_startX, m_startY;

    void Place(POINT to);

    POINT m_heard; // the newest point heard, or that of the last BeginDrag or Track
};
