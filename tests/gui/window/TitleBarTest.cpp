#include "TopLevelTestSupport.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowEvent.h"
#include "gui/window/WindowGeometry.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace {

bool Visible(CTitleBar& bar, TitleButton button)
{
    return IsWindowVisible(bar.GetButton(button).GetWindow()->GetHwnd()) != 0;
}

std::string Tip(CTitleBar& bar, TitleButton button)
{
    return bar.GetButton(button).GetParams().toolTipText;
}

void MoveTo(ProbeWindow& w, int x, int y)
{
    SetWindowPos(w.GetWindow().GetHwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

const TitleButton kButtons[] = {TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize, TitleButton::Dock};

} // namespace

// Right to left, each shown button 17 pixels left of the last; a hidden one
// takes no room. With an icon the caption starts after it.
TEST(TitleBar, ButtonsAndTextsLaidOutRightToLeftAndRestore)
{
    CBitmapDC icon;
    icon.Create(32, 32, 32);
    icon.Fill(0xFF4080C0);
    const struct {
        uint8_t closable, maximizable, minimizable, dockable;
        int x[4]; // -1: hidden
        RECT text2;
    } cases[] = {
        {1, 1, 1, 1, {378, 361, 344, 327}, {0, 4, 322, 20}},
        {0, 1, 1, 0, {-1, 378, 361, -1}, {0, 4, 356, 20}},
        {1, 0, 0, 1, {378, -1, -1, 361}, {0, 4, 356, 20}},
    };
    for (const auto& c : cases) {
        TopLevelWindowParams params = ProbeParams(0, 300); // by the left edge: docking is on offer
        params.captionIcon = &icon;
        params.closable = c.closable;
        params.native.maximizable = c.maximizable;
        params.native.minimizable = c.minimizable;
        params.native.dockable = c.dockable;
        ProbeWindow w;
        ASSERT_NE(w.Create(params), nullptr);
        PumpMessages();
        CTitleBar& bar = w.GetTitleBar();
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Visible(bar, kButtons[i]), c.x[i] >= 0) << i;
            const RECT expected = {c.x[i], 4, c.x[i] + 16, 20};
            if (c.x[i] >= 0) {
                EXPECT_TRUE(EqualRect(&bar.GetButtonRect(kButtons[i]), &expected)) << i;
            }
        }
        EXPECT_TRUE(EqualRect(&bar.GetText2Rect(), &c.text2)) << bar.GetText2Rect().right;
        if (c.dockable && c.minimizable) {
            EXPECT_EQ(bar.GetCaptionText().x, 24);
            EXPECT_EQ(bar.GetCaptionText().width, 300);
        }
    }

    // Maximizing makes the button Restore, restoring makes it Maximize again.
    {
        ProbeWindow w;
        ASSERT_NE(w.Create(ProbeParams()), nullptr);
        CTitleBar& bar = w.GetTitleBar();
        EXPECT_EQ(bar.GetMaximizeImageId(), 1);
        w.GetWindow().Maximize(nullptr);
        PumpMessages();
        EXPECT_EQ(bar.GetMaximizeImageId(), 3);
        EXPECT_EQ(Tip(bar, TitleButton::Maximize), "Restore");
        w.GetWindow().Restore();
        PumpMessages();
        EXPECT_EQ(bar.GetMaximizeImageId(), 1);
        EXPECT_EQ(Tip(bar, TitleButton::Maximize), "Maximize");
    }
}

TEST(TitleBar, DockTipsAndPicturesFollowTheNearestEdge)
{
    const struct {
        int code, image;
        const char* text;
    } texts[] = {{DockEdge::Right, 25, "Dock to Right"},
                 {DockEdge::Bottom, 27, "Dock to Bottom"},
                 {DockEdge::Right + DockEdge::TooFar, 25, "Move the window close to a screen edge to dock."},
                 {DockEdge::None, -1, "Dock"},
                 {DockEdge::NoMonitor, -1, "Dock"}};
    for (const auto& t : texts) {
        std::string out;
        EXPECT_EQ(CTitleBar::UpdateDockButtonText(out, t.code), t.image) << t.code;
        EXPECT_EQ(out, t.text);
    }

    TopLevelWindowParams params = ProbeParams(300, 0);
    params.native.dockable = 1;
    ProbeWindow w;
    ASSERT_NE(w.Create(params), nullptr);
    CTitleBar& bar = w.GetTitleBar();
    const struct {
        int x, y;
        bool shown;
        int image;
        const char* tip;
    } moves[] = {{300, 0, true, 26, "Dock to Top"},
                 // Clearly nearer the top: at the centre a bar another test docks would decide.
                 {440, 300, false, 26, "Move the window close to a screen edge to dock."},
                 {0, 300, true, 24, "Dock to Left"}};
    for (const auto& m : moves) {
        MoveTo(w, m.x, m.y);
        EXPECT_EQ(Visible(bar, TitleButton::Dock), m.shown) << m.x;
        EXPECT_EQ(bar.GetDockImageId(), m.image) << m.x;
        EXPECT_EQ(Tip(bar, TitleButton::Dock), m.tip);
    }
}

