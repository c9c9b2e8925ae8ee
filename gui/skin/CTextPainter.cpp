#include "gui/skin/CTextPainter.h"
#include "gui/skin/CSkinFont.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <cstring>

namespace {

// A scratch surface only needs a DC for the font to measure in.
const int kScratchSize = 8;
// A text needs this much more than its width to fit its box.
const int kFitMargin = 2;

void SelectFont(HDC dc, const CTextBuffer& record)
{
    if (HFONT font = CSkinFont::HandleOf(record.font))
        SelectObject(dc, font);
}

SIZE MeasureLine(HDC dc, const char* line, int length)
{
    SIZE size = {0, 0};
    if (length == 0)
        GetTextExtentPoint32A(dc, " ", 1, &size);
    else
        GetTextExtentPoint32A(dc, line, length, &size);
    return size;
}

void DrawAt(HDC dc, const std::string& text, RECT box, UINT flags)
{
    DrawTextExA(dc, const_cast<char*>(text.c_str()), int(text.size()), &box, flags, nullptr);
}

} // namespace

UINT CTextPainter::MakeDrawTextFlags(uint8_t multiLine, int horizontalAlignment, int verticalAlignment)
{
    UINT flags = DT_EXPANDTABS;
    if (horizontalAlignment == kTextAlignCentre)
        flags |= DT_CENTER;
    else if (horizontalAlignment == kTextAlignFar)
        flags |= DT_RIGHT;
    if (multiLine)
        return flags;
    flags |= DT_SINGLELINE;
    if (verticalAlignment == kTextAlignFar)
        flags |= DT_BOTTOM;
    else if (verticalAlignment != kTextAlignNear)
        flags |= DT_VCENTER;
    return flags;
}

void CTextPainter::MeasureSkinText(const CBitmapDC& bitmap, CTextBuffer& record, const char* text) const
{
    CBitmapDC scratch;
    HDC dc = bitmap.GetDC();
    if (!dc) {
        scratch.Create(kScratchSize, kScratchSize, kBitsPerPixel);
        dc = scratch.GetDC();
    }
    SelectFont(dc, record);
    const char* s = text ? text : record.text.c_str();
    const int length = int(std::strlen(s));
    int widest = 0, total = 0, lines = 0, lineStart = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && s[i] != '\n')
            continue;
        const SIZE size = MeasureLine(dc, s + lineStart, i - lineStart);
        widest = std::max(widest, int(size.cx));
        total += size.cy;
        ++lines;
        lineStart = i + 1;
    }
    const int shadowPixel = record.shadow ? 1 : 0;
    record.width = widest + shadowPixel;
    record.height = total + shadowPixel;
    record.lineCount = lines;
}

// How far a multi-line text moves down to sit centred or at the bottom of its box.
int CTextPainter::MultiLineDrop(const CTextBuffer& record) const
{
    if (!record.multiLine || record.verticalAlignment == kTextAlignNear)
        return 0;
    CTextBuffer copy = record;
    MeasureSkinText(CBitmapDC(), copy, nullptr);
    const int room = record.height - copy.height;
    return record.verticalAlignment == kTextAlignFar ? room : room / 2;
}

const std::string& CTextPainter::ChooseText(const CBitmapDC& bitmap, const CTextBuffer& record) const
{
    const std::string* chosen = &record.text;
    const std::string* fallbacks[] = {&record.shortText, &record.shorterText};
    for (const std::string* fallback : fallbacks) {
        if (fallback->empty())
            continue;
        CTextBuffer copy = record;
        MeasureSkinText(bitmap, copy, chosen->c_str());
        if (copy.width + kFitMargin > record.width)
            chosen = fallback;
    }
    return *chosen;
}

void CTextPainter::DrawSkinText(CBitmapDC& bitmap, const CTextBuffer& record) const
{
    HDC dc = bitmap.GetDC();
    if (!dc)
        return;
    const int drop = MultiLineDrop(record);
    const UINT flags = MakeDrawTextFlags(record.multiLine, record.horizontalAlignment, record.verticalAlignment);
    SetBkMode(dc, TRANSPARENT);
    SelectFont(dc, record);
    const int left = record.x + record.offsetX;
    const int top = record.y + record.offsetY + drop;
    const RECT box = {left, top, left + record.width, top + record.height};
    const int shadowOffset = CSkinFont::ShadowOffsetOf(record.font);
    if (!record.transparent) {
        const int overhang = record.shadow ? shadowOffset : 0;
        bitmap.FillRect(box.left, box.top, box.right + overhang, box.bottom + overhang, record.backgroundColor);
    }
    SetBkColor(dc, record.backgroundColor);
    const std::string& text = ChooseText(bitmap, record);
    if (text.empty())
        return;
    if (record.shadow) {
        SetTextColor(dc, record.shadowColor);
        DrawAt(dc, text,
               {box.left + shadowOffset, box.top + shadowOffset, box.right + shadowOffset, box.bottom + shadowOffset},
               flags);
    }
    SetTextColor(dc, record.textColor);
    DrawAt(dc, text, box, flags);
}
