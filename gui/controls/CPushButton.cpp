#include "gui/controls/CPushButton.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include <algorithm>

namespace {
const int kNoImage = -1;
// Cleared while a checked toggle button is pressed.
const uint32_t kToggleCleared = 0x04;
using Answer = CPressTracker::Answer;
} // namespace

CPushButton::CPushButton() : m_checked(0), m_pressed(0), m_created(0), m_spaceHeld(0), m_rightPressed(0)
{}

int CPushButton::Create(const PushButtonParams& params)
{
    m_params = params;
    TakeParentBackground(m_params);
    ForceRepaint();
    m_checked = m_pressed = m_spaceHeld = 0;
    // With no mark to show it, the icon tells that the button is checked.
    if (m_params.mode == PushButtonMode::Check && m_params.indicatorLook == 0)
        m_params.icon = 1;
    Layout();
    CreateGraphics();

    ControlCreateParams face = SkinnedControlAt(m_params);
    face.notifyKind = NotifyKind::Button;
    face.contentBitmap = m_params.icon ? m_label.GetImage(0) : nullptr;
    face.textRecord = m_label.GetTextBuffer();
    face.kind = m_params.emphasis ? kSkinSmallButton : kSkinButton;
    face.stretchMode = m_params.stretchMode;
    face.middle = m_params.middle;
    face.indicator = m_params.mode == PushButtonMode::Check && m_params.indicatorLook != 0;
    face.disabled = m_params.disabled;
    face.level = m_params.level;
    CSkinControl::Create(face);
    m_stateFlags = m_params.initialState;
    Paint();
    m_created = 1;
    return 0;
}

void CPushButton::SetState(int checked)
{
    if (!m_window.IsCreated())
        return;
    m_checked = checked;
    UpdateStateFlags();
    Refresh();
}

void CPushButton::SetToolTipText(const char* text)
{
    m_params.toolTipText = text ? text : "";
    CSkinControl::SetToolTipText(text);
}

void CPushButton::SetLook(Look look)
{
    const int pressed = look == Look::Pressed;
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    NotifyParent(look == Look::Pressed    ? NotifyCode::LeftDown
                 : look == Look::Released ? NotifyCode::LeftUp
                                          : NotifyCode::Cancelled);
}

void CPushButton::UpdateStateFlags()
{
    if (m_pressed) {
        m_stateFlags |= SkinState::kPressed;
        if (m_params.mode == PushButtonMode::Toggle && m_checked)
            m_stateFlags &= ~kToggleCleared;
        return;
    }
    m_stateFlags &= ~SkinState::kPressed;
    if (m_params.mode == PushButtonMode::Check) {
        if (m_params.indicatorLook)
            m_create.indicatorState = m_checked ? m_params.indicatorLook : 0;
        return;
    }
    const bool checkedLook = m_params.mode == PushButtonMode::Toggle ? m_checked != 0 : m_params.latched != 0;
    m_stateFlags = checkedLook ? m_stateFlags | SkinState::kChecked : m_stateFlags & ~SkinState::kChecked;
}

void CPushButton::Layout()
{
    const bool markBeside =
        m_params.mode == PushButtonMode::Check ||
        (m_params.mode == PushButtonMode::Toggle && m_params.stretchMode == StretchMode::ThreeColumns);
    if (!markBeside || m_params.text.empty())
        return;
    int side = m_params.place.height;
    if (m_params.indicatorLimit)
        side = std::min(side, m_params.indicatorLimit);
    m_params.stretchMode = StretchMode::ThreeColumns;
    m_params.middle = std::max(m_params.place.width - side + 1, 0);
}

int CPushButton::LabelImageId() const
{
    if (m_params.mode != PushButtonMode::Push && m_params.indicatorLook == 0 && !m_checked)
        return kNoImage;
    return m_params.imageId;
}

void CPushButton::CreateGraphics()
{
    if (m_params.verbose)
        DebugTrace("CPushButton::CreateGraphics() bitmap_resource_id=%i\n", m_params.imageId);
    TextImageRequest request;
    request.x = m_params.place.x;
    request.y = m_params.place.y;
    request.width = m_params.place.width;
    request.height = m_params.place.height;
    request.icon = m_params.icon;
    request.iconId = LabelImageId();
    request.option = m_params.labelOption;
    request.iconScale = m_params.iconScale;
    request.disabled = m_params.disabled;
    request.text = m_params.text;
    request.stretchMode = m_params.stretchMode;
    request.middle = m_params.middle;
    request.skin = m_params.place.container ? m_params.place.container->GetSkinRenderer() : nullptr;
    m_label.GetTextBuffer()->horizontalAlignment = m_params.labelAlignment;
    m_label.Render(request);
    m_labelImageId.Set(request.iconId);
}

void CPushButton::Refresh()
{
    UpdateStateFlags();
    if (LabelImageId() != m_labelImageId.Get())
        CreateGraphics();
    SetContentBitmap(m_label.GetImage(m_stateFlags & SkinState::kPressed));
    Paint();
}

