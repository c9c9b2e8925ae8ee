#include "GuiTestSupport.h"
#include "app/ContextMenus.h"
#include "app/TitleBarToggle.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/window/CTopLevelWindow.h"
#include <gtest/gtest.h>

namespace {

class CountingWindow : public CTopLevelWindow {
public:
    void LayoutControls(int, int, bool) override { ++layouts; }
    int layouts = 0;
};

// Toggles and answers the window rectangle, after checking the state and a new layout.
RECT Toggle(CountingWindow& w, bool shown)
{
    const int layouts = w.layouts;
    ToggleTitleBar(w);
    PumpMessages();
    EXPECT_EQ(w.IsTitleBarShown(), shown);
    EXPECT_GT(w.layouts, layouts);
    RECT r = {};
    GetWindowRect(w.GetWindow().GetHwnd(), &r);
    return r;
}

} // namespace

// Showing the title bar grows a window below 170 x 71 to that, its top-left
// corner kept; hiding it never changes the size.
TEST(TitleBarToggle, ShowingGrowsToTheMinimumHidingKeepsTheSize)
{
    const struct {
        int width, height, shownWidth, shownHeight;
    } cases[] = {{150, 60, 170, 71}, {160, 200, 170, 200}, {400, 50, 400, 71}, {400, 200, 400, 200}};
    for (const auto& c : cases) {
        TopLevelWindowParams p = QuietlyPlaced<TopLevelWindowParams>(c.width, c.height);
        CountingWindow w;
        ASSERT_NE(w.Create(p), nullptr);
        PumpMessages();
        w.SetTaskbarButton(false);
        const RECT shown = Toggle(w, true);
        EXPECT_EQ(shown.left, kQuietX);
        EXPECT_EQ(shown.top, kQuietY);
        EXPECT_EQ(shown.right - shown.left, c.shownWidth) << c.width;
        EXPECT_EQ(shown.bottom - shown.top, c.shownHeight) << c.height;
        const RECT hidden = Toggle(w, false);
        EXPECT_TRUE(EqualRect(&hidden, &shown));
    }
}

// Toggled while minimized, from maximized or normal, either way, by a window
// that takes the activation (as the main window does) or not: meanwhile the
// menu's tick reads the title bar's state; the restore brings the window back
// in its state, drawn and shaped to its whole size, not its icon's.
TEST(TitleBarToggle, ToggledWhileMinimizedComesBackWhole)
{
    const struct {
        bool maximized, shown, activates;
    } cases[] = {{true, true, true},   {true, false, true},  {false, true, true},
                 {false, false, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "maximized " << c.maximized << " shown " << c.shown << " activates "
                                        << c.activates);
        CountingWindow w;
        TopLevelWindowParams params = QuietlyPlaced<TopLevelWindowParams>(400, 200);
        params.native.noActivate = !c.activates;
        ASSERT_NE(w.Create(params), nullptr);
        CPhysicalWindow& native = w.GetWindow();
        const HWND hwnd = native.GetHwnd();
        w.SetTaskbarButton(c.shown);
        if (c.maximized)
            native.Maximize(nullptr);
        RECT before = {};
        GetWindowRect(hwnd, &before);
        native.Minimize();
        PumpMessages();
        EXPECT_EQ(ReadWindowMenuState(w).titleBarShown, c.shown);
        Toggle(w, !c.shown);
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        PumpMessages();
        EXPECT_EQ(native.IsMaximized(), c.maximized);
        RECT rect = {};
        GetWindowRect(hwnd, &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        EXPECT_TRUE(EqualRect(&rect, &before)) << width << " x " << height;
        const CBitmapDC* drawn = native.GetBackBitmap();
        ASSERT_NE(drawn, nullptr);
        EXPECT_EQ(drawn->GetWidth(), width);
        EXPECT_EQ(drawn->GetHeight(), height);
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        RECT box = {0, 0, width, height}; // no region: the whole window
        if (GetWindowRgn(hwnd, shape) != ERROR)
            GetRgnBox(shape, &box);
        DeleteObject(shape);
        EXPECT_EQ(box.right - box.left, width);
        EXPECT_EQ(box.bottom - box.top, height);
    }
}
