// The popup's rows as the mouse, the wheel and the timers move them.
#include "common/CTickSource.h"
#include "common/DebugTrace.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/CDropListItemList.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include <algorithm>

namespace {
const int kLeftButton = 1; // CPhysicalWindow::GetMouseButtons
const int kRightButton = 2;
const int kTipInset = 4; // a tip of a scrolling popup starts this far inside its right edge

bool IsSelectable(const CDropListItem& item)
{
    return !item.disabled && !item.caption && !item.separator && !item.spacer;
}
} // namespace

int CDropList::RowAt(int x, int y) const
{
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r]->Contains(x, y))
            return static_cast<int>(r);
    return -1;
}

CDropListItem* CDropList::ItemOfRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || !m_open.items)
        return nullptr;
    return m_open.items->ItemAt(m_firstVisible + row);
}

void CDropList::ClampFirstVisible()
{
    m_firstVisible = std::max(0, std::min(m_firstVisible, ItemCount() - m_open.visibleRows));
}

void CDropList::SyncScrollBar()
{
    if (m_scrollBar)
        m_scrollBar->SetPosition(m_firstVisible);
}

void CDropList::RefreshRows()
{
    bool iconColumn = false;
    for (int32_t i = 0; i < ItemCount() && !iconColumn; ++i) {
        const CDropListItem* item = m_open.items->ItemAt(i);
        iconColumn = item && item->marked;
    }
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const CDropListItem* item = ItemOfRow(static_cast<int>(r));
        const bool caption = item && item->caption;
        const bool selected = item && !caption && item->index == m_hovered;
        m_rows[r]->SetItem(item, selected, caption ? m_captionFont : m_rowFont, iconColumn);
    }
}

void CDropList::RenderRows()
{
    for (auto& row : m_rows)
        row->Render();
}

void CDropList::ScrollTo(int32_t first, BarSync bar)
{
    const int32_t before = m_firstVisible;
    m_firstVisible = first;
    ClampFirstVisible();
    if (m_firstVisible == before)
        return;
    RefreshRows();
    RenderRows();
    if (bar == BarSync::Move)
        SyncScrollBar();
    m_popup.Invalidate();
}

void CDropList::SetHovered(int32_t index, bool redraw)
{
    m_hovered = index;
    RefreshRows();
    if (redraw) {
        RenderRows();
        m_popup.Invalidate();
    }
}

void CDropList::TrackHover(int x, int y, bool redraw)
{
    if (m_captured && !m_rows.empty()) {
        const DropListRowGeometry& first = m_rows.front()->GetGeometry();
        const DropListRowGeometry& last = m_rows.back()->GetGeometry();
        if (y < first.y - 1)
            ScrollTo(m_firstVisible - 1, BarSync::Move);
        else if (y > last.y + last.height + 1)
            ScrollTo(m_firstVisible + 1, BarSync::Move);
    }
    const CDropListItem* item = ItemOfRow(RowAt(x, y));
    if (item && item->index != m_hovered && !item->caption)
        SetHovered(item->index, redraw);
}

void CDropList::TrackToolTip()
{
    if (!m_popup.IsCursorOverWindow())
        return;
    int x = 0, y = 0;
    m_popup.GetCursorClientPos(x, y);
    const int buttons = CPhysicalWindow::GetMouseButtons();
    if (buttons != m_tipButtons) {
        m_tipButtons = buttons;
        m_tipArmed = false;
    }
    const uint32_t now = m_ticks->Now();
    if (x != m_tipX || y != m_tipY) {
        m_tipX = x;
        m_tipY = y;
        m_tipTime = now;
    }
    const int row = RowAt(x, y);
    const CDropListItem* item = ItemOfRow(row);
    if (item != m_tipItem) {
        m_tipItem = item;
        m_tipArmed = true;
    }
    if (!m_tipArmed || row < 0 || now - m_tipTime <= kTipDelayMs)
        return;
    m_tipArmed = false;
    if (item && !item->toolTip.empty())
        ShowTipFor(row, *item);
}

