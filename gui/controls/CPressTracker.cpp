#include "gui/controls/CPressTracker.h"

CPressTracker::Answer CPressTracker::Press()
{
    m_window.SetCapture(true);
    m_window.SetFocus();
    return Answer::Pressed;
}

CPressTracker::Answer CPressTracker::Move(POINT at, int width, int height) const
{
    if (!m_window.HasCapture())
        return Answer::Ignored;
    return Inside(at, width, height) ? Answer::Pressed : Answer::Cancelled;
}

CPressTracker::Answer CPressTracker::Release(POINT at, int width, int height)
{
    if (!m_window.HasCapture())
        return Answer::Ignored;
    m_window.SetCapture(false);
    return Inside(at, width, height) ? Answer::Click : Answer::Cancelled;
}

bool CPressTracker::Inside(POINT at, int width, int height)
{
    return at.x >= 0 && at.x <= width && at.y >= 0 && at.y <= height;
}
