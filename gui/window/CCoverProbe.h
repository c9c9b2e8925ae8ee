#pragma once
#include <windows.h>

// Whether the windows above a top-level window hide every pixel of it, asked
// every frame. Walking the windows above costs system calls per window, and
// desktops carry hundreds of hidden ones; the system names the topmost shown
// window at a point in one call instead. So a look takes the window found at a
// point away from the window's area and asks next at a point of what is left,
// until a point shows the window or nothing is left: its cost grows with the
// shown windows over this one, never with hidden ones. Between looks one point
// a frame is asked: while shown, the one last seen showing it; while covered,
// one of nine in turn, and the look again once a period. GUI thread only.
class CCoverProbe {
public:
    // How stale a "covered" answer may be when a cover moved off no point
    // asked meanwhile (nine frames ask every point).
    static const DWORD kLookPeriodMs = 250;

    // `now` in ms (GetTickCount), by which the looks are spaced.
    bool IsWhollyCovered(HWND window, DWORD now);
    // True while a point is being asked: the hit test that the system sends
    // for it is no pointer's, and moves no cursor.
    static bool IsProbing() { return s_probing; }
    // The looks run and the window system calls made so far: the cost of
    // asking.
    int GetLookCount() const { return m_looks; }
    int GetCallCount() const { return m_calls; }

private:
    enum class Sight { Shown, Covered, Unsure };

    Sight Look(HWND root, const RECT& rect, HWND top);
    POINT PointToAsk(const RECT& rect);
    HWND TopAt(POINT at);
    HWND RootOf(HWND window);
    bool IsOurs(HWND root, HWND top);
    bool Hides(HWND above, HRGN shape);

    static bool s_probing;
    Sight m_sight = Sight::Shown;
    POINT m_seen = {-1, -1}; // from the window's corner; outside it until a point showed it
    int m_turn = 0;
    HWND m_hit = nullptr, m_hitRoot = nullptr; // the window last found at a point, and its root
    DWORD m_lookedAt = 0;
    int m_looks = 0;
    int m_calls = 0;
};
