#include "gui/controls/CValueControl.h"
#include "common/StringFormat.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/window/WindowEvent.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const int kIntervalCount = 10; // moves averaged
const int kIntervalDelay = 2;  // moves after a press not averaged
const int kWheelStep = 2048;   // positions per wheel step: 1/64 of the range

// True when format has no conversion but one of a double at most: the
// owner's format never reaches the formatter with a type it would misread.
bool FormatsOneDouble(const char* format)
{
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        if (*++p == '%')
            continue;
        p += std::strspn(p, "-+ #0");
        p += std::strspn(p, "0123456789");
        if (*p == '.')
            p += 1 + std::strspn(p + 1, "0123456789");
        if (*p == 'l')
            ++p;
        if (!*p || !std::strchr("eEfgG", *p))
            return false;
        ++conversions;
    }
    return conversions <= 1;
}

void FormatValue(std::string& out, const char* format, double value)
{
    if (FormatsOneDouble(format))
        FormatString(out, format, value);
    else
        out.clear();
}
} // namespace

CValueControl::CValueControl()
    : m_position(0), m_cursorHidden(false), m_park{0, 0}, m_press{0, 0}, m_absolute(false), m_dragging(false),
      m_positionAtPress(0), m_lastTick(0), m_rightArmed(false), m_releasedByCaptureLoss(false), m_ctrlAtLastStep(false),
      m_created(false), m_ticks(CTickSource::System())
{
    m_intervals.Init(kIntervalCount, kIntervalDelay);
}

CValueControl::~CValueControl()
{
    Outcome ignored;
    if (m_dragging)
        Release(ignored);
}

int CValueControl::Create(const ValueControlParams& params)
{
    m_params = params;
    m_created = true;
    TakeParentBackground(m_params);
    m_position = ValueToPosition(m_params.initialValue);
    ControlCreateParams create = SkinnedControlAt(m_params);
    create.notifyKind = kNotifyKind;
    create.kind = m_params.emphasis ? kSkinSmallButton : kSkinButton;
    create.stretchMode = m_params.stretchMode;
    create.middle = m_params.middle;
    create.textRecord = m_label.GetTextBuffer();
    create.contentBitmap = m_params.icon ? m_label.GetImage(0) : nullptr;
    create.level = m_params.level;
    CSkinControl::Create(create);
    Update(false, false);
    m_paintedState.Update(int(m_stateFlags));
    m_paintedIcon.Update(m_params.iconId);
    Paint();
    return 0;
}

double CValueControl::PositionToFraction(int32_t position) const
{
    return double(kLimit + position) / (2.0 * kLimit);
}

double CValueControl::PositionToValue(int32_t position) const
{
    const double value =
        m_params.minimum + PositionToFraction(position) * (double(m_params.maximum) - m_params.minimum);
    const int steps = m_params.stepsPerUnit;
    if (steps == 0)
        return value;
    const double scaled = value * steps;
    // + 0.0: a value rounded to zero from below is 0, never -0 (a label would show its sign).
    return std::trunc(scaled >= 0 ? scaled + 0.5 : scaled - 0.5) / steps + 0.0;
}

int32_t CValueControl::ValueToPosition(double value) const
{
    const double range = double(m_params.maximum) - m_params.minimum;
    const double span = (value - m_params.minimum) / range * (2.0 * kLimit);
    // An empty range (or a value that is no number) has no place but the middle.
    if (range == 0 || std::isnan(span))
        return 0;
    return int32_t(std::trunc(std::min(std::max(span, 0.0), 2.0 * kLimit))) - kLimit;
}

int CValueControl::OnMouse(const MouseEvent& event)
{
    using Action = MouseEvent::Action;
    const bool left = event.button == MouseEvent::Button::Left;
    Outcome out;
    switch (event.action) {
    case Action::DoubleClick:
        if (left) {
            Notify(NotifyCode::DoubleClick);
            Press();
        }
        break;
    case Action::Press:
        if (left)
            Press();
        else
            RightPress(out);
        break;
    case Action::Move: Move(out); break;
    case Action::Release:
        if (left)
            LeftRelease(out);
        else
            RightRelease();
        break;
    case Action::CaptureLost: CaptureLost(out); break;
    case Action::Wheel: Wheel(event.wheelSteps, event.raw.data, out); break;
    case Action::Enter: m_stateFlags |= SkinState::kHover; break;
    case Action::Leave: m_stateFlags &= ~SkinState::kHover; break;
    }
    return Settle(out);
}

int CValueControl::OnCommand(const CommandEvent& event)
{
    HandleCommand(event.raw.code, event.value, event.raw.p2);
    return Settle(Outcome());
}

// Any other event settles too: a state set from outside shows at the next one.
int CValueControl::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    Outcome out;
    if (code == WindowEvent::Destroyed && m_dragging)
        Release(out);
    return Settle(out);
}

void CValueControl::LeftRelease(Outcome& out)
{
    if (!m_releasedByCaptureLoss)
        Release(out);
    m_releasedByCaptureLoss = false;
}

void CValueControl::RightRelease()
{
    if (!m_dragging && m_rightArmed)
        Notify(NotifyCode::RightUp);
    m_rightArmed = false;
}

void CValueControl::Wheel(int steps, void* result, Outcome& out)
{
    if (!m_params.wheel || m_dragging)
        return;
    SetPosition(int64_t(m_position) + int64_t(steps) * kWheelStep, out);
    out.changed = true;
    if (result)
        *static_cast<LRESULT*>(result) = 1;
}

