#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

class CSkinFont;

// Alignment of text in its box, horizontal (left, centre, right) or vertical
// (top, centre, bottom). Plain ints: skin queries hand them over as numbers.
const int kTextAlignNear = 0;
const int kTextAlignCentre = 1;
const int kTextAlignFar = 2;

// The record of one text the toolkit draws (CTextPainter), embedded by value
// wherever a window or control shows text and copied whole.
struct CTextBuffer {
    CTextBuffer();

    // The box, relative to the offset the drawer adds (the skin renderer sets
    // the offset to the element's position). Measuring overwrites width and height.
    int x;
    int y;
    int width;
    int height;
    int offsetX;
    int offsetY;
    int horizontalAlignment;
    int verticalAlignment; // single-line text only, or multi-line text once measured
    uint8_t multiLine;
    // Nonzero: a copy in the shadow colour is drawn first, moved right and down
    // by the font's shadow offset.
    int shadow;
    COLORREF textColor;
    COLORREF shadowColor;
    // Given to GDI as a COLORREF and written as a raw pixel by the box fill:
    // only greys read alike both ways.
    uint32_t backgroundColor;
    const CSkinFont* font; // not owned; null draws in the DC's current font
    // 0: the box (and the shadow's overhang) is filled with the background first.
    uint8_t transparent;
    int lineCount; // written by measuring
    std::string text;
    // Drawn instead when the text (then the short text) is wider than the box less 2.
    std::string shortText;
    std::string shorterText;
};