// The caption band shows the longest of the three captions that fits: the
// band equals its background with that text alone drawn in the same record.
TEST(TitleBar, CaptionFallsBackToTheShortAndShorterTexts)
{
    CTextPainter painter;
    CBitmapDC scratch;
    scratch.Create(8, 8, 32);
    ProbeWindow probe;
    ASSERT_NE(probe.Create(ProbeParams()), nullptr);
    CTextBuffer measure = probe.GetTitleBar().GetCaptionText();
    painter.MeasureSkinText(scratch, measure, "Quillmere RTA");
    const int full = measure.width;
    painter.MeasureSkinText(scratch, measure, "RTA");
    const int shorter = measure.width;
    ASSERT_LT(shorter, full);
    // Without an icon and with every button but Dock, the caption box is the width less 69.
    const int boxLess = 69, fitSlack = 2;
    const struct {
        int width;
        const char* shown;
    } cases[] = {{400, "Quillmere RTA"},
                 {boxLess + fitSlack + (shorter + full) / 2, "RTA"},
                 {boxLess + fitSlack + shorter / 2, " "}};
    for (const auto& c : cases) {
        ProbeWindow w;
        ASSERT_NE(w.Create(ProbeParams(300, 200, c.width, 150)), nullptr);
        PumpMessages();
        CTitleBar& bar = w.GetTitleBar();
        CBitmapDC expected;
        expected.CreateCopy(bar.GetBackground(bar.IsActive()));
        CTextBuffer alone = bar.GetCaptionText();
        alone.text = c.shown;
        alone.shortText.clear();
        alone.shorterText.clear();
        painter.DrawSkinText(expected, alone);
        const CBitmapDC& surface = *w.GetContainer().GetSurface();
        const CBitmapDC& background = bar.GetBackground(bar.IsActive());
        int differing = 0, written = 0;
        for (int i = 0; i < expected.GetPixelCount(); ++i) {
            differing += expected.GetBits()[i] != surface.GetBits()[i];
            written += expected.GetBits()[i] != background.GetBits()[i];
        }
        EXPECT_EQ(differing, 0) << c.shown << " in " << c.width;
        EXPECT_EQ(written > 0, std::string(c.shown) != " ") << "the text shows";
    }
}

// The caption reads against its band: the contrast between the band (its most
// common luminance in the caption box) and the text's pixels (those farthest
// from it) is at least 4.5:1, active and inactive.
TEST(TitleBar, CaptionTextStandsOutFromItsBand)
{
    ProbeWindow w;
    ASSERT_NE(w.Create(ProbeParams()), nullptr);
    PumpMessages();
    CTitleBar& bar = w.GetTitleBar();
    for (int active : {1, 0}) {
        bar.OnEvent(nullptr, 0, int(WindowEvent::Activate), active, 0, nullptr);
        const CTextBuffer& text = bar.GetCaptionText();
        const CBitmapDC& surface = *w.GetContainer().GetSurface();
        GdiFlush();
        int count[256] = {};
        for (int y = text.y; y < text.y + text.height; ++y)
            for (int x = text.x; x < text.x + text.width; ++x)
                ++count[MeanLuminance(surface, x, y, x + 1, y + 1)];
        const int band = int(std::max_element(count, count + 256) - count);
        int farthest = band;
        for (int v = 0; v < 256; ++v)
            if (count[v] && std::abs(v - band) > std::abs(farthest - band))
                farthest = v;
        auto relative = [](int v) { return std::pow(v / 255.0, 2.2) + 0.05; };
        const double contrast = relative(std::max(band, farthest)) / relative(std::min(band, farthest));
        EXPECT_GE(contrast, 4.5) << "active " << active << ": band " << band << ", text " << farthest;
    }
}