int CValueControl::Settle(const Outcome& out)
{
    const bool stateChanged = m_paintedState.Update(int(m_stateFlags)) != 0;
    const bool iconChanged = m_paintedIcon.Update(m_params.iconId) != 0;
    if (stateChanged || iconChanged || out.changed || out.final) {
        Update(out.changed, out.final);
        RefreshContent();
        Paint();
    }
    return 0;
}

void CValueControl::HandleCommand(int code, int p1, int p2)
{
    switch (code) {
    case ControlCommand::Place: PlaceBothRecords(m_params, p2); break;
    case ControlCommand::Rebuild:
        if (m_window.IsShownAndNotMinimized()) {
            Update(false, false);
            m_paintedState.Set(-1);
        }
        break;
    case ControlCommand::SetImage: m_params.iconId = p1; break;
    case ControlCommand::Show: m_window.Show(p1 != 0); break;
    case ControlCommand::Disable:
        m_params.disabled = p1 != 0;
        m_window.SetDisabled(p1 != 0);
        Update(false, false);
        m_paintedState.Set(-1);
        break;
    case ControlCommand::Emphasis:
        m_params.emphasis = p1 != 0;
        m_create.kind = m_params.emphasis ? kSkinSmallButton : kSkinButton;
        break;
    }
}

void CValueControl::Notify(int32_t code, void* data)
{
    NotifyParent(code, code == ValueControlNotify::Label ? ValueControlNotify::kLabelTag : 0, 0, data);
}

void CValueControl::Update(bool changed, bool final)
{
    const double value = PositionToValue(m_position);
    ValueLabel label = {changed, final, float(value), m_params.format1.c_str(), m_params.format2.c_str(), "", ""};
    FormatValue(label.text1, label.format1, value);
    if (!m_params.format2.empty())
        FormatValue(label.text2, label.format2, value);
    Notify(ValueControlNotify::Label, &label);

    TextImageRequest request;
    request.x = m_params.place.x;
    request.y = m_params.place.y;
    request.width = m_params.place.width;
    request.height = m_params.place.height;
    request.icon = m_params.icon;
    request.iconId = m_params.iconId;
    request.option = m_params.option;
    request.disabled = m_params.disabled;
    request.text = label.text1;
    request.secondText = label.text2;
    request.stretchMode = m_params.stretchMode;
    request.middle = m_params.middle;
    request.skin = m_create.skin;
    m_label.Render(request);
    m_filled.Create(m_params.place.width, m_params.place.height, 32);
    m_empty.Create(m_params.place.width, m_params.place.height, 32);
    m_labelText = label.text1;
    m_window.SetText(m_labelText.c_str());
}

void CValueControl::RefreshContent()
{
    const bool pressed = (m_stateFlags & SkinState::kPressed) != 0;
    SetContentBitmap(m_params.icon ? m_label.GetImage(pressed ? 1 : 0) : nullptr);
}

void CValueControl::DrawFace(CBitmapDC& target, uint32_t state)
{
    SkinDrawRequest request = {};
    request.target = &target;
    request.background = BackgroundSource(request.backgroundX, request.backgroundY);
    request.overlay = m_create.contentBitmap;
    request.text = m_text;
    request.color = m_colour;
    request.stateFlags = state;
    // Faint at rest, whole while pressed or under the cursor.
    const bool atRest = (m_stateFlags & (SkinState::kPressed | SkinState::kHover)) == 0;
    request.level = atRest ? m_params.level : kUnity;
    request.dimmed = m_params.disabled;
    request.kind = m_create.kind;
    request.stretchMode = m_params.stretchMode;
    request.middle = m_params.middle;
    CTextBuffer* record = m_label.GetTextBuffer();
    if (record->width >= 1 && record->height >= 1)
        request.textRecord = record;
    m_create.skin->DrawElement(request);
}

void CValueControl::Paint()
{
    CBitmapDC* back = m_window.GetBackBitmap();
    if (!m_create.skin || !back || !back->IsCreated())
        return;
    const uint32_t state = m_stateFlags;
    const bool pressed = (state & SkinState::kPressed) != 0;
    // The filled part is lit (more while pressed); a disabled one shows the other checked picture.
    uint32_t filled = state | SkinState::kChecked | SkinState::kLightA | (pressed ? SkinState::kLightB : 0);
    if (m_params.disabled)
        filled = ((state | (pressed ? SkinState::kLightB : 0)) & ~SkinState::kLightA) | SkinState::kAltChecked |
                 SkinState::kChecked;
    DrawFace(m_filled, filled);
    DrawFace(m_empty, state);
    const int width = back->GetWidth();
    const int height = back->GetHeight();
    const int split = std::min(std::max(int(PositionToFraction(m_position) * width) + (pressed ? 1 : 0), 0), width);
    if (split > 0)
        back->CopyFrom(m_filled, 0, 0, split, height, 0, 0);
    if (split < width)
        back->CopyFrom(m_empty, split, 0, width - split, height, split, 0);
    if (m_params.transparent && m_params.place.container && m_params.place.container->GetWindow())
        m_params.place.container->GetWindow()->ShowBitmap(back, 0, 0, width, height, GetOffsetX(), GetOffsetY());
    else
        m_window.ShowBitmap(back, 0, 0, width, height, 0, 0);
}
