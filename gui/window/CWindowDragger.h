#pragma once
#include <windows.h>
#include <array>

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
    // still holds it; sends WM_EXITSIZEMOVE either way.
    void EndDrag();
    // Puts the window under the given screen point. True when it moved it.
    bool Track(POINT to);
    // As Track, for the point of a move message made at `made` (its message
    // time): moves queued behind it are taken too, and a button message
    // waiting stops it.
    bool TrackMove(POINT heard, DWORD made);
    // A button message's point, made at `made`, as the drag places the window.
    POINT ButtonPoint(POINT heard, DWORD made) const { return ShiftedBack(heard, made); }
    // Whether the cursor stands elsewhere than at the last BeginDrag or Track.
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
    // A move of the window: when it began, and how far it went.
    struct Move {
        DWORD at;
        POINT shift;
    };
    // Input is taken in fewer moves late than this.
    static const int kMovesKept = 8;

    void Place(POINT to);
    POINT ShiftedBack(POINT heard, DWORD made) const;

    POINT m_tracked;                      // the point of the last BeginDrag or Track, as heard
    std::array<Move, kMovesKept> m_moves; // the drag's last moves
    unsigned m_nextMove;
};
