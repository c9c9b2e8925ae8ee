#include "gui/controls/CScrollBarControl.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/window/WindowEvent.h"
#include <algorithm>

namespace {
const uint32_t kTrackFill = 0x808080;
const UINT kFirstRepeatMs = 250; // a held press pages again after this ...
const UINT kRepeatMs = 100;      // ... and then this often
const uint32_t kFocusedLook = 0x2;
const int kLookShift = 20; // the state flags above any thumb offset in the redraw key
const double kRound = 0.5;
} // namespace

CScrollBarControl::CScrollBarControl()
    : m_pressY(0), m_offsetAtPress(0), m_thumbOffset(-1), m_travel(0), m_thumbLength(0), m_trackLength(0),
      m_trackStart(0), m_desired(0), m_dragging(false), m_paging(false)
{}

int CScrollBarControl::Create(const ScrollBarParams& params)
{
    m_bar = params;
    m_thumbOffset = -1;
    m_dragging = m_paging = false;
    if (!m_bar.background) {
        m_bar.backgroundX = params.place.x;
        m_bar.backgroundY = params.place.y;
        if (params.place.parent)
            m_bar.background = params.place.parent->GetWindow()->GetBackBitmap();
        else if (params.place.container)
            m_bar.background = params.place.container->GetSurface();
    }
    ControlCreateParams control;
    control.place = params.place;
    control.controlId = params.controlId;
    control.notifyKind = ScrollBarNotify::Kind;
    control.listener = params.listener;
    control.skin = params.place.container ? params.place.container->GetSkinRenderer() : nullptr;
    control.kind = kSkinScrollTrack;
    control.background = m_bar.background;
    control.sourceX = m_bar.backgroundX;
    control.sourceY = m_bar.backgroundY;
    m_bar.position = std::max(0, std::min(m_bar.position, LargestPosition()));
    CSkinControl::Create(control);
    Draw(Layout::Recompute);
    return 0;
}

int32_t CScrollBarControl::LargestPosition() const
{
    // In 64 bits: a hostile range and page must not wrap around each other.
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(m_bar.range) - m_bar.page, 0, INT32_MAX));
}

int32_t CScrollBarControl::ThumbOffsetFromPosition() const
{
    const int32_t largest = LargestPosition();
    return largest > 0 ? static_cast<int32_t>(double(m_travel) / largest * m_bar.position) : 0;
}

int32_t CScrollBarControl::PositionFromOffset(int32_t offset) const
{
    return m_travel > 0 ? static_cast<int32_t>(double(offset) / m_travel * LargestPosition() + kRound) : 0;
}

int32_t CScrollBarControl::PositionFromPoint(int y) const
{
    if (m_travel <= 0)
        return 0;
    const double f = (y - m_trackStart - m_thumbLength / 2.0) / m_travel;
    return PositionFromOffset(static_cast<int32_t>(m_travel * std::max(0.0, std::min(1.0, f))));
}

SkinInsets CScrollBarControl::QueryInsets(int kind)
{
    return QuerySkinElement(m_create.skin, this, kind, m_create.place.width, m_create.place.height).contentInsets;
}

SkinInsets CScrollBarControl::MeasureTrack()
{
    const SkinInsets thumb = QueryInsets(kSkinScrollThumb);
    const SkinInsets track = QueryInsets(kSkinScrollTrack);
    const float ratio = m_bar.range > m_bar.page ? float(m_bar.page) / float(m_bar.range) : 1.0f;
    m_trackStart = track.top;
    m_trackLength = std::max(0, m_create.place.height - track.top - track.bottom);
    m_thumbLength = std::max(static_cast<int32_t>(m_trackLength * ratio), thumb.top + thumb.bottom);
    m_travel = std::max(0, m_trackLength - m_thumbLength);
    return track;
}

void CScrollBarControl::Draw(Layout layout)
{
    CBitmapDC* target = m_window.GetBackBitmap();
    const SkinInsets track = MeasureTrack();
    if (layout == Layout::Recompute)
        m_thumbOffset = ThumbOffsetFromPosition();
    if (!target || !m_create.skin)
        return;
    target->Fill(kTrackFill);
    SkinDrawRequest request = {};
    request.target = target;
    request.background = m_bar.background;
    request.backgroundX = m_bar.backgroundX;
    request.backgroundY = m_bar.backgroundY;
    request.stateFlags = m_stateFlags;
    request.level = m_create.level;
    request.kind = kSkinScrollTrack;
    m_create.skin->DrawElement(request);
    const int top = m_trackStart + m_thumbOffset;
    // The thumb lies on the track: restoring what is behind the bar would show through its corners.
    request.background = nullptr;
    request.kind = kSkinScrollThumb;
    request.rect = RECT{track.left, top, m_create.place.width - track.right, top + m_thumbLength};
    request.rectValid = 1;
    m_create.skin->DrawElement(request);
    m_window.Invalidate();
}

