#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "gui/controls/CPushButton.h"
#include "gui/controls/ControlCommand.h"
#include <gtest/gtest.h>

namespace {

const int kWidth = 60;
const int kHeight = 24;

struct Step {
    UINT message;
    WPARAM wParam;
    int x = 0, y = 0; // the point for mouse messages; lParam 1 (one repeat) otherwise
};

struct CountingButton : CPushButton {
    void Paint() override
    {
        ++paints;
        CPushButton::Paint();
    }
    int paints = 0;
};

struct ButtonHost {
    explicit ButtonHost(PushButtonMode mode = PushButtonMode::Push, const char* text = "Apply")
    {
        params.place.x = 10;
        params.place.y = 10;
        params.place.width = kWidth;
        params.place.height = kHeight;
        params.controlId = 42;
        params.place.container = &host.container;
        params.listener = &notes;
        params.mode = mode;
        params.text = text;
    }
    void Create() { button.Create(params); }
    void Run(const Step& step)
    {
        const bool mouse = step.message >= WM_MOUSEFIRST && step.message <= WM_MOUSELAST;
        SendMessageA(button.GetWindow()->GetHwnd(), step.message, step.wParam, mouse ? MAKELPARAM(step.x, step.y) : 1);
    }
    int Send(int code, int p1 = 0, int p2 = 0)
    {
        int zero = 0;
        return button.OnEvent(&host.container, EventSource::Request, code, p1, p2, &zero);
    }

    ContainerHost host{200, 120, &LoadedSkin()};
    NoteListener notes;
    PushButtonParams params;
    CountingButton button;
};

} // namespace

// Mouse and keys through the button's own window: the notifications in
// order and the checked state they leave.
TEST(PushButton, InputGivesNotificationsInOrder)
{
    const Step down = {WM_LBUTTONDOWN, MK_LBUTTON, 5, 5}, up = {WM_LBUTTONUP, 0, 5, 5};
    const Step enter = {WM_KEYDOWN, VK_RETURN}, space = {WM_KEYDOWN, VK_SPACE}, spaceUp = {WM_KEYUP, VK_SPACE};
    const Step rightDown = {WM_RBUTTONDOWN, MK_RBUTTON, 5, 5}, rightUp = {WM_RBUTTONUP, 0, 5, 5};
    const struct {
        const char* name;
        PushButtonMode mode;
        int toggleAllowed;
        std::vector<Step> steps;
        std::vector<int> codes;
        int checked;
    } cases[] = {
        {"click", PushButtonMode::Push, 1, {down, up}, {2, 5, 3}, 0},
        {"release on the far edges", PushButtonMode::Push, 1, {down, {WM_LBUTTONUP, 0, kWidth, kHeight}}, {2, 5, 3}, 0},
        {"release outside", PushButtonMode::Push, 1, {down, {WM_LBUTTONUP, 0, kWidth + 1, 5}}, {2, 11}, 0},
        {"out and back in",
         PushButtonMode::Push,
         1,
         {down, {WM_MOUSEMOVE, MK_LBUTTON, 90, 5}, {WM_MOUSEMOVE, MK_LBUTTON, 5, 5}, up},
         {2, 11, 2, 5, 3},
         0},
        {"enter", PushButtonMode::Push, 1, {enter}, {2, 3, 5}, 0},
        {"space down", PushButtonMode::Push, 1, {space}, {2}, 0},
        {"space", PushButtonMode::Push, 1, {space, spaceUp}, {2, 3, 5}, 0},
        {"another key while space", PushButtonMode::Push, 1, {space, {WM_KEYUP, 'A'}}, {2, 11}, 0},
        {"right clicks", PushButtonMode::Push, 1, {rightDown, rightUp, rightUp}, {13, 13}, 0},
        {"right press while pressed", PushButtonMode::Push, 1, {down, rightDown, up}, {2, 11}, 0},
        {"wheel", PushButtonMode::Push, 1, {{WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 5, 5}}, {16}, 0},
        {"check click", PushButtonMode::Check, 1, {down, up}, {2, 3}, 1},
        {"check click twice", PushButtonMode::Check, 1, {down, up, down, up}, {2, 3, 2, 3}, 0},
        {"check enter", PushButtonMode::Check, 1, {enter}, {2, 3}, 0},
        {"toggle enter", PushButtonMode::Toggle, 1, {enter}, {2, 3}, 0},
        {"toggle space", PushButtonMode::Toggle, 1, {space, spaceUp}, {2, 3}, 0},
        {"toggle click", PushButtonMode::Toggle, 1, {down, up}, {2, 3}, 1},
        {"toggle click not allowed", PushButtonMode::Toggle, 0, {down, up}, {2, 3}, 0},
    };
    for (const auto& c : cases) {
        ButtonHost b(c.mode);
        b.params.toggleAllowed = c.toggleAllowed;
        b.Create();
        for (const Step& step : c.steps)
            b.Run(step);
        EXPECT_EQ(b.notes.Codes(), c.codes) << c.name;
        EXPECT_EQ(b.button.GetState(), c.checked) << c.name;
        for (const ControlNotification& n : b.notes.notes) {
            EXPECT_EQ(n.controlId, 42);
            EXPECT_EQ(n.kind, 1);
            EXPECT_EQ(n.data1, n.code == NotifyCode::Wheel ? 2 : 0) << c.name;
        }
    }
}

