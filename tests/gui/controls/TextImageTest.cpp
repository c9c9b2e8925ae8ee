#include "ControlTestSupport.h"
#include "gui/controls/CTextImage.h"
#include "gui/skin/CTextPainter.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

const int kIconId = 3; // a cell of the skin's icon strip

TextImageRequest Label(const char* text, int iconId = kIconId)
{
    TextImageRequest request;
    request.width = 80;
    request.height = 64;
    request.icon = 1;
    request.iconId = iconId;
    request.text = text;
    request.skin = &LoadedSkin();
    return request;
}

uint8_t Byte(const CBitmapDC* image, int x, int y, int channel)
{
    return uint8_t(image->GetBits()[y * image->GetWidth() + x] >> (8 * channel));
}

// The columns and rows that hold any alpha.
RECT Extent(const CBitmapDC* image)
{
    RECT r = {image->GetWidth(), image->GetHeight(), 0, 0};
    for (int y = 0; y < image->GetHeight(); ++y)
        for (int x = 0; x < image->GetWidth(); ++x)
            if (Byte(image, x, y, 3))
                r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
                     std::max<LONG>(r.bottom, y + 1)};
    return r;
}

} // namespace

// With text the pressed icon is the normal one a pixel lower right, each
// colour at 248/256; the icon is never enlarged and a scale shrinks it; a
// disabled one keeps half its alpha and its text takes the disabled colours.
// An icon the skin does not know leaves both pictures blank at the control's
// size; the text is laid out inside the margins, or left of an indicator.
TEST(TextImage, IconsPressedDisabledFittedOrUnknown)
{
    CTextImage label;
    label.Render(Label("Gain"));
    const CBitmapDC* normal = label.GetImage(0);
    const CBitmapDC* pressed = label.GetImage(1);
    ASSERT_EQ(normal->GetWidth(), 80);
    GdiFlush();
    const RECT extent = Extent(normal);
    ASSERT_LT(extent.left, extent.right) << "the icon cell holds a picture";
    EXPECT_LE(extent.right - extent.left, 44) << "the strip's cell, not the 72 pixels of room";
    int compared = 0;
    for (int y = extent.top; y < extent.bottom; ++y)
        for (int x = extent.left; x < extent.right; ++x) {
            EXPECT_NEAR(Byte(pressed, x + 1, y + 1, 3), Byte(normal, x, y, 3), 1);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(Byte(pressed, x + 1, y + 1, c), Byte(normal, x, y, c) * 248 / 256, 2);
            compared += Byte(normal, x, y, 1) > 64;
        }
    EXPECT_GT(compared, 0);

    TextImageRequest half = Label("Gain");
    half.iconScale = 0.5f;
    label.Render(half);
    GdiFlush();
    const RECT small = Extent(label.GetImage(0));
    EXPECT_LE(small.right - small.left, 22);
    EXPECT_LE(small.bottom - small.top, 22);

    CTextImage disabled;
    TextImageRequest request = Label("Gain");
    label.Render(request);
    request.disabled = 1;
    disabled.Render(request);
    GdiFlush();
    for (int y = extent.top; y < extent.bottom; ++y)
        for (int x = extent.left; x < extent.right; ++x)
            EXPECT_NEAR(Byte(disabled.GetImage(0), x, y, 3), Byte(normal, x, y, 3) / 2, 1);
    EXPECT_NE(label.GetTextBuffer()->textColor, disabled.GetTextBuffer()->textColor);

    {
        for (int id : {-1, 99999}) {
            CTextImage label;
            label.Render(Label("Offset", id));
            GdiFlush();
            for (int index : {0, 1}) {
                const CBitmapDC* image = label.GetImage(index);
                ASSERT_EQ(image->GetWidth(), 80) << id;
                ASSERT_EQ(image->GetHeight(), 64) << id;
                const RECT extent = Extent(image);
                EXPECT_GE(extent.left, extent.right) << id << " blank";
            }
            EXPECT_EQ(label.GetTextBuffer()->text, "Offset");
            EXPECT_NE(label.GetTextBuffer()->font, nullptr);
            const RECT text = label.GetTextRect();
            EXPECT_GT(text.left, 0);
            EXPECT_LT(text.right, 80);
            EXPECT_GT(text.bottom - text.top, 0);
        }
        CTextImage beside;
        TextImageRequest request = Label("Offset", -1);
        request.stretchMode = StretchMode::ThreeColumns;
        request.middle = 50;
        beside.Render(request);
        EXPECT_EQ(beside.GetTextRect().right, 50);
    }
}

// A label too long for its box takes the skin's smaller faces until it fits
// (a drop list box's text keeps left of its arrow), and ends in an ellipsis
// when none is small enough; one with a shorter form keeps its face and the
// painter picks the shorter text. What is drawn always fits.
TEST(TextImage, ALongLabelTakesASmallerFaceOrAnEllipsis)
{
    enum Drawn { kText, kShortText, kEllipsized };
    const struct {
        const char* text;
        const char* shortText;
        int width, height;
        bool smaller;
        Drawn drawn;
    } cases[] = {
        {"Wave In", "", 120, 25, false, kText},
        {"Kernel Streaming", "", 120, 25, true, kText},
        {"Kernel Streaming", "KS", 120, 25, false, kShortText},
        {"Kernel Streaming", "", 160, 40, false, kText},
        {"Microphone (High Definition Audio Device)", "", 120, 25, true, kEllipsized},
    };
    for (const auto& c : cases) {
        TextImageRequest request = Label(c.text);
        request.icon = 0;
        request.secondText = c.shortText;
        request.width = c.width;
        request.height = c.height;
        request.stretchMode = StretchMode::ThreeColumns;
        request.middle = c.width - c.height + 1; // the arrow's square at the right
        CTextImage label;
        label.Render(request);
        CTextBuffer text = *label.GetTextBuffer();
        const int box = text.width;
        const int regular = LoadedSkin().GetFont(1, 0)->GetHeight();
        EXPECT_EQ(text.font->GetHeight() < regular, c.smaller) << c.text << " " << c.width;
        const std::string drawn = c.drawn == kText ? text.text : text.shortText;
        if (c.drawn == kEllipsized) {
            const size_t kept = drawn.size() - 3;
            EXPECT_GT(kept, 0u);
            EXPECT_EQ(drawn.substr(kept), "...");
            EXPECT_EQ(drawn.substr(0, kept), std::string(c.text).substr(0, kept));
        }
        CTextPainter().MeasureSkinText(CBitmapDC(), text, drawn.c_str());
        EXPECT_LE(text.width + 2, box) << drawn;
    }
}
