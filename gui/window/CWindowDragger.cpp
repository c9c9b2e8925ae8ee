#include "gui/window/CWindowDragger.h"
#include <algorithm>
#include <cstdlib>

namespace {
// Rounds of catching up with moves heard while the window moved; past them
// the next move message goes on.
const int kCatchUpRounds = 4;

// Lets the system queue the input that has come so far; nothing is waited for.
void TakeInInput()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

// Takes the window's queued moves off the queue; the newest, or none.
bool TakeQueuedMoves(HWND window, MSG& newest)
{
    bool any = false;
    for (MSG msg; PeekMessageA(&msg, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE); any = true)
        newest = msg;
    return any;
}

DWORD QueuedMouseInput()
{
    return HIWORD(GetQueueStatus(QS_MOUSE));
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}
} // namespace

CWindowDragger::CWindowDragger()
    : m_window(nullptr), m_dragging(0), m_offsetX(0), m_offsetY(0), m_startX(0), m_startY(0), m_heard()
{}

void CWindowDragger::Attach(HWND window)
{
    m_window = window;
    m_dragging = 0;
    m_offsetX = m_offsetY = 0;
}

void CWindowDragger::BeginDrag(POINT at)
{
    if (!m_window)
        return;
    SendMessageA(m_window, WM_ENTERSIZEMOVE, 0, 0);
    m_dragging = 1;
    SetCapture(m_window);
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    m_offsetX = at.x - rect.left;
    m_offsetY = at.y - rect.top;
    m_startX = at.x;
    m_startY = at.y;
    m_heard = at;
}

void CWindowDragger::EndDrag()
{
    if (!m_window || !m_dragging)
        return;
    m_dragging = 0;
    if (GetCapture() == m_window)
        ReleaseCapture(); // another window that took it keeps it
    SendMessageA(m_window, WM_EXITSIZEMOVE, 0, 0);
}

bool CWindowDragger::Track(POINT to)
{
    if (!m_window || !m_dragging)
        return false;
    m_heard = to;
    Place(to);
    return true;
}

// Here (Wine's own desktop) the display driver gives a pointer event within a
// window the screen point of the window's place when this thread takes the
// event in: one the display server made before it saw a move of the window
// and taken in after it lands that move off. The window moves only once the
// input taken in so far is heard, to its newest point: only what the server
// makes between that look and its sight of the move lands off, by that one
// move, until the next point or, held, the tick's look at the pointer itself.
// No point is put back: which side of the move the server made it on is not
// known here.
bool CWindowDragger::TrackMove(POINT heard)
{
    if (!m_window || !m_dragging)
        return false;
    POINT to = heard;
    bool placed = false;
    for (int round = 0; round < kCatchUpRounds; ++round) {
        TakeInInput();
        MSG newest = {};
        const bool moved = TakeQueuedMoves(m_window, newest);
        if (moved)
            to = newest.pt;
        m_heard = to;
        // The look takes input in too: a move it took in is heard before the window moves.
        const DWORD queued = QueuedMouseInput();
        if (queued & QS_MOUSEBUTTON) {
            if (moved || !placed)
                Place(to); // a button that does not end the drag finds the window there
            break;
        }
        if (queued & QS_MOUSEMOVE)
            continue;
        if (placed && !moved)
            break;
        Place(to);
        placed = true;
    }
    return true;
}

void CWindowDragger::Place(POINT to)
{
    SetWindowPos(m_window, nullptr, to.x - m_offsetX, to.y - m_offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool CWindowDragger::CursorMoved() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return !SamePoint(cursor, m_heard);
}

int CWindowDragger::DistanceMoved(POINT at) const
{
    if (!m_dragging)
        return 0;
    return std::max(std::abs(at.x - m_startX), std::abs(at.y - m_startY));
}

void CWindowDragger::GetOffset(int& x, int& y) const
{
    x = m_offsetX;
    y = m_offsetY;
}

void CWindowDragger::SetOffset(int x, int y)
{
    m_offsetX = x;
    m_offsetY = y;
}
