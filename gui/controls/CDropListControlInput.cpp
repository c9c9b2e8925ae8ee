#include "gui/controls/CDropListControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"

// Over an open list the wheel scrolls it; over a closed one the owner may
// take it, else the box steps without wrapping.
void CDropListControl::Wheel(const ControlEvent& e)
{
    if (m_popup.IsOpen()) {
        m_popup.OnEvent(e.sender, e.source, e.code, e.p1, e.p2, e.data);
    } else if (NotifyParent(NotifyCode::Wheel, e.p1) == 0 && e.p1 != 0) {
        Step(false, -e.p1);
    }
    if (e.data)
        *static_cast<LRESULT*>(e.data) = 1;
}

bool CDropListControl::HasCapture() const
{
    return m_window.GetHwnd() && GetCapture() == m_window.GetHwnd();
}

void CDropListControl::SetPressedLook(bool on)
{
    if (on)
        m_stateFlags |= SkinState::kPressed;
    else
        m_stateFlags &= ~SkinState::kPressed;
}

int CDropListControl::OnMouse(const MouseEvent& event)
{
    const bool left = event.button == MouseEvent::Button::Left;
    switch (event.action) {
    case MouseEvent::Action::Press:
    case MouseEvent::Action::DoubleClick:
        if (left)
            LeftDown();
        else
            RightDown();
        break;
    case MouseEvent::Action::Move:
        if (HasCapture())
            MoveCaptured();
        break;
    case MouseEvent::Action::Release:
        if (left && Stepping())
            SteppingLeftUp(event.at);
        else if (left || Stepping())
            ListLeftUp(event.at);
        if (!left)
            RightUp();
        break;
    case MouseEvent::Action::Enter:
        if (!m_popup.IsOpen())
            m_stateFlags |= SkinState::kHover;
        break;
    case MouseEvent::Action::Leave: m_stateFlags &= ~SkinState::kHover; break;
    case MouseEvent::Action::Wheel:
        if (event.raw.source == EventSource::Window)
            Wheel(event.raw);
        break;
    case MouseEvent::Action::CaptureLost: break;
    }
    return Settle();
}

int CDropListControl::OnCommand(const CommandEvent& event)
{
    HandleCommand(event.raw.code, event.value, event.raw.p2);
    return Settle();
}

// Keys, paint requests and the rest change no state, but the look catches up.
int CDropListControl::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    return Settle();
}

int CDropListControl::Settle()
{
    if (m_paintedState.Update(int(m_stateFlags))) {
        if (Stepping())
            Refresh();
        SetContentBitmap(m_label.GetImage(IsPressedLook() ? 1 : 0));
        Paint();
    }
    return 0;
}

void CDropListControl::LeftDown()
{
    m_press.Press();
    SetPressedLook(true);
    if (Stepping())
        m_steppingPress = true;
    else
        OpenList();
}

void CDropListControl::MoveCaptured()
{
    if (m_window.IsCursorOverWindow()) {
        SetPressedLook(true);
        return;
    }
    SetPressedLook(false);
    if (Stepping() && !m_rightOpen)
        return;
    // Dragged from the box into the open list: the list takes the mouse.
    POINT cursor = {};
    GetCursorPos(&cursor);
    HWND popup = m_popup.GetPopupWindow().GetHwnd();
    if (m_popup.IsOpen() && popup && ScreenToClient(popup, &cursor) && m_popup.RowAt(cursor.x, cursor.y) >= 0)
        m_popup.BeginCapture();
}

void CDropListControl::ListLeftUp(POINT at)
{
    m_popup.ClearCloseOnOtherButton();
    if (HasCapture())
        m_window.SetCapture(false);
    SetPressedLook(false);
    if (CPressTracker::Inside(at, m_params.place.width, m_params.place.height))
        NotifyParent(NotifyCode::Click);
}

void CDropListControl::SteppingLeftUp(POINT at)
{
    if (HasCapture())
        m_window.SetCapture(false);
    m_steppingPress = false;
    if (IsPressedLook() && CPressTracker::Inside(at, m_params.place.width, m_params.place.height))
        Step(true, 1);
    SetPressedLook(false);
}

void CDropListControl::RightDown()
{
    if (!Stepping()) {
        m_rightArmed = true;
        return;
    }
    if (IsPressedLook()) {
        // A right press during a left press cancels the step.
        if (HasCapture())
            m_window.SetCapture(false);
        m_steppingPress = false;
        m_rightOpen = false;
        SetPressedLook(false);
        return;
    }
    m_rightOpen = true;
    m_window.SetCapture(true);
    OpenList();
}

void CDropListControl::RightUp()
{
    m_rightOpen = false;
    if (m_rightArmed)
        NotifyParent(NotifyCode::RightUp);
    m_rightArmed = false;
}

void CDropListControl::HandleCommand(int code, int p1, int p2)
{
    switch (code) {
    case ControlCommand::Place: PlaceBothRecords(m_params, p2); break;
    case ControlCommand::Rebuild:
        if (m_window.IsShownAndNotMinimized()) {
            ComputeTextArea();
            m_create.middle = m_arrowLeft;
            Refresh();
            m_paintedState.Set(-1);
        }
        break;
    case ControlCommand::Disable:
        m_params.disabled = p1 != 0;
        m_window.SetDisabled(p1 != 0);
        Refresh();
        m_paintedState.Set(-1);
        break;
    case ControlCommand::Emphasis:
        m_params.emphasis = p1 != 0;
        m_create.kind = m_params.emphasis ? kSkinSmallButton : kSkinButton;
        m_paintedState.Set(-1);
        break;
    }
}
