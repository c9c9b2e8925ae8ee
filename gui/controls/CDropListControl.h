#pragma once
#include "common/CTrackedValue.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/CDropListItemList.h"
#include "gui/controls/CPressTracker.h"
#include "gui/controls/CSkinControl.h"
#include "gui/controls/CTextImage.h"
#include "gui/CObjectBase.h"
#include <cstdint>
#include <string>

enum class DropListBoxMode : int32_t {
    List = 0,    // a left press opens the list
    Stepping = 1 // a left click selects the next item (wrapping); the right button opens the list
};

// The record of CDropListControl::Create, kept whole by the box.
struct DropListBoxParams {
    ControlPlacement place; // its container gives the skin
    uint8_t visible = 1;
    uint8_t disabled = 0; // the texts' disabled look; changed by ControlCommand::Disable
    int32_t controlId = 0;
    int32_t visibleRows = 5; // lines of the popup
    DropListBoxMode mode = DropListBoxMode::List;
    std::string fixedText1; // when set, shown always (with fixedText2)
    std::string fixedText2;
    std::string emptyText1; // shown while nothing is selected
    std::string emptyText2;
    CListener* listener = nullptr;         // hears the notifications
    const CBitmapDC* background = nullptr; // null with a parent: its back bitmap at (x, y)
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    CListener* secondListener = nullptr; // hears them when listener is null
    int32_t noArrow = 0;                 // the face has no arrow part
    int32_t arrowSize = 0;               // the arrow square's largest side; 0 = the height
    uint8_t emphasis = 0;                // the emphasised face; changed by ControlCommand::Emphasis
    std::string toolTipText;
};

// The drop list box: a button-like face that shows the selected item of its
// list (its name and second text) and drops its popup list right under
// itself when pressed, or above itself when the monitor has no room below
// (the list's bottom 2 pixels below the box's top). In stepping mode a left
// click selects the next item, wrapping, and shows that item's texts while
// the button is held; the right button opens the list. Over a closed list
// the wheel steps without wrapping, unless the owner handles the wheel
// notification; over an open one it scrolls the list. An empty list never
// steps (nothing stays selected).
//
// Notifications (kind kNotifyKind): 5 click (list mode), 9 selection (data1
// the index, data2 the control id, data3 the item) after the box shows it,
// 13 right click, 16 wheel (data1 the steps). The owner fills GetItems() and
// calls SyncSelection after selecting in the list itself. GUI thread only.
class CDropListControl : public CSkinControl, public CObjectBase {
public:
    static constexpr int32_t kNotifyKind = NotifyKind::DropListBox;

    CDropListControl();

    // Always 0.
    int Create(const DropListBoxParams& params);
    int OnNotify(void* record) override;
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;

    CDropListItemList& GetItems() { return *m_list; }
    int32_t GetSelectedIndex() const { return m_list->selected; }
    void SyncSelection();
    void Refresh();
    void Step(bool wrap, int32_t delta);
    // -1 for an empty list.
    int32_t NextIndex(bool wrap, int32_t delta) const;
    void OpenList();
    CDropList& GetPopup() { return m_popup; }
    CTextImage& GetLabel() { return m_label; }

protected:
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;

private:
    int Settle(); // repaints when the state flags changed
    void Wheel(const ControlEvent& e);
    void LeftDown();
    void ComputeTextArea();
    void NotifySelection();
    void SetPressedLook(bool on);
    bool IsPressedLook() const { return (m_stateFlags & SkinState::kPressed) != 0; }
    bool HasCapture() const;
    void MoveCaptured();
    void ListLeftUp(POINT at);
    void SteppingLeftUp(POINT at);
    void RightDown();
    void RightUp();
    void HandleCommand(int code, int p1, int p2);
    bool Stepping() const { return m_params.mode != DropListBoxMode::List; }

    DropListBoxParams m_params;
    CDropList m_popup;
    CTrackedValue m_paintedState;
    CTextImage m_label;
    StretchMode m_textMode;
    int32_t m_arrowLeft;
    CDropListItemList m_ownList;
    CDropListItemList* m_list;
    CDropListItem* m_shown;
    bool m_steppingPress;
    // The press only: a release clicks inside whether or not the capture lasted.
    CPressTracker m_press{m_window};
    bool m_rightOpen;
    bool m_rightArmed;
};