// Repaints follow the state flags: a new image id alone paints nothing; the
// checked look follows the state in toggle mode; nothing happens before Create.
// Check mode puts its mark beside a text and shows the checked look on the
// mark; without a text the face keeps its layout.
TEST(PushButton, RepaintsAndCheckMark)
{
    ButtonHost b(PushButtonMode::Toggle);
    b.button.SetState(1);
    EXPECT_EQ(b.button.GetState(), 0) << "no window yet";
    EXPECT_EQ(b.Send(WindowEvent::LeftButtonDown), 0);
    EXPECT_TRUE(b.notes.notes.empty());
    EXPECT_EQ(b.button.paints, 0);

    b.Create();
    const int painted = b.button.paints;
    EXPECT_GT(painted, 0);
    b.Send(ControlCommand::SetImage, 5);
    EXPECT_EQ(b.button.paints, painted);
    b.Send(WindowEvent::MouseEnter);
    EXPECT_EQ(b.button.paints, painted + 1);
    EXPECT_EQ(b.button.GetStateFlags(), SkinState::kHover);
    b.button.SetState(1);
    EXPECT_EQ(b.button.GetStateFlags(), SkinState::kHover | SkinState::kChecked);
    b.Send(WindowEvent::MouseLeave);
    EXPECT_EQ(b.button.GetStateFlags(), SkinState::kChecked);

    // Disabled, the window sends no button events and the face is dimmed.
    b.Send(ControlCommand::Disable, 1);
    EXPECT_TRUE(b.button.GetWindow()->IsDisabled());
    b.Run({WM_LBUTTONDOWN, MK_LBUTTON, 5, 5});
    EXPECT_TRUE(b.notes.notes.empty());

    ButtonHost marked(PushButtonMode::Check);
    marked.params.indicatorLook = 3;
    marked.Create();
    EXPECT_EQ(marked.button.GetCreateParams().middle, kWidth - kHeight + 1);
    marked.Run({WM_LBUTTONDOWN, MK_LBUTTON, 5, 5});
    marked.Run({WM_LBUTTONUP, 0, 5, 5});
    EXPECT_EQ(marked.button.GetCreateParams().indicatorState, 3u);
    EXPECT_EQ(marked.button.GetStateFlags() & SkinState::kChecked, 0u);

    ButtonHost bare(PushButtonMode::Check, "");
    bare.Create();
    EXPECT_EQ(bare.button.GetCreateParams().stretchMode, StretchMode::Corners);
    EXPECT_NE(bare.button.GetCreateParams().contentBitmap, nullptr) << "the icon is the mark";
}
