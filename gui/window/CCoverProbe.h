#pragma once
#include <windows.h>

// Whether the windows above a top-level window hide every pixel of it, asked
// every frame. A walk over the windows above costs system calls per window,
// and desktops carry hundreds of hidden ones; so a few points of the window are
// asked first, each one call whatever lies above, and a visible window is
// answered by them alone. Only while every point is covered does the walk run,
// at most once a period: the answer "covered" is then at most a period old,
// while an uncovered point is seen in the next frame. GUI thread only.
class CCoverProbe {
public:
    // How stale a "covered" answer may be when only pixels between the
    // points were uncovered meanwhile.
    static const DWORD kWalkPeriodMs = 250;

    bool IsWhollyCovered(HWND window);
    // True while a point is being asked: the hit test that the system sends
    // for it is no pointer's, and moves no cursor.
    static bool IsProbing() { return s_probing; }
    // The walks run so far; the cost of asking grows with them, not with the
    // number of asks.
    int GetWalkCount() const { return m_walks; }

private:
    bool AnyPointUncovered(HWND window, const RECT& rect) const;

    static bool s_probing;
    bool m_covered = false;
    bool m_walked = false;
    DWORD m_walkedAt = 0;
    int m_walks = 0;
};
