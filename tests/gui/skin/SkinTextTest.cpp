#include "gui/skin/CSkinFont.h"
#include "gui/skin/CTextPainter.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const uint32_t kBlank = 0x00000000;

// A blank surface with the record's text drawn on it.
std::vector<uint32_t> Drawn(const CTextBuffer& record)
{
    CBitmapDC bitmap;
    bitmap.Create(120, 60, 32);
    bitmap.Fill(kBlank);
    CTextPainter().DrawSkinText(bitmap, record);
    return Pixels(bitmap);
}

} // namespace

TEST(SkinFont, SlotsMakeTheirFontsAndUnknownSlotsTheDefaultBoldTahoma)
{
    CBitmapDC bitmap;
    bitmap.Create(8, 8, 32);
    for (int slot : {0, 17, -1}) {
        CSkinFont font;
        font.Create(slot);
        ASSERT_NE(font.GetHandle(), nullptr);
        SelectObject(bitmap.GetDC(), font.GetHandle());
        char face[LF_FACESIZE] = {};
        GetTextFaceA(bitmap.GetDC(), sizeof(face), face);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(bitmap.GetDC(), &metrics);
        EXPECT_STREQ(face, "Tahoma") << slot;
        EXPECT_EQ(metrics.tmHeight, 13) << slot;
        EXPECT_EQ(metrics.tmWeight, FW_BOLD) << slot;
    }
    const int heights[CSkinFont::kSlotCount] = {13, 13, 18, 11, 9, 11, 13, 22, 13, 27, 21, 20, 17, 17, 13, 14, 11};
    for (int slot = 0; slot < CSkinFont::kSlotCount; ++slot) {
        CSkinFont font;
        font.Create(slot);
        EXPECT_NE(font.GetHandle(), nullptr) << slot;
        EXPECT_EQ(font.GetHeight(), heights[slot]) << slot;
        EXPECT_EQ(font.GetShadowOffset(), slot == 7 || slot == 9 ? 2 : 1) << slot;
    }
    EXPECT_EQ(CSkinFont::HandleOf(nullptr), nullptr);
    EXPECT_EQ(CSkinFont::HeightOf(nullptr), 15);
    EXPECT_EQ(CSkinFont::ShadowOffsetOf(nullptr), 1);
}

TEST(SkinText, MeasuresLinesAndDrawTextFlags)
{
    CSkinFont font;
    font.Create(1);
    CBitmapDC bitmap;
    bitmap.Create(8, 8, 32);
    SelectObject(bitmap.GetDC(), font.GetHandle());
    SIZE ab, space;
    GetTextExtentPoint32A(bitmap.GetDC(), "ab", 2, &ab);
    GetTextExtentPoint32A(bitmap.GetDC(), " ", 1, &space);

    CTextBuffer record;
    record.font = &font;
    record.shadow = 0;
    CTextPainter painter;
    painter.MeasureSkinText(bitmap, record, "ab\n\nab");
    EXPECT_EQ(record.lineCount, 3);
    EXPECT_EQ(record.width, ab.cx);
    EXPECT_EQ(record.height, 2 * ab.cy + space.cy);
    EXPECT_EQ(record.text, "CTextBuffer");

    record.shadow = 1;
    record.text = "ab";
    painter.MeasureSkinText(CBitmapDC(), record, nullptr); // an empty surface still measures
    EXPECT_EQ(record.lineCount, 1);
    EXPECT_EQ(record.width, ab.cx + 1);
    EXPECT_EQ(record.height, ab.cy + 1);

    EXPECT_EQ(CTextPainter::MakeDrawTextFlags(0, 1, 1), UINT(DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    EXPECT_EQ(CTextPainter::MakeDrawTextFlags(1, 2, 2), UINT(DT_EXPANDTABS | DT_RIGHT));
    EXPECT_EQ(CTextPainter::MakeDrawTextFlags(0, 0, 0), UINT(DT_EXPANDTABS | DT_SINGLELINE));
    EXPECT_EQ(CTextPainter::MakeDrawTextFlags(0, 7, 2), UINT(DT_EXPANDTABS | DT_SINGLELINE | DT_BOTTOM));
    EXPECT_EQ(CTextPainter::MakeDrawTextFlags(0, 2, -3), UINT(DT_EXPANDTABS | DT_SINGLELINE | DT_RIGHT | DT_VCENTER));
}

TEST(SkinText, OpaqueBoxesShortTextsAndCentredLines)
{
    CSkinFont font;
    font.Create(7); // shadow offset 2
    CTextBuffer record;
    record.font = &font;
    record.transparent = 0;
    record.text.clear();
    record.x = 10, record.y = 5, record.offsetX = 3, record.offsetY = 4;
    record.width = 20, record.height = 15;
    const std::vector<uint32_t> pixels = Drawn(record);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool inside = x >= 13 && x < 13 + 20 + 2 && y >= 9 && y < 9 + 15 + 2;
            ASSERT_EQ(pixels[y * 120 + x], inside ? record.backgroundColor : kBlank) << x << "," << y;
        }
    }
    EXPECT_EQ(Drawn(CTextBuffer()), std::vector<uint32_t>(120 * 60, kBlank)) << "a zero box shows nothing";

    {
        CSkinFont font;
        font.Create(1);
        CTextBuffer record;
        record.font = &font;
        record.horizontalAlignment = kTextAlignNear;
        record.width = 40, record.height = 20;
        record.text = "a text far wider than forty pixels";
        CTextBuffer expected = record;
        expected.text = "short";
        ASSERT_NE(Drawn(record), Drawn(expected)) << "the texts must look different for the choice to show";
        record.shortText = "short";
        EXPECT_EQ(Drawn(record), Drawn(expected));
        record.shortText = "still wider than forty";
        record.shorterText = "tiny";
        expected.text = "tiny";
        EXPECT_EQ(Drawn(record), Drawn(expected));
        record.shortText.clear();
        record.shorterText.clear();
        expected.text = record.text;
        EXPECT_EQ(Drawn(record), Drawn(expected)) << "nothing shorter: the whole text, cut by the surface";

        CTextBuffer lines = record;
        lines.text = "one\ntwo";
        lines.multiLine = 1;
        lines.height = 40;
        CTextBuffer measured = lines;
        CTextPainter().MeasureSkinText(CBitmapDC(), measured, nullptr);
        ASSERT_LT(measured.height, 38);
        CTextBuffer top = lines;
        top.verticalAlignment = kTextAlignNear;
        top.y = (40 - measured.height) / 2;
        EXPECT_EQ(Drawn(lines), Drawn(top));
        lines.verticalAlignment = kTextAlignFar;
        top.y = 40 - measured.height;
        EXPECT_EQ(Drawn(lines), Drawn(top));
    }
}
