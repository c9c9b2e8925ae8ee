#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/CTextBuffer.h"

// Measures and draws text records into surfaces with GDI text output. The font
// of a record stays selected in the surface's DC afterwards; the toolkit selects
// one before every text output. GUI thread only.
class CTextPainter {
public:
    // DrawTextExA format flags: tabs expanded; single line unless multi-line;
    // horizontal alignment; vertical alignment for single-line text only.
    static UINT MakeDrawTextFlags(uint8_t multiLine, int horizontalAlignment, int verticalAlignment);

    // Measures text (the record's own when null) in the record's font, line by
    // line ("\n" breaks; an empty line is as high as a space), and writes width
    // (the widest line), height (the sum) and line count into the record; the
    // shadow adds one pixel to both. An empty surface measures on a scratch one.
    void MeasureSkinText(const CBitmapDC& bitmap, CTextBuffer& record, const char* text) const;

    // Draws the record's text (or the shorter texts that fit) in its box at its
    // offset, shadow first; fills the box first when the record is not transparent.
    void DrawSkinText(CBitmapDC& bitmap, const CTextBuffer& record) const;

private:
    const std::string& ChooseText(const CBitmapDC& bitmap, const CTextBuffer& record) const;
    int MultiLineDrop(const CTextBuffer& record) const;
};
