#pragma once
#include "common/CTrackedValue.h"
#include "gui/controls/CPressTracker.h"
#include "gui/controls/CSkinControl.h"
#include "gui/controls/CTextImage.h"
#include "gui/CObjectBase.h"
#include "gui/ToolkitConventions.h"
#include <cstdint>
#include <string>

enum class PushButtonMode : int32_t {
    Push = 0,  // clicks
    Check = 1, // a click flips the checked state, shown by a square mark (or the icon)
    Toggle = 2 // a click flips the checked state, shown by the face
};

// The record of CPushButton::Create, copied whole into the button.
struct PushButtonParams {
    ControlPlacement place; // its container also gives the skin
    int32_t controlId = 0;
    CListener* listener = nullptr; // null: notifications go up the parent chain
    // Null with a parent: the parent's back bitmap at the button's place.
    const CBitmapDC* background = nullptr;
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    uint8_t icon = 0;       // the label shows skin picture imageId
    int32_t imageId = 1000; // replaced by ControlCommand::SetImage
    uint8_t labelOption = 0;
    float iconScale = 1.0f;
    int32_t latched = 0;    // push mode: the checked look stays on
    int32_t level = kUnity; // opaque
    std::string text;       // replaced by ControlCommand::SetText
    StretchMode stretchMode = StretchMode::Corners;
    int32_t middle = 0;
    uint32_t initialState = 0; // state flags right after creation
    PushButtonMode mode = PushButtonMode::Push;
    uint32_t indicatorLook = 0; // check mode: the mark's state flags while checked; 0 = no mark
    int32_t toggleAllowed = 1;  // 0: clicks leave the checked state alone
    int32_t indicatorLimit = 0; // most pixels of the mark's side; 0 = no limit
    uint8_t emphasis = 0;       // the emphasised face
    uint8_t visible = 1;
    uint8_t disabled = 0;
    int32_t labelAlignment = kTextAlignCentre;
    int32_t verbose = 0; // traces the label's image id at every render
    std::string toolTipText;
};

// The skinned button: push, check and toggle modes, driven by the mouse
// (press, release inside or outside, moves while captured, right clicks,
// the wheel) and by Enter and Space. It notifies through NotifyParent:
//   a click:  LeftDown on press, then Click and LeftUp on release inside;
//   Enter:    LeftDown, LeftUp, Click (push mode only for Click);
//   Space:    LeftDown on key down, LeftUp and Click on key up;
//   a release outside, a right press while pressed, another key while Space
//   is held, or the captured cursor leaving: LeftDown, then Cancelled.
// A release exactly on the right or bottom edge counts as inside. Only a
// click inside changes the checked state (check and toggle modes). The face
// repaints when the state flags change. GUI thread only.
class CPushButton : public CSkinControl, public CObjectBase {
public:
    CPushButton();

    int Create(const PushButtonParams& params);

    int GetState() const { return m_checked; }
    // Ignored until the window exists.
    void SetState(int checked);
    bool IsCreated() const { return m_created != 0; }
    void SetToolTipText(const char* text);
    void CreateGraphics();
    CTextImage& GetLabel() { return m_label; }

protected:
    int OnMouse(const MouseEvent& event) override;
    int OnKey(const KeyEvent& event) override;
    int OnCommand(const CommandEvent& event) override;
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;

private:
    enum class Look { Pressed, Released, Cancelled };
    int Settle(); // repaints when the state flags changed
    void SetLook(Look look);
    void UpdateStateFlags();
    void Layout();
    int LabelImageId() const;
    void Refresh();
    void ForceRepaint() { m_paintedFlags.Set(-1); }
    void OnLeftUp(POINT at);
    void OnRightDown();
    void OnPlace(const RECT* rect);
    void OnDisable(bool disabled);
    void OnKeyDown(const KeyRecord* key);
    void OnKeyUp(const KeyRecord* key);

    PushButtonParams m_params;
    CTextImage m_label;
    CPressTracker m_press{m_window};
    CTrackedValue m_paintedFlags;
    CTrackedValue m_labelImageId;
    int32_t m_checked;
    int32_t m_pressed;
    uint8_t m_created;
    int32_t m_spaceHeld;
    uint8_t m_rightPressed;
};
