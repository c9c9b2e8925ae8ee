#pragma once
#include <windows.h>

// Moves a captionless window while the left button is held: BeginDrag captures
// the mouse and each Track puts the window under the cursor again. BeginDrag
// and EndDrag send WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE, so to the rest of the
// toolkit a drag looks like the system's move loop. Until Attach every
// operation does nothing (windows that are not movable never attach one).
// GUI thread only.
class CWindowDragger {
public:
    CWindowDragger();
    virtual ~CWindowDragger() = default;

    void Attach(HWND window);
    void BeginDrag();
    // Ends a drag if one runs, letting go of the capture only where the window
    // still holds it; sends WM_EXITSIZEMOVE either way.
    void EndDrag();
    // Puts the window under the given screen point, or under the cursor. True
    // when it moved the window.
    bool Track(const POINT* to = nullptr);
    // Whether the cursor stands elsewhere than at the last BeginDrag or Track.
    bool CursorMoved() const;
    // The larger of the cursor's horizontal and vertical distance from where
    // the drag began; 0 outside a drag.
    int DistanceMoved() const;
    void GetOffset(int& x, int& y) const;
    // Cursor position minus the window's top-left corner.
    void SetOffset(int x, int y);
    bool IsDragging() const { return m_dragging != 0; }

private:
    HWND m_window;
    int m_dragging;
    int m_offsetX, m_offsetY;
    int m_startX, m_startY;
    POINT m_tracked; // the cursor at the last BeginDrag or Track
};