int CPushButton::OnMouse(const MouseEvent& event)
{
    const bool left = event.button == MouseEvent::Button::Left;
    switch (event.action) {
    case MouseEvent::Action::Move: {
        const Answer answer = m_press.Move(event.at, m_params.place.width, m_params.place.height);
        if (answer != Answer::Ignored) {
            SetLook(answer == Answer::Pressed ? Look::Pressed : Look::Cancelled);
            UpdateStateFlags();
        }
        break;
    }
    case MouseEvent::Action::DoubleClick:
    case MouseEvent::Action::Press:
        if (left) {
            m_press.Press();
            SetLook(Look::Pressed);
            UpdateStateFlags();
        } else if (event.action == MouseEvent::Action::Press) {
            OnRightDown();
        }
        break;
    case MouseEvent::Action::Release:
        if (left)
            OnLeftUp(event.at);
        else if (m_rightPressed)
            NotifyParent(NotifyCode::RightUp);
        break;
    case MouseEvent::Action::Wheel: NotifyParent(NotifyCode::Wheel, event.wheelSteps); break;
    case MouseEvent::Action::Enter: m_stateFlags |= SkinState::kHover; break;
    case MouseEvent::Action::Leave: m_stateFlags &= ~SkinState::kHover; break;
    case MouseEvent::Action::CaptureLost: break;
    }
    return Settle();
}

int CPushButton::OnKey(const KeyEvent& event)
{
    if (event.down)
        OnKeyDown(event.key);
    else
        OnKeyUp(event.key);
    return Settle();
}

int CPushButton::OnCommand(const CommandEvent& event)
{
    switch (event.raw.code) {
    case ControlCommand::SetText:
        m_params.text = event.text ? event.text : "";
        CreateGraphics();
        ForceRepaint();
        break;
    case ControlCommand::Place: OnPlace(event.rect); break;
    case ControlCommand::Rebuild:
        CreateGraphics();
        ForceRepaint();
        break;
    case ControlCommand::SetImage: m_params.imageId = event.value; break;
    case ControlCommand::Show:
        ShowWindow(m_window.GetHwnd(), event.value ? SW_SHOW : SW_HIDE);
        m_window.Invalidate();
        break;
    case ControlCommand::Disable: OnDisable(event.value != 0); break;
    case ControlCommand::Emphasis:
        m_params.emphasis = event.value != 0;
        m_create.kind = event.value ? kSkinSmallButton : kSkinButton;
        ForceRepaint();
        break;
    }
    return Settle();
}

// Any other event repaints too: a state set from outside shows at the next one.
int CPushButton::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    return Settle();
}

int CPushButton::Settle()
{
    if (m_paintedFlags.Update(int(m_stateFlags)))
        Refresh();
    return 0;
}

void CPushButton::OnLeftUp(POINT at)
{
    const Answer answer = m_press.Release(at, m_params.place.width, m_params.place.height);
    if (answer == Answer::Ignored)
        return;
    if (answer == Answer::Cancelled) {
        SetLook(Look::Cancelled);
    } else if (m_params.mode == PushButtonMode::Push) {
        NotifyParent(NotifyCode::Click);
        SetLook(Look::Released);
    } else {
        if (m_params.toggleAllowed)
            m_checked = !m_checked;
        SetLook(Look::Released);
    }
    UpdateStateFlags();
}

void CPushButton::OnRightDown()
{
    if (!m_window.HasCapture()) {
        m_rightPressed = 1;
        return;
    }
    m_window.SetCapture(false);
    SetLook(Look::Cancelled);
    UpdateStateFlags();
    m_rightPressed = 0;
}

void CPushButton::OnPlace(const RECT* rect)
{
    if (!rect)
        return;
    PlaceRecord(m_params.place, *rect);
    PlaceRecord(m_create.place, *rect);
    Layout();
    m_create.stretchMode = m_params.stretchMode;
    m_create.middle = m_params.middle;
}

void CPushButton::OnDisable(bool disabled)
{
    m_params.disabled = disabled;
    m_window.SetDisabled(disabled);
    m_create.disabled = disabled;
    CreateGraphics();
    ForceRepaint();
}

void CPushButton::OnKeyDown(const KeyRecord* key)
{
    if (!key)
        return;
    DebugTrace("%x, keydown %i %i\n", unsigned(uintptr_t(this)), key->virtualKey, key->repeatCount);
    if (key->virtualKey == VK_RETURN) {
        SetLook(Look::Pressed);
        SetLook(Look::Released);
        if (m_params.mode == PushButtonMode::Push)
            NotifyParent(NotifyCode::Click);
        UpdateStateFlags();
    } else if (key->virtualKey == VK_SPACE && !m_spaceHeld) {
        m_spaceHeld = 1;
        SetLook(Look::Pressed);
        UpdateStateFlags();
    }
}

void CPushButton::OnKeyUp(const KeyRecord* key)
{
    if (!key || !m_spaceHeld)
        return;
    m_spaceHeld = 0;
    if (key->virtualKey == VK_SPACE) {
        SetLook(Look::Released);
        UpdateStateFlags();
        if (m_params.mode == PushButtonMode::Push)
            NotifyParent(NotifyCode::Click);
    } else {
        SetLook(Look::Cancelled);
        UpdateStateFlags();
    }
}
