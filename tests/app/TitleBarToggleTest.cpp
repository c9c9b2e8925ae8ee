#include "GuiTestSupport.h"
#include "app/TitleBarToggle.h"
#include "gui/window/CTopLevelWindow.h"
#include <gtest/gtest.h>

namespace {

class CountingWindow : public CTopLevelWindow {
public:
    void LayoutControls(int, int, bool) override { ++layouts; }
    int layouts = 0;
};

TopLevelWindowParams Params(int width, int height)
{
    TopLevelWindowParams p;
    p.noActivate = 1;
    p.x = 300;
    p.y = 200;
    p.width = width;
    p.height = height;
    p.caption = "Quillmere RTA";
    return p;
}

RECT Rect(CTopLevelWindow& w)
{
    RECT r = {};
    GetWindowRect(w.GetWindow().GetHwnd(), &r);
    return r;
}

} // namespace

// Showing the title bar grows a window below 170 x 71 to that, its top-left
// corner kept; hiding it never changes the size; both lay the window out again.
TEST(TitleBarToggle, ShowingGrowsToTheMinimumHidingKeepsTheSize)
{
    const struct {
        int width, height, shownWidth, shownHeight;
    } cases[] = {{150, 60, 170, 71}, {160, 200, 170, 200}, {400, 50, 400, 71}, {400, 200, 400, 200}};
    for (const auto& c : cases) {
        CountingWindow w;
        ASSERT_NE(w.Create(Params(c.width, c.height)), nullptr);
        PumpMessages();
        w.SetTaskbarButton(false);
        ASSERT_FALSE(w.IsTitleBarShown());
        const RECT hidden = Rect(w);
        ASSERT_EQ(hidden.right - hidden.left, c.width);
        ASSERT_EQ(hidden.bottom - hidden.top, c.height);

        int layouts = w.layouts;
        ToggleTitleBar(w);
        PumpMessages();
        const RECT shown = Rect(w);
        EXPECT_TRUE(w.IsTitleBarShown());
        EXPECT_EQ(shown.left, hidden.left);
        EXPECT_EQ(shown.top, hidden.top);
        EXPECT_EQ(shown.right - shown.left, c.shownWidth) << c.width;
        EXPECT_EQ(shown.bottom - shown.top, c.shownHeight) << c.height;
        EXPECT_GT(w.layouts, layouts);

        layouts = w.layouts;
        ToggleTitleBar(w);
        PumpMessages();
        const RECT again = Rect(w);
        EXPECT_FALSE(w.IsTitleBarShown());
        EXPECT_TRUE(EqualRect(&again, &shown));
        EXPECT_GT(w.layouts, layouts);
    }
}