void CDropList::ShowTipFor(int row, const CDropListItem& item)
{
    const DropListRowGeometry& g = m_rows[row]->GetGeometry();
    POINT point = {m_needsScroll ? m_open.width - kTipInset : g.x + g.width, g.y};
    ClientToScreen(m_popup.GetHwnd(), &point);
    ToolTipPlacement placement = ToolTipPlacement::TopLeft;
    const int crossed = m_container.CheckToolTipPlacement(item.toolTip.c_str(), point.x, point.y, placement);
    if (crossed & ToolTipCrossing::Right) {
        point = POINT{g.x, g.y};
        ClientToScreen(m_popup.GetHwnd(), &point);
        placement = ToolTipPlacement::TopRight;
    }
    m_container.ShowToolTipFor(this, item.toolTip.c_str(), point.x, point.y, placement);
}

void CDropList::SelectRow(int row)
{
    DebugTrace("Selected Current Display Item %i\n", row);
    CDropListItem* item = ItemOfRow(row);
    if (!item)
        return;
    // The released row is the choice, even when no move hovered it first.
    m_hovered = item->index;
    m_open.items->selected = m_hovered;
    ControlNotification record;
    record.kind = DropListNotify::Kind;
    record.code = DropListNotify::Selected;
    record.controlId = item->value;
    record.data1 = item->index;
    record.data2 = m_open.cookie;
    record.data3 = item;
    record.sender = this;
    CListener* to = item->listener ? item->listener : m_open.owner;
    if (to)
        to->OnNotify(&record);
}

void CDropList::ButtonDown(MouseEvent::Button button, POINT at)
{
    DebugTrace("dwMouseButtonDown=%i\n", m_buttonsAtOpen);
    const int mask = button == MouseEvent::Button::Left ? kLeftButton : kRightButton;
    if (m_open.closeOnOtherButton && !(m_buttonsAtOpen & mask)) {
        Close();
        return;
    }
    if (RowAt(at.x, at.y) >= 0) {
        m_popup.SetCapture(true);
        m_captured = true;
    }
}

void CDropList::ButtonUp(POINT at)
{
    if (m_popup.HasCapture())
        m_popup.SetCapture(false);
    m_captured = false;
    const int row = RowAt(at.x, at.y);
    if (row < 0) {
        m_open.closeOnOtherButton = 0;
        return;
    }
    const CDropListItem* item = ItemOfRow(row);
    if (!item || !IsSelectable(*item))
        return;
    SelectRow(row);
    m_popup.PostDeferredClose();
}

void CDropList::Wheel(int steps)
{
    m_firstVisible -= steps;
    ClampFirstVisible();
    DebugTrace("scrollpos: %i\n", m_firstVisible);
    SyncScrollBar();
    RefreshRows();
    int x = 0, y = 0;
    m_popup.GetCursorClientPos(x, y);
    TrackHover(x, y, false);
    RenderRows();
    m_popup.Invalidate();
}

int CDropList::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (sender == &m_container && source == EventSource::Relayed) {
        if (code == WindowEvent::Created && m_opened)
            Build();
        return 0;
    }
    if (source != EventSource::Window || !m_popup.IsCreated())
        return 0;
    return Deliver({sender, source, code, p1, p2, data});
}

int CDropList::OnMouse(const MouseEvent& event)
{
    if (!m_isOpen)
        return 0;
    switch (event.action) {
    case MouseEvent::Action::Move:
        m_popup.SetTimer(kHoverTimer, kHoverPeriodMs);
        TrackHover(event.at.x, event.at.y, true);
        break;
    case MouseEvent::Action::Press: ButtonDown(event.button, event.at); break;
    case MouseEvent::Action::Release: ButtonUp(event.at); break;
    case MouseEvent::Action::Wheel: Wheel(event.wheelSteps); break;
    default: break;
    }
    return 0;
}

int CDropList::HandleEvent(CControl* control, int code, int p1, int p2, void* data)
{
    if (code == WindowEvent::Destroyed) {
        Teardown();
        return 0;
    }
    if (!m_isOpen)
        return 0;
    switch (code) {
    case WindowEvent::Activate:
        // Still the active window while it hears of its deactivation: hidden
        // now, it would make the system activate its owner, taking the
        // activation and the keyboard from the window the user chose.
        if (p1 == 0)
            m_popup.PostDeferredClose();
        break;
    case WindowEvent::Timer: OnTimer(static_cast<UINT_PTR>(p1)); break;
    }
    return 0;
}

void CDropList::OnTimer(UINT_PTR id)
{
    if (id == kHoverTimer && m_captured) {
        int x = 0, y = 0;
        m_popup.GetCursorClientPos(x, y);
        TrackHover(x, y, true);
    } else if (id == kTipTimer) {
        TrackToolTip();
    }
}