void CScrollBarControl::SetPosition(int32_t position)
{
    position = std::clamp(position, 0, LargestPosition()); // no thumb place lies outside the range
    if (position == m_bar.position)
        return;
    m_bar.position = position;
    m_thumbOffset = ThumbOffsetFromPosition();
    Draw(Layout::Keep);
}

void CScrollBarControl::NotifyPosition(int32_t position)
{
    if (m_notified.Update(position))
        NotifyParent(ScrollBarNotify::Position, position);
}

void CScrollBarControl::PageToDesired(int32_t desired, int32_t page)
{
    DebugTrace("CScrollBarControl::PageToDesired: %i\n", desired);
    // A page below one unit would never arrive, or would page away from the cursor.
    const int64_t step = std::max(page, 1);
    if (m_bar.position < desired)
        m_bar.position = static_cast<int32_t>(std::min(m_bar.position + step, int64_t(desired)));
    else if (m_bar.position > desired)
        m_bar.position = static_cast<int32_t>(std::max(m_bar.position - step, int64_t(desired)));
    NotifyPosition(m_bar.position);
    Draw(Layout::Recompute);
}

void CScrollBarControl::Press(int y)
{
    m_window.SetCapture(true);
    const int32_t position = PositionFromOffset(m_thumbOffset);
    m_notified.Set(position);
    NotifyParent(ScrollBarNotify::Press, position);
    m_window.SetFocus();
    const int top = m_trackStart + m_thumbOffset;
    if (y > top && y < top + m_thumbLength) {
        m_pressY = y;
        m_dragging = true;
        m_stateFlags |= SkinState::kPressed;
        m_offsetAtPress = m_thumbOffset;
        return;
    }
    m_paging = true;
    m_desired = PositionFromPoint(y);
    PageToDesired(m_desired, m_bar.page);
    m_window.SetTimer(kPagingTimer, kFirstRepeatMs);
    Draw(Layout::Keep);
}

void CScrollBarControl::Release()
{
    m_dragging = m_paging = false;
    m_window.KillTimer(kPagingTimer);
    m_window.SetCapture(false);
    m_stateFlags &= ~SkinState::kPressed;
    m_bar.position = PositionFromOffset(m_thumbOffset);
    m_thumbOffset = ThumbOffsetFromPosition();
    NotifyParent(ScrollBarNotify::Release, PositionFromOffset(m_thumbOffset));
}

void CScrollBarControl::Move(int y)
{
    if (m_dragging) {
        m_thumbOffset = std::max(0, std::min(y - m_pressY + m_offsetAtPress, m_travel));
        NotifyPosition(PositionFromOffset(m_thumbOffset));
    } else if (m_paging) {
        m_desired = PositionFromPoint(y);
    }
}

void CScrollBarControl::Wheel(int steps)
{
    if (m_dragging || m_paging)
        return;
    m_bar.position = std::max(0, std::min(m_bar.position - steps, LargestPosition()));
    m_thumbOffset = ThumbOffsetFromPosition();
    Draw(Layout::Keep);
    NotifyPosition(m_bar.position);
}

int CScrollBarControl::OnMouse(const MouseEvent& event)
{
    const bool left = event.button == MouseEvent::Button::Left;
    int taken = 0;
    switch (event.action) {
    case MouseEvent::Action::Press:
    case MouseEvent::Action::DoubleClick:
        if (left)
            Press(event.at.y);
        break;
    case MouseEvent::Action::Release:
        if (left)
            Release();
        break;
    case MouseEvent::Action::Move: Move(event.at.y); break;
    case MouseEvent::Action::Wheel:
        Wheel(event.wheelSteps);
        taken = 1; // no parent scrolls by the same steps again
        break;
    default: break;
    }
    Settle();
    return taken;
}

int CScrollBarControl::OnCommand(const CommandEvent& event)
{
    if (event.raw.code == ControlCommand::Place && event.rect)
        PlaceRecord(m_create.place, *event.rect);
    else if (event.raw.code == ControlCommand::Rebuild)
        m_drawnLook.Set(-1);
    Settle();
    return 0;
}

// Timers and focus; any other event redraws a look changed from outside too.
int CScrollBarControl::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    if (code == WindowEvent::Timer && static_cast<UINT_PTR>(p1) == kPagingTimer && m_paging) {
        DebugTrace("timer\n");
        PageToDesired(m_desired, m_bar.page);
        m_window.SetTimer(kPagingTimer, kRepeatMs);
    } else if (code == WindowEvent::Focus) {
        m_stateFlags = p1 ? (m_stateFlags | kFocusedLook) : (m_stateFlags & ~kFocusedLook);
    }
    Settle();
    return 0;
}

void CScrollBarControl::Settle()
{
    if (m_drawnLook.Update(static_cast<int>((m_stateFlags << kLookShift) + m_thumbOffset)))
        Draw(m_dragging ? Layout::Keep : Layout::Recompute);
}
