#include "gui/window/CWindowDragger.h"
#include <algorithm>
#include <cstdlib>

namespace {
// Rounds of catching up with moves heard while the window moved; past them
// the next move message goes on.
const int kCatchUpRounds = 4;
// For this long after the newest input the system answers GetCursorPos from
// that input's point (Wine); later, from the pointer itself.
const DWORD kCursorRecordMs = 100;

// Takes the window's queued moves off the queue; the newest, or none. It asks
// the queue first: a look that finds nothing would take more input in.
bool TakeQueuedMoves(HWND window, MSG& newest)
{
    bool any = false;
    for (MSG msg; (HIWORD(GetQueueStatus(QS_MOUSEMOVE)) & QS_MOUSEMOVE) &&
                  PeekMessageA(&msg, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
         any = true)
        newest = msg;
    return any;
}

DWORD QueuedMouseInput()
{
    return HIWORD(GetQueueStatus(QS_MOUSE));
}

// Whether a point of the device's input is given by the window's place when
// the thread took it in: so under Wine's own desktop (an X window of its own,
// which the desktop window's X property tells), where the display driver maps
// an event's point within the window through the window's place at that time.
// An event made before a move of the window and taken in after it lands that
// move off. Elsewhere a point is where the pointer was.
bool PointsFollowTheWindow()
{
    static const bool follow = GetPropA(GetDesktopWindow(), "__wine_x11_whole_window") != nullptr;
    return follow;
}

// Whether the message last taken off the queue came from the display driver
// (Wine tells the device's input, or the system's when the pointer was put
// somewhere); a program's (SendInput) carries the point it was given, as does
// a posted message. Systems before the call tell no origin, and map no point
// through a window.
bool FromTheDriver()
{
    using Source = BOOL(WINAPI*)(INPUT_MESSAGE_SOURCE*);
    static const auto source = reinterpret_cast<Source>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetCurrentInputMessageSource")));
    INPUT_MESSAGE_SOURCE from = {};
    return source && source(&from) && (from.originId == IMO_HARDWARE || from.originId == IMO_SYSTEM);
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}
} // namespace

CWindowDragger::CWindowDragger()
    : m_window(nullptr), m_dragging(0), m_offsetX(0), m_offsetY(0), m_startX(0), m_startY(0), m_heard(), m_heardAt(0),
      m_placed(), m_lastMove(), m_owed()
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
    m_heard = m_placed = at;
    m_heardAt = GetTickCount();
    m_lastMove = m_owed = {};
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
    m_owed = {};
    Place(to);
    return true;
}

// The window moves only once the moves taken in so far are heard, to the
// newest of them. Where points follow the window, input that the first look
// after a move takes in was mostly made before the display server saw the
// move, so its point is put back by that move; never by more, so that a
// point the server made after the move lands one move off at most.
bool CWindowDragger::TrackMove(POINT heard)
{
    if (!m_window || !m_dragging)
        return false;
    POINT to = AsMade(heard, FromTheDriver());
    m_heard = heard;
    m_heardAt = GetTickCount();
    bool placed = false, firstLook = false;
    for (int round = 0; round < kCatchUpRounds; ++round) {
        Look(firstLook);
        firstLook = false;
        MSG newest = {};
        const bool moved = TakeQueuedMoves(m_window, newest);
        if (moved) {
            to = AsMade(newest.pt, FromTheDriver());
            m_heard = newest.pt;
            m_heardAt = GetTickCount();
        }
        const DWORD queued = QueuedMouseInput();
        if (queued & QS_MOUSEBUTTON) {
            if (!SamePoint(to, m_placed))
                Place(to); // a button that does not end the drag finds the window there
            return true;   // the button keeps what the look owes: it was taken in with it
        }
        if (queued & QS_MOUSEMOVE)
            continue;
        m_owed = {}; // input still to come is taken in by later looks
        if (placed && !moved)
            break;
        Place(to);
        placed = firstLook = true;
    }
    return true;
}

POINT CWindowDragger::ButtonPoint(POINT heard) const
{
    return m_dragging ? AsMade(heard, FromTheDriver()) : heard;
}

void CWindowDragger::Look(bool first)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT); // nothing is waited for
    m_owed = first ? m_lastMove : POINT{};
}

POINT CWindowDragger::AsMade(POINT heard, bool fromDriver) const
{
    RECT window = {};
    GetWindowRect(m_window, &window);
    // A point over another window, the desktop's too, is mapped through that one, which stood still.
    if (!fromDriver || !PointsFollowTheWindow() || !PtInRect(&window, heard))
        return heard;
    return {heard.x - m_owed.x, heard.y - m_owed.y};
}

void CWindowDragger::Place(POINT to)
{
    RECT before = {}, after = {};
    GetWindowRect(m_window, &before);
    SetWindowPos(m_window, nullptr, to.x - m_offsetX, to.y - m_offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(m_window, &after); // the system may have kept the window from going all the way
    m_lastMove = {after.left - before.left, after.top - before.top};
    m_placed = to;
}

bool CWindowDragger::CursorMoved() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool answersFromPointer = GetTickCount() - m_heardAt > kCursorRecordMs;
    return !SamePoint(cursor, answersFromPointer ? m_placed : m_heard);
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
