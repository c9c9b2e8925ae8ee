#include "GuiTestSupport.h"
#include "PaintedHost.h"
#include "gui/controls/CDropListControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

const int kBoxId = 42;

struct BoxHost {
    std::unique_ptr<CDropListControl> Make(DropListBoxMode mode, std::initializer_list<const char*> names, int selected,
                                           const char* fixed = "", NoteListener* listener = nullptr)
    {
        auto box = std::make_unique<CDropListControl>();
        for (const char* name : names) {
            CDropListItem* item = new CDropListItem;
            item->name = name;
            box->GetItems().Add(item);
        }
        box->GetItems().selected = selected;
        DropListBoxParams params;
        params.place.x = 10;
        params.place.y = 10;
        params.place.width = 120;
        params.place.height = 20;
        params.controlId = kBoxId;
        params.mode = mode;
        params.emptyText1 = "none";
        params.fixedText1 = fixed;
        params.place.container = &skinned.container;
        params.listener = listener ? listener : &notes;
        box->Create(params);
        return box;
    }
    PaintedHost skinned;
    NoteListener notes;
};

const int kInside = int(MAKELPARAM(5, 5));

int Send(CDropListControl& box, int code, int p1 = kInside, void* data = nullptr)
{
    return box.OnEvent(nullptr, EventSource::Window, code, p1, 0, data);
}

std::string Shown(CDropListControl& box)
{
    char text[64] = "";
    GetWindowTextA(box.GetWindow()->GetHwnd(), text, sizeof(text));
    return text;
}

} // namespace

// A click steps to the next item, from the last to the first, showing the
// next item while held; the wheel stops at both ends unless the owner takes it.
// The list opens under the box, or above it with its bottom 2 pixels below
// the box's top when the monitor has no room below. A row chosen in the list
// shows in the box before the owner hears of it.
TEST(DropListBox, SteppingWheelTextsAndTheListBelowOrAbove)
{
    BoxHost h;
    auto box = h.Make(DropListBoxMode::Stepping, {"A", "B", "C"}, 2);
    EXPECT_EQ(Shown(*box), "C");
    Send(*box, WindowEvent::LeftButtonDown);
    EXPECT_EQ(Shown(*box), "A") << "what a click would select";
    Send(*box, WindowEvent::LeftButtonUp);
    EXPECT_EQ(box->GetSelectedIndex(), 0);
    EXPECT_EQ(Shown(*box), "A");
    ASSERT_EQ(h.notes.Codes(), std::vector<int>{9});
    const ControlNotification& selected = h.notes.notes[0];
    EXPECT_EQ(selected.kind, CDropListControl::kNotifyKind);
    EXPECT_EQ(selected.data1, 0);
    EXPECT_EQ(selected.data2, kBoxId);
    EXPECT_EQ(selected.data3, box->GetItems().ItemAt(0));

    struct Wheel {
        int steps;
        int selected;
        std::vector<int> codes;
    };
    const Wheel wheels[] = {{1, 0, {16}}, {-1, 1, {16, 9}}, {-5, 2, {16, 9}}, {-1, 2, {16}}, {2, 0, {16, 9}}};
    for (const Wheel& w : wheels) {
        h.notes.notes.clear();
        LRESULT handled = 0;
        Send(*box, WindowEvent::MouseWheel, w.steps, &handled);
        EXPECT_EQ(box->GetSelectedIndex(), w.selected) << w.steps;
        EXPECT_EQ(h.notes.Codes(), w.codes) << w.steps;
        EXPECT_EQ(handled, 1);
    }
    h.notes.answer = 1;
    Send(*box, WindowEvent::MouseWheel, -1);
    EXPECT_EQ(box->GetSelectedIndex(), 0) << "the owner took the wheel";
    h.notes.answer = 0;

    // A right press while the left is held cancels the step.
    Send(*box, WindowEvent::LeftButtonDown);
    Send(*box, WindowEvent::RightButtonDown);
    Send(*box, WindowEvent::LeftButtonUp);
    EXPECT_EQ(box->GetSelectedIndex(), 0);
    Send(*box, WindowEvent::RightButtonUp);

    auto empty = h.Make(DropListBoxMode::Stepping, {}, -1);
    EXPECT_EQ(Shown(*empty), "none");
    EXPECT_EQ(empty->NextIndex(true, 1), -1);
    EXPECT_EQ(empty->NextIndex(false, -1), -1);
    h.notes.notes.clear();
    Send(*empty, WindowEvent::LeftButtonDown);
    EXPECT_EQ(Shown(*empty), "Error: No Item");
    Send(*empty, WindowEvent::LeftButtonUp);
    Send(*empty, WindowEvent::MouseWheel, -1);
    EXPECT_EQ(empty->GetSelectedIndex(), -1);
    EXPECT_EQ(h.notes.Codes(), std::vector<int>{16});

    auto fixed = h.Make(DropListBoxMode::Stepping, {"A", "B"}, 0, "Fixed");
    Send(*fixed, WindowEvent::LeftButtonDown);
    Send(*fixed, WindowEvent::LeftButtonUp);
    EXPECT_EQ(fixed->GetSelectedIndex(), 1);
    EXPECT_EQ(Shown(*fixed), "Fixed");

    {
        struct Owner : NoteListener {
            int OnNotify(void* record) override
            {
                if (static_cast<ControlNotification*>(record)->code == DropListNotify::Selected)
                    shownAtSelection = Shown(*box);
                return NoteListener::OnNotify(record);
            }
            CDropListControl* box = nullptr;
            std::string shownAtSelection;
        } owner;
        BoxHost h;
        auto box = h.Make(DropListBoxMode::List, {"A", "B", "C"}, -1, "", &owner);
        owner.box = box.get();
        struct Placement {
            int hostTop;
            bool above;
        };
        const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        const Placement placements[] = {{200, false}, {screenHeight - 40, true}};
        int row = 0;
        for (const Placement& p : placements) {
            ++row;
            h.skinned.window.Move(300, p.hostTop);
            RECT boxRect;
            GetWindowRect(box->GetWindow()->GetHwnd(), &boxRect);
            Send(*box, WindowEvent::LeftButtonDown);
            ASSERT_TRUE(box->GetPopup().IsOpen());
            RECT listRect;
            GetWindowRect(box->GetPopup().GetPopupWindow().GetHwnd(), &listRect);
            if (p.above)
                EXPECT_EQ(listRect.bottom, boxRect.top + 2);
            else
                EXPECT_EQ(listRect.top, boxRect.bottom - 3);
            Send(*box, WindowEvent::LeftButtonUp);
            const DropListRowGeometry& g = box->GetPopup().GetRows()[row]->GetGeometry();
            SendMessageA(box->GetPopup().GetPopupWindow().GetHwnd(), WM_LBUTTONUP, 0,
                         MAKELPARAM(g.x + 5, g.y + g.height / 2));
            PumpMessages();
            EXPECT_FALSE(box->GetPopup().IsOpen());
            EXPECT_EQ(box->GetSelectedIndex(), row);
            EXPECT_EQ(owner.shownAtSelection, row == 1 ? "B" : "C");
        }
        EXPECT_EQ(owner.Codes(), (std::vector<int>{5, 9, 5, 9}));
    }
}
