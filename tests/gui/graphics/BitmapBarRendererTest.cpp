#include "gui/graphics/CBitmapBarRenderer.h"
#include <gtest/gtest.h>

namespace {

const uint32_t Marker = 0x00123456;
const uint32_t Green = 0x0000FF00;

// A scale 40 pixels wide and 300 long over a 40 x 320 surface.
struct Scale {
    explicit Scale(HDC background)
    {
        surface.Create(40, 320, 32);
        renderer.SetGeometry({0, 40, 300, 0, false, 0, background});
    }
    // Rows of the strip from first to last (exclusive) holding any ink.
    int InkedPixels(const CBitmapDC& dc, int first, int last) const
    {
        GdiFlush();
        int n = 0;
        for (int y = std::max(first, 0); y < std::min(last, dc.GetHeight()); ++y)
            for (int x = 0; x < dc.GetWidth(); ++x)
                n += (dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF) != (renderer.stripColor == 0 ? 0 : 0xFF0000u);
        return n;
    }
    // The first row of the covered length that is not all background.
    int FirstInkedRow() const
    {
        GdiFlush();
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 40; ++x)
                if ((surface.GetBits()[y * 40 + x] & 0xFFFFFF) != Green)
                    return y;
        return -1;
    }
    CBitmapDC surface;
    CBitmapBarRenderer renderer;
};

} // namespace

// 0 to -60 runs downward, so the labels show the negated loop 0, 6, ... 60:
// label k sits on row 10 + 30 k.
TEST(BitmapBarRenderer, LabelsNegatedCutAtTheLowestAndBadSteps)
{
    for (float lowest : {-99999.0f, -50.0f}) {
        Scale s(nullptr);
        s.renderer.extraLength = 20; // the strip is 320 long, room for the label of -60
        s.renderer.lowestLabel = lowest;
        s.renderer.DrawScale();
        ASSERT_EQ(s.renderer.GetStrip().GetHeight(), 320);
        for (int k = 0; k <= 10; ++k) {
            const bool shown = -6 * k >= lowest;
            EXPECT_EQ(s.InkedPixels(s.renderer.GetStrip(), 10 + 30 * k - 8, 10 + 30 * k) > 0, shown)
                << "label " << -6 * k << " lowest " << lowest;
        }
    }

    {
        const struct {
            float step, span;
            int stripHeight, inkedLabels;
        } cases[] = {{0.0f, 60.0f, 300, 1}, {-6.0f, 60.0f, 300, 1}, {1e-9f, 60.0f, 300, 1}, {6.0f, 0.0f, 0, 0}};
        for (const auto& c : cases) {
            Scale s(nullptr);
            s.renderer.scaleStep = c.step;
            s.renderer.scaleSpan = c.span;
            s.renderer.DrawScale(); // returns: no endless loop, no division by zero
            EXPECT_EQ(s.renderer.GetStrip().GetHeight(), c.stripHeight) << c.step << " " << c.span;
            int inked = 0;
            for (int k = 0; k < 10; ++k)
                inked += s.InkedPixels(s.renderer.GetStrip(), 10 + 30 * k - 8, 10 + 30 * k) > 0;
            EXPECT_EQ(inked, c.inkedLabels);
            s.surface.Fill(Marker);
            s.renderer.Draw(s.surface);
            EXPECT_EQ(s.surface.GetBits()[0], c.span ? 0u : Marker); // strip colour, or nothing drawn
        }
    }
}

// Over a saved background: a steady value is drawn four times, then left;
// the strip slides 30 rows per 6 units of value.
TEST(BitmapBarRenderer, DrawsOverTheBackground)
{
    CBitmapDC background;
    background.Create(40, 320, 32);
    background.Fill(Green);
    Scale s(background.GetDC());
    s.renderer.DrawScale();
    for (int draw = 1; draw <= 5; ++draw) {
        s.surface.Fill(Marker);
        s.renderer.Draw(s.surface);
        GdiFlush();
        EXPECT_EQ(s.surface.GetBits()[0] & 0xFFFFFF, draw <= 4 ? Green : Marker) << "draw " << draw;
    }
    int first[3];
    for (int i = 0; i < 3; ++i) {
        s.surface.Fill(Marker);
        s.renderer.value = 6.0f * (i + 1);
        s.renderer.Draw(s.surface);
        first[i] = s.FirstInkedRow();
        // The shift downward exposes the start, restored from the background.
        EXPECT_EQ(s.surface.GetBits()[(30 * (i + 1) - 1) * 40] & 0xFFFFFF, Green);
    }
    ASSERT_GT(first[0], 0);
    EXPECT_EQ(first[1], first[0] + 30);
    EXPECT_EQ(first[2], first[0] + 60);
}

// A meter scale from 0 down to -54 whose top reads +1: in either orientation
// the covered length shows labels from one end to the other, not a strip slid
// off the bar.
TEST(BitmapBarRenderer, AShiftedScaleCoversItsBarInBothOrientations)
{
    const int length = 774, across = 15;
    for (bool lying : {false, true}) {
        CBitmapDC background, surface;
        const int w = lying ? length : across, h = lying ? across : length;
        background.Create(w, h, 32);
        background.Fill(Green);
        surface.Create(w, h, 32);
        CBitmapBarRenderer scale;
        scale.SetGeometry({0, across, length, 0, lying, 0, background.GetDC()});
        scale.scaleEnd = -54.0f;
        scale.scaleSpan = 54.0f;
        scale.lowestLabel = -48.0f;
        scale.value = 1.0f;
        scale.DrawScale();
        scale.Draw(surface);
        GdiFlush();
        int inked[3] = {};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                inked[(lying ? x : y) * 3 / length] += (surface.GetBits()[y * w + x] & 0xFFFFFF) != Green;
        for (int third = 0; third < 3; ++third)
            EXPECT_GT(inked[third], 0) << "lying " << lying << " third " << third;
    }
}

// The strip is left out where it keeps its colour: a smoothed bold font whose
// edges blend towards it, as near-black or white text, still inks as much of
// the strip as the same font unsmoothed, not only its strokes' cores.
TEST(BitmapBarRenderer, SmoothedLabelsKeepTheirWholeStrokes)
{
    auto inked = [](DWORD quality, COLORREF color) {
        HFONT font = CreateFontA(22, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 quality, DEFAULT_PITCH, "Tahoma");
        int n = 0;
        {
            Scale s(nullptr);
            s.renderer.labelFont = font;
            s.renderer.labelColor = color;
            s.renderer.DrawScale();
            n = s.InkedPixels(s.renderer.GetStrip(), 0, 300);
        }
        DeleteObject(font);
        return n;
    };
    for (COLORREF color : {COLORREF(0x010101), COLORREF(0xFFFFFF)}) {
        const int plain = inked(NONANTIALIASED_QUALITY, color);
        EXPECT_GT(plain, 0);
        EXPECT_EQ(inked(ANTIALIASED_QUALITY, color), plain) << std::hex << color;
    }
}
