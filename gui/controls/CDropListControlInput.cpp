#include "gui/controls/CDropListControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"

int CDropListControl::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (IsCreated() && source == EventSource::Window && code == WindowEvent::MouseWheel) {
        if (m_popup.IsOpen()) {
            m_popup.OnEvent(sender, source, code, p1, p2, data);
        } else if (NotifyParent(NotifyCode::Wheel, p1) == 0 && p1 != 0) {
            Step(false, -p1);
        }
        if (data)
            *static_cast<LRESULT*>(data) = 1;
    }
    return CSkinControl::OnEvent(sender, source, code, p1, p2, data);
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

int CDropListControl::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    switch (code) {
    case WindowEvent::LeftButtonDown:
    case WindowEvent::LeftDoubleClick:
        m_press.Press();
        SetPressedLook(true);
        if (Stepping())
            m_steppingPress = true;
        else
            OpenList();
        break;
    case WindowEvent::MouseMove:
        if (HasCapture())
            MoveCaptured();
        break;
    case WindowEvent::LeftButtonUp:
        if (Stepping())
            SteppingLeftUp(p1);
        else
            ListLeftUp(p1);
        break;
    case WindowEvent::RightButtonDown:
    case WindowEvent::RightDoubleClick: RightDown(); break;
    case WindowEvent::RightButtonUp:
        if (Stepping())
            ListLeftUp(p1);
        RightUp();
        break;
    case WindowEvent::MouseEnter:
        if (!m_popup.IsOpen())
            m_stateFlags |= SkinState::kHover;
        break;
    case WindowEvent::MouseLeave: m_stateFlags &= ~SkinState::kHover; break;
    default: HandleCommand(code, p1, p2); break;
    }
    if (m_paintedState.Update(int(m_stateFlags))) {
        if (Stepping())
            Refresh();
        SetContentBitmap(m_label.GetImage(IsPressedLook() ? 1 : 0));
        Paint();
    }
    return 0;
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

void CDropListControl::ListLeftUp(int p1)
{
    m_popup.ClearCloseOnOtherButton();
    if (HasCapture())
        m_window.SetCapture(false);
    SetPressedLook(false);
    if (CPressTracker::Inside(EventPoint(p1), m_params.place.width, m_params.place.height))
        NotifyParent(NotifyCode::Click);
}

void CDropListControl::SteppingLeftUp(int p1)
{
    if (HasCapture())
        m_window.SetCapture(false);
    m_steppingPress = false;
    if (IsPressedLook() && CPressTracker::Inside(EventPoint(p1), m_params.place.width, m_params.place.height))
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
