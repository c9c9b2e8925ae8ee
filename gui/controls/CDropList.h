#pragma once
#include "gui/controls/CControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/CDropListRow.h"
#include "gui/controls/ControlNotification.h"
#include "gui/controls/CScrollBarControl.h"
#include <cstdint>
#include <memory>
#include <vector>

class CDropListItemList;
class CSkinRenderer;
class CTickSource;
struct CDropListItem;

// What the opener hands CDropList::Open; the popup keeps a copy.
struct DropListOpenParams {
    int32_t x = 30; // screen position of the top-left corner
    int32_t y = 30;
    int32_t width = 200;
    int32_t height = 200; // computed by the layout
    CSkinRenderer* renderer = nullptr;
    CListener* owner = nullptr; // hears the selection and the close
    CPhysicalWindow* host = nullptr;
    int32_t visibleRows = 5; // most lines shown at once
    CDropListItemList* items = nullptr;
    // Monitor test flags (DropListPlacement); also the window's clamp flags.
    int32_t placement = 1;
    uint8_t swallowClosingClick = 0;
    HWND nativeParent = nullptr;
    int32_t rowHeight = 0;       // minimum; 0: from the font
    int32_t captionHeight = 0;   // minimum; 0: from the caption font
    int32_t separatorHeight = 0; // 0: 0.67 of a row
    int32_t spacerHeight = 0;    // 0: a third of a row
    int32_t scrolls = 0;         // computed: not every item fits
    int32_t cookie = 0;          // the owner's, handed back with the selection
    uint8_t alternateFrame = 0;  // frame kind 8 instead of 7
    uint8_t notAMenu = 0;        // 0: the window is the open popup menu; 1: an ordinary popup, activated
    uint8_t closeOnOutsideClick = 0;
    uint8_t closeOnOtherButton = 0; // a press of a button not held at opening closes
};

// Bits of DropListOpenParams::placement for CDropList::FitToMonitor.
namespace DropListPlacement {
enum : int32_t { SkipVertical = 2, SkipHorizontal = 4, WorkArea = 8, CursorMonitor = 16 };
}

// What the popup tells its owner (kind DropListNotify::Kind). A selection
// carries the item's value as control id, data1 its index, data2 the cookie
// and data3 the item; the item's own listener hears it instead when it has one.
namespace DropListNotify {
enum : int32_t { Kind = NotifyKind::DropList, Selected = NotifyCode::Selected, Closed = 11 };
// The drop-list box takes its buttons' records like the popup's: a button's
// pressed look going off reads as the list closing.
static_assert(int(Closed) == int(NotifyCode::Cancelled), "a box button's cancel is the list's close");
} // namespace DropListNotify

// The list that drops down under a drop list box or a popup menu: a popup
// window of its own with one row per visible line, a scroll bar when the
// items do not all fit, hover highlighting, scrolling while the button is
// held near an edge (timer kHoverTimer), the wheel, tips for the hovered item
// (timer kTipTimer) and the selection. It shows an item list its owner keeps.
//
// Closed -> Open -> built when the container reports the window -> a
// selection, deactivation or a foreign button closes it -> on Destroyed the
// rows go and the owner hears {Kind, Closed} once -> closed; the same object
// opens again. All input is ignored while it is not open. GUI thread only.
class CDropList : public CControl, public CObjectBase {
public:
    static const UINT_PTR kHoverTimer = 50;
    static const UINT kHoverPeriodMs = 150;
    static const UINT_PTR kTipTimer = 70;
    static const UINT kTipPeriodMs = 10;
    static const uint32_t kTipDelayMs = 400;

    CDropList();
    ~CDropList() override;

    // Ignored while open, or without items or renderer.
    void Open(const DropListOpenParams& params);
    // Takes the mouse capture for the popup; openers call it right after Open.
    void BeginCapture();
    // Lays the popup out and, when the rectangle's monitor is too low for it,
    // fewer rows; the sides of that monitor the rectangle crosses (1 left,
    // 2 right, 4 top, 8 bottom; 16 when the monitor cannot be read).
    uint32_t FitToMonitor(DropListOpenParams& params);
    // Fills the computed fields of params from the fonts and the items.
    void ComputeLayout(DropListOpenParams& params);

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    int OnNotify(void* record) override;

    // Null restores the system tick count.
    void SetTickSource(CTickSource* ticks);
    // The opener's press is over: from now on no button closes the popup by itself.
    void ClearCloseOnOtherButton() { m_open.closeOnOtherButton = 0; }

    bool IsOpen() const { return m_isOpen != 0; }
    int32_t GetFirstVisible() const { return m_firstVisible; }
    int32_t GetHovered() const { return m_hovered; }
    const DropListOpenParams& GetOpenParams() const { return m_open; }
    const std::vector<std::unique_ptr<CDropListRow>>& GetRows() const { return m_rows; }
    CScrollBarControl* GetScrollBar() { return m_scrollBar.get(); }
    CPhysicalWindow& GetPopupWindow() { return m_popup; }
    CControlContainer& GetPopupContainer() { return m_container; }
    // -1 when no row holds the point (client coordinates).
    int RowAt(int x, int y) const;

protected:
    int OnMouse(const MouseEvent& event) override;
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;

private:
    void Build();
    void DrawFrame();
    int FrameKind() const;
    void MakeRows();
    void Teardown();
    void Close();
    void HandBackActivation();
    void RefreshRows();
    void RenderRows();
    void ClampFirstVisible();
    void SyncScrollBar();
    // Keep: the bar itself asked, and its thumb stays where its drag put it.
    enum class BarSync { Move, Keep };
    void ScrollTo(int32_t first, BarSync bar);
    CDropListItem* ItemOfRow(int row) const;
    int32_t ItemCount() const;
    void SetHovered(int32_t index, bool redraw);
    void TrackHover(int x, int y, bool redraw);
    void TrackToolTip();
    void ShowTipFor(int row, const CDropListItem& item);
    void SelectRow(int row);
    void ButtonDown(MouseEvent::Button button, POINT at);
    void ButtonUp(POINT at);
    void Wheel(int steps);
    void OnTimer(UINT_PTR id);

    CPhysicalWindow m_popup;
    CControlContainer m_container;
    DropListOpenParams m_open;
    std::unique_ptr<CScrollBarControl> m_scrollBar;
    std::vector<std::unique_ptr<CDropListRow>> m_rows;
    int32_t m_hovered;
    bool m_needsScroll;
    int32_t m_firstVisible;
    bool m_captured;
    const CSkinFont* m_rowFont;
    const CSkinFont* m_captionFont;
    uint8_t m_isOpen;
    uint8_t m_opened; // Open ran and the teardown did not yet
    CTickSource* m_ticks;
    uint32_t m_tipTime;
    const CDropListItem* m_tipItem;
    int32_t m_tipX;
    int32_t m_tipY;
    int m_tipButtons;
    bool m_tipArmed;
    int m_buttonsAtOpen;
    HWND m_activeAtOpen; // this thread's active window when the list opened; none where another program's was
};
