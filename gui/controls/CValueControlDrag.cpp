#include "common/DebugTrace.h"
#include "gui/controls/CValueControl.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
const int kNearPressHeight = 20;  // pixels: back this close to the press height means absolute mode
const int kParkEdgeDistance = 10; // the park point stays this far above a monitor's bottom
const int kCtrlSlowdown = 10;     // Ctrl: moves count as this much slower, absolute steps this much finer
const int kCtrlKey = 1;           // CPhysicalWindow::GetModifierKeys

// Pixels to positions by the average time between moves (ms): faster moves, bigger steps.
struct SpeedStep {
    uint32_t slowerThanMs;
    int factor;
};
const SpeedStep kSpeedSteps[] = {{150, 1}, {125, 2}, {100, 3}, {75, 4}, {50, 8},
                                 {40, 12}, {30, 16}, {20, 32}, {10, 64}};
const int kFastestFactor = 128;

int SpeedFactor(uint32_t averageMs)
{
    for (const SpeedStep& step : kSpeedSteps)
        if (averageMs > step.slowerThanMs)
            return step.factor;
    return kFastestFactor;
}

bool CtrlHeld()
{
    return (CPhysicalWindow::GetModifierKeys() & kCtrlKey) != 0;
}
} // namespace

void CValueControl::Press()
{
    m_absolute = false;
    m_releasedByCaptureLoss = false;
    m_lastTick = 0;
    m_intervals.Reset();
    m_ctrlAtLastStep = false;
    m_window.SetFocus();
    m_positionAtPress = m_position;
    m_stateFlags |= SkinState::kPressed;
    const bool wasDragging = m_dragging;
    m_dragging = true;
    if (wasDragging || m_cursorHidden)
        return;
    int x = 0, y = 0;
    CPhysicalWindow::GetCursorScreenPos(x, y);
    m_press = {x, y};
    // Parked mid-width at the monitor's edge away from the press, the cursor
    // has room to run either way, and coming back to the press height is a
    // deliberate move.
    m_park = m_press;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(MonitorFromPoint(m_press, MONITOR_DEFAULTTONEAREST), &info)) {
        const RECT& m = info.rcMonitor;
        m_park.x = m.left + (m.right - m.left) / 2;
        m_park.y = (y - m.top < m.bottom - y) ? m.bottom - kParkEdgeDistance : m.top;
    }
    CPhysicalWindow::SetCursorPos(m_park.x, m_park.y);
    m_window.SetCapture(true);
    CPhysicalWindow::ShowCursor(false);
    m_cursorHidden = true;
}

void CValueControl::Move(Outcome& out)
{
    if (!m_dragging || GetCapture() != m_window.GetHwnd())
        return;
    int x = 0, y = 0;
    CPhysicalWindow::GetCursorScreenPos(x, y);
    // The system reports putting the cursor back on the park point as a move
    // of its own; counted, it would halve the average time between moves.
    if (!m_absolute && x == m_park.x && y == m_park.y)
        return;
    const uint32_t now = m_ticks->Now();
    if (m_lastTick != 0)
        m_intervals.Push(int(now - m_lastTick));
    m_lastTick = now;
    const uint32_t average = uint32_t(m_intervals.GetAverage());
    if (!m_absolute && std::abs(y - m_press.y) < kNearPressHeight) {
        DebugTrace("ABSOLUTE MOUSE CURSOR\n");
        m_absolute = true;
        // The width spans the range from where the cursor is now: measured from
        // the press, the park column would throw the value to an end.
        if (m_cursorHidden) {
            CPhysicalWindow::ShowCursor(true);
            m_cursorHidden = false;
            Reanchor(x, y);
            return;
        }
        RelativeStep(x, average, out); // the next move is the first absolute one
        CPhysicalWindow::GetCursorScreenPos(x, y);
        Reanchor(x, y);
        return;
    }
    if (m_absolute)
        AbsoluteStep(x, y, out);
    else
        RelativeStep(x, average, out);
}

void CValueControl::RelativeStep(int cursorX, uint32_t averageMs, Outcome& out)
{
    const int dx = cursorX - m_park.x;
    if (dx != 0)
        CPhysicalWindow::SetCursorPos(m_park.x, m_park.y);
    if (CtrlHeld())
        averageMs *= kCtrlSlowdown;
    SetPosition(int64_t(m_position) + int64_t(SpeedFactor(averageMs)) * dx, out);
}

void CValueControl::AbsoluteStep(int cursorX, int cursorY, Outcome& out)
{
    const int width = m_params.place.width;
    if (width <= 0)
        return;
    double k = 2.0 * kLimit / width;
    int dx = cursorX - m_press.x;
    const bool ctrl = CtrlHeld();
    if (ctrl != m_ctrlAtLastStep) {
        // The finer or coarser scale starts from here.
        Reanchor(cursorX, cursorY);
        dx = 0;
    }
    if (ctrl)
        k /= kCtrlSlowdown;
    SetPosition(int64_t(m_positionAtPress) + int64_t(std::trunc(dx * k)), out);
}

void CValueControl::Reanchor(int cursorX, int cursorY)
{
    m_press = {cursorX, cursorY};
    m_positionAtPress = m_position;
    m_ctrlAtLastStep = CtrlHeld();
}

void CValueControl::Release(Outcome& out)
{
    DebugTrace("buttonPressed=%i\n", int(m_dragging));
    m_dragging = false; // before the capture goes: its loss is no second release
    if (GetCapture() == m_window.GetHwnd())
        m_window.SetCapture(false);
    m_stateFlags &= ~SkinState::kPressed;
    RestoreCursor();
    out.final = true;
}

// Another window took the capture (or the window let it go on a release, which
// then adds nothing): the drag ends as a release ends it.
void CValueControl::CaptureLost(Outcome& out)
{
    if (!m_dragging)
        return;
    Release(out);
    m_releasedByCaptureLoss = true;
}

void CValueControl::RightPress(Outcome& out)
{
    if (!m_dragging) {
        m_rightArmed = true;
        return;
    }
    Release(out);
    out.final = false;
    SetPosition(m_positionAtPress, out);
    out.changed = true;
    m_rightArmed = false;
}

void CValueControl::RestoreCursor()
{
    if (!m_cursorHidden)
        return;
    CPhysicalWindow::SetCursorPos(m_press.x, m_press.y);
    CPhysicalWindow::ShowCursor(true);
    m_cursorHidden = false;
}

void CValueControl::SetPosition(int64_t position, Outcome& out)
{
    const int32_t clamped = int32_t(std::min<int64_t>(std::max<int64_t>(position, -kLimit), kLimit));
    if (clamped == m_position)
        return;
    m_position = clamped;
    out.changed = true;
}
