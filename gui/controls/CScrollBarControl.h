#pragma once
#include "common/CTrackedValue.h"
#include "gui/controls/CSkinControl.h"
#include <cstdint>

// The record of CScrollBarControl::Create.
struct ScrollBarParams {
    ControlPlacement place;
    int32_t controlId = 0;
    CListener* listener = nullptr; // when set, hears every notification
    int32_t range = 0;             // units in all
    int32_t page = 0;              // units visible at once
    int32_t position = 0;          // first visible unit, 0 .. range - page
    // Null: the parent control's back bitmap, else the container's surface,
    // at the bar's own place.
    const CBitmapDC* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
};

// What the bar tells its owner (kind ScrollBarNotify::Kind, data1 the position).
namespace ScrollBarNotify {
enum : int32_t {
    Kind = NotifyKind::ScrollBar,
    Press = 6,
    Release = 7,
    Position = 8 // sent once per new position
};
}

// The toolkit's vertical scroll bar: a skinned track with a thumb as long as
// the visible share. The thumb is dragged; a press on the track pages towards
// the cursor at once, then on timer kPagingTimer after 250 ms and every 100 ms
// while the button is held; the wheel moves by whole units. A bar whose range
// does not exceed its page has nothing to scroll and stays at position 0.
// GUI thread only.
class CScrollBarControl : public CSkinControl, public CObjectBase {
public:
    static const UINT_PTR kPagingTimer = 50;

    CScrollBarControl();

    int Create(const ScrollBarParams& params);
    // Moves the thumb without telling anyone.
    void SetPosition(int32_t position);
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;

    int32_t GetPosition() const { return m_bar.position; }
    int32_t GetThumbOffset() const { return m_thumbOffset; }
    int32_t GetThumbLength() const { return m_thumbLength; }
    int32_t GetTravel() const { return m_travel; }
    int32_t GetTrackStart() const { return m_trackStart; }
    bool IsDragging() const { return m_dragging; }
    bool IsPaging() const { return m_paging; }

protected:
    int OnMouse(const MouseEvent& event) override; // 1 for a wheel turn
    int OnCommand(const CommandEvent& event) override;

private:
    void Settle(); // redraws when the look or the thumb moved
    enum class Layout { Keep, Recompute };

    void Draw(Layout layout);
    // The track's insets; sets the track and thumb measures.
    SkinInsets MeasureTrack();
    SkinInsets QueryInsets(int kind);
    int32_t LargestPosition() const;
    int32_t ThumbOffsetFromPosition() const;
    int32_t PositionFromOffset(int32_t offset) const;
    int32_t PositionFromPoint(int y) const;
    void PageToDesired(int32_t desired, int32_t page);
    void NotifyPosition(int32_t position);
    void Press(int y);
    void Release();
    void Move(int y);
    void Wheel(int steps);

    ScrollBarParams m_bar;
    int32_t m_pressY;
    int32_t m_offsetAtPress;
    int32_t m_thumbOffset; // pixels from the track's start
    int32_t m_travel;      // track length - thumb length
    int32_t m_thumbLength;
    int32_t m_trackLength;
    int32_t m_trackStart;
    CTrackedValue m_notified;  // the position last told
    CTrackedValue m_drawnLook; // state flags and thumb offset last drawn
    int32_t m_desired;         // where paging goes
    bool m_dragging;
    bool m_paging;
};
