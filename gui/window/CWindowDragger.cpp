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

// Whether input made at `made` came before a move that began at `moving`.
bool MadeBefore(DWORD made, DWORD moving)
{
    return static_cast<LONG>(made - moving) < 0; // tick counts wrap
}

DWORD QueuedMouseInput()
{
    return HIWORD(GetQueueStatus(QS_MOUSE));
}
} // namespace

CWindowDragger::CWindowDragger()
    : m_window(nullptr), m_dragging(0), m_offsetX(0), m_offsetY(0), m_startX(0), m_startY(0), m_tracked(), m_moves(),
      m_nextMove(0)
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
    m_tracked = at;
    m_moves = {};
}

void CWindowDragger::EndDrag()
{
    if (!m_window)
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
    m_tracked = to;
    Place(to);
    return true;
}

// Here (Wine) the pointer's point in an event is made when this thread takes
// the event in, from the event's place in the window and the window's place
// then: an event made before moves of the window and taken in after them
// lands those moves off. So the window moves only once the events taken in so
// far are heard, from their newest point; one made before moves began and
// taken in after them, a button's too, is put back by their shifts.
bool CWindowDragger::TrackMove(POINT heard, DWORD made)
{
    if (!m_window || !m_dragging)
        return false;
    m_tracked = heard;
    POINT to = ShiftedBack(heard, made);
    bool placed = false;
    for (int round = 0; round < kCatchUpRounds; ++round) {
        TakeInInput();
        MSG newest = {};
        const bool moved = TakeQueuedMoves(m_window, newest);
        if (moved) {
            m_tracked = newest.pt;
            to = ShiftedBack(newest.pt, newest.time);
        }
        // The look takes input in too: a move it took in is heard before the window moves.
        const DWORD queued = QueuedMouseInput();
        if (queued & QS_MOUSEBUTTON)
            break; // the button places the window, at its own point
        if (queued & QS_MOUSEMOVE)
            continue;
        if (placed && !moved)
            break;
        Place(to);
        placed = true;
    }
    return true;
}

POINT CWindowDragger::ShiftedBack(POINT heard, DWORD made) const
{
    POINT to = heard;
    if (!m_dragging)
        return to;
    for (const Move& move : m_moves)
        if (MadeBefore(made, move.at)) { // the window was not there yet when it was made
            to.x -= move.shift.x;
            to.y -= move.shift.y;
        }
    return to;
}

void CWindowDragger::Place(POINT to)
{
    RECT before = {}, after = {};
    GetWindowRect(m_window, &before);
    Move& move = m_moves[m_nextMove++ % kMovesKept];
    // Input made in the millisecond the move began may have come after it.
    move.at = GetTickCount();
    SetWindowPos(m_window, nullptr, to.x - m_offsetX, to.y - m_offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(m_window, &after); // the system may have kept the window from going all the way
    move.shift = {after.left - before.left, after.top - before.top};
}

bool CWindowDragger::CursorMoved() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor.x != m_tracked.x || cursor.y != m_tracked.y;
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
