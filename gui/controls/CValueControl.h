#pragma once
#include "common/CMovingAverage.h"
#include "common/CTickSource.h"
#include "common/CTrackedValue.h"
#include "gui/controls/CSkinControl.h"
#include "gui/controls/CTextImage.h"
#include "gui/CObjectBase.h"
#include "gui/ToolkitConventions.h"
#include <cstdint>
#include <string>

// The record of CValueControl::Create, kept whole by the control.
struct ValueControlParams {
    ControlPlacement place; // its container gives the skin
    int32_t level = kUnity; // the face's opacity while neither pressed nor hovered
    uint8_t visible = 1;
    uint8_t disabled = 0; // greys the label; changed by ControlCommand::Disable
    int32_t controlId = 0;
    CListener* listener = nullptr; // null: notifications go up to the container
    uint8_t icon = 0;              // the label shows skin picture iconId
    int32_t iconId = -1;           // changed by ControlCommand::SetImage
    uint8_t option = 0;            // handed to the label
    // printf formats of the label's two texts, applied to the value as a
    // double; one floating conversion at most (anything else shows no text).
    std::string format1 = "%g";
    std::string format2;
    StretchMode stretchMode = StretchMode::Corners;
    int32_t middle = 0;
    float minimum = 0.0f; // the value at the leftmost position
    float maximum = 100.0f;
    int32_t stepsPerUnit = 1; // values rounded to 1/steps, halves away from zero; 0 = not rounded
    // Null: the parent's back bitmap at (x, y), or without a parent the
    // container's surface at the control's place.
    const CBitmapDC* background = nullptr;
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    float initialValue = 50.0f;
    uint8_t transparent = 0; // the face is shown on the container's window instead
    uint8_t emphasis = 0;    // the emphasised face; changed by ControlCommand::Emphasis
    uint8_t wheel = 0;       // the mouse wheel changes the value
    std::string toolTipText;
};

// What the control tells its owner whenever it formats its label
// (ValueControlNotify::Label, data1 kValueLabelTag, data3 this record); the
// owner may rewrite both texts before they are shown.
struct ValueLabel {
    uint8_t changed; // the position moved since the last label
    uint8_t final;   // the drag ended
    float value;
    const char* format1;
    const char* format2;
    std::string text1;
    std::string text2;
};

namespace ValueControlNotify {
enum : int32_t { Label = 1 };
const int32_t kLabelTag = 115; // data1 of a label record
} // namespace ValueControlNotify

// A horizontal bar the user drags: it fills from the left in proportion to
// the value and shows the value formatted over it.
//
// The value is held as a position in -kLimit..kLimit (minimum..maximum).
// A left press starts a relative drag: the cursor is hidden and parked on
// its monitor (mid-width, near the edge away from the press) and every move
// steps by the pixels moved times a factor that grows as the moves come
// faster (1 per pixel at 150 ms and more between moves, 128 per pixel under
// 10 ms, averaged over the last ten moves after the first two; Ctrl counts
// the moves as ten times slower). Moving back to within 20 pixels of the
// press height shows the cursor and switches to absolute mode, where the
// control's width spans the whole range from the value reached (a tenth of
// it with Ctrl, the anchor moving when Ctrl changes so the value never
// jumps). A release, or the capture going to another window, ends the drag,
// a right press cancels it to the value at the press; all put the cursor
// back where the press was. The wheel, when enabled, moves 1/64 of
// the range per step. Every way out of a drag, destruction included, shows
// a hidden cursor again.
//
// Notifications (kind kNotifyKind): Label on every new label, 4 on a double
// click, 13 on a right click outside a drag. Move times come from the tick
// source. GUI thread only.
class CValueControl : public CSkinControl, public CObjectBase {
public:
    static constexpr int32_t kLimit = 65536;
    static constexpr int32_t kNotifyKind = NotifyKind::Value;

    CValueControl();
    ~CValueControl() override;

    // Always 0.
    int Create(const ValueControlParams& params);
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;
    void Paint() override;
    void Update(bool changed, bool final);

    double PositionToFraction(int32_t position) const;
    double PositionToValue(int32_t position) const;
    // Clamped to the position range; the middle (0) when minimum = maximum.
    int32_t ValueToPosition(double value) const;

    int32_t GetPosition() const { return m_position; }
    double GetValue() const { return PositionToValue(m_position); }
    const std::string& GetLabelText() const { return m_labelText; }
    bool IsDragging() const { return m_dragging; }
    bool IsAbsolute() const { return m_absolute; }
    bool IsCursorHidden() const { return m_cursorHidden; }
    // Where a relative drag keeps the cursor (screen).
    POINT GetParkPoint() const { return m_park; }
    // Null restores the system tick count.
    void SetTickSource(CTickSource* ticks) { m_ticks = ticks ? ticks : CTickSource::System(); }

protected:
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;

private:
    // What one event asks of the tail that runs after it.
    struct Outcome {
        bool changed = false;
        bool final = false;
    };
    // Repaints what the event changed.
    int Settle(const Outcome& out);
    void HandleCommand(int code, int p1, int p2);
    void Press();
    void LeftRelease(Outcome& out);
    void RightRelease();
    void Wheel(int steps, void* result, Outcome& out);
    void Move(Outcome& out);
    void RelativeStep(int cursorX, uint32_t averageMs, Outcome& out);
    void AbsoluteStep(int cursorX, int cursorY, Outcome& out);
    void Reanchor(int cursorX, int cursorY);
    void Release(Outcome& out);
    void CaptureLost(Outcome& out);
    void RightPress(Outcome& out);
    void RestoreCursor();
    void SetPosition(int64_t position, Outcome& out);
    void Notify(int32_t code, void* data = nullptr);
    void RefreshContent();
    void DrawFace(CBitmapDC& target, uint32_t state);

    ValueControlParams m_params;
    int32_t m_position;
    bool m_cursorHidden;
    POINT m_park;
    POINT m_press;
    bool m_absolute;
    bool m_dragging;
    int32_t m_positionAtPress;
    std::string m_labelText;
    uint32_t m_lastTick; // 0: no move since the press
    CMovingAverage m_intervals;
    bool m_rightArmed;
    bool m_releasedByCaptureLoss; // the next left release finds the drag ended
    bool m_ctrlAtLastStep;
    bool m_created;
    CTrackedValue m_paintedState;
    CTrackedValue m_paintedIcon;
    CTextImage m_label;
    CBitmapDC m_filled;
    CBitmapDC m_empty;
    CTickSource* m_ticks;
};
