#include "gui/skin/CBorderFrame.h"
#include "gui/skin/CSkinImageSet.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>

namespace {

void MakeFilled(CBitmapDC& bitmap, int width, int height, uint32_t color)
{
    bitmap.Create(width, height, 32);
    bitmap.Fill(color);
}

} // namespace

TEST(SkinImageSet, PicturesByOrderAndStateWithScaledCopies)
{
    CBitmapDC button, knob;
    MakeFilled(button, 32, 20, 0xFF808080);
    MakeFilled(knob, 17, 17, 0xFF404040);
    CSkinImageSet set;
    EXPECT_EQ(set.ImageAt(0), nullptr);
    set.AssignState(0); // nothing added yet: no state
    EXPECT_EQ(set.StateImage(0), nullptr);
    for (int i = 0; i < 4; ++i)
        set.AddCopy(button);
    set.AssignState(3);
    set.AssignState(6);
    set.AddScaledCopy(button, 0.75f);
    set.AssignState(9);
    set.AddScaledCopy(knob, 0.4f);
    ASSERT_EQ(set.GetImageCount(), 6);
    EXPECT_EQ(set.StateImage(3), set.ImageAt(3));
    EXPECT_EQ(set.StateImage(6), set.ImageAt(3));
    EXPECT_NE(set.ImageAt(0), &button) << "the set keeps copies";
    EXPECT_EQ(At(*set.ImageAt(0), 31, 19), 0xFF808080u);
    EXPECT_EQ(set.StateImage(9)->GetWidth(), 24);
    EXPECT_EQ(set.StateImage(9)->GetHeight(), 15);
    EXPECT_EQ(set.ImageAt(5)->GetWidth(), 6);
    EXPECT_EQ(set.ImageAt(5)->GetHeight(), 6);
    EXPECT_EQ(set.ImageAt(6), nullptr);
    EXPECT_EQ(set.ImageAt(-1), nullptr);
    EXPECT_EQ(set.StateImage(1), nullptr);
    EXPECT_EQ(set.StateImage(10), nullptr);
    EXPECT_EQ(set.StateImage(-1), nullptr);
}

TEST(BorderFrame, StripsAreTheBackgroundOverlaidWithTheFrameAndBlendOnlyAtTheEdges)
{
    const int before = CBitmapDC::GetLiveSectionCount();
    {
        CBitmapDC background, frame, alpha, target;
        MakeFilled(background, 140, 80, 0xFF646464);
        MakeFilled(frame, 24, 24, 0xFF808080); // mid-grey overlays to the background one step darker
        MakeFilled(alpha, 24, 24, 0xFF000000);
        MakeFilled(target, 100, 50, 0xFF0000FF);
        CBorderFrame border;
        border.Compose(background, frame, alpha, {4, 3, 6, 2}, 20, 10, 100, 50);
        RECT r;
        border.StripRect(FrameStrip::Right, r);
        EXPECT_EQ(r.left, 94);
        EXPECT_EQ(r.top, 3);
        EXPECT_EQ(r.right - r.left, 6);
        EXPECT_EQ(r.bottom - r.top, 45);
        border.StripRect(FrameStrip::Bottom, r);
        EXPECT_EQ(r.top, 48);
        EXPECT_EQ(r.right, 100);
        border.Draw(target);
        for (POINT p : {POINT{0, 0}, POINT{99, 49}, POINT{3, 25}, POINT{94, 25}, POINT{50, 2}})
            EXPECT_EQ(At(target, p.x, p.y) & 0xFFFFFF, 0x636363u) << p.x << "," << p.y;
        for (POINT p : {POINT{4, 3}, POINT{93, 47}, POINT{50, 25}})
            EXPECT_EQ(At(target, p.x, p.y), 0xFF0000FFu) << p.x << "," << p.y;

        // A frame without side strips: their zero width must not mean the whole picture.
        MakeFilled(target, 100, 50, 0xFF0000FF);
        border.Compose(background, frame, alpha, {0, 3, 0, 2}, 0, 0, 100, 50);
        border.Draw(target);
        EXPECT_EQ(At(target, 50, 25), 0xFF0000FFu);
        EXPECT_EQ(At(target, 0, 25), 0xFF0000FFu);
    }
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), before);
}
