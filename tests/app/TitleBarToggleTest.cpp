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
