#pragma once
#include "gui/skin/CSkinBlitter.h"
#include "gui/skin/CTextBuffer.h"
#include <cstdint>

class CSkinImageSet;

// What a control asks the skin to draw (SkinElementKind), in which look.
// Kinds above 25 and below 0 draw as buttons.
// The kinds the toolkit and the program draw are named; the rest of 0-25
// have sets of their own that nothing asks for yet.
enum SkinElementKind : int {
    kSkinBackground = 0, // restores the element's area from the background only
    kSkinButton = 1,     // its picture set chosen by size
    kSkinSmallButton = 2,
    kSkinScrollTrack = 3,
    kSkinScrollThumb = 4,
    kSkinWindowFrame = 5, // a top-level window's frame and caption
    kSkinAltWindowFrame = 6,
    kSkinListFrame = 7, // around a drop list's popup; lit by skin value 3
    kSkinAltListFrame = 8,
    kSkinHighlight = 9, // the hovered row of a list
    kSkinIcon = 10,     // the state word is the icon's index
    kSkinGroupFrame = 14,
    kSkinTextBox = 16,
    kSkinSeparator = 17,
    kSkinLastKind = 25
};

// State flags of a request. The low five bits are the visual state: 0 normal,
// 1 pressed, 2 checked, 3 pressed and checked, 6 has a picture of its own too;
// others draw as normal. For icons (kind 10) the whole word is the icon index.
namespace SkinState {
const uint32_t kVisualMask = 0x1F;
const uint32_t kPressed = 0x01;
const uint32_t kChecked = 0x02;
const uint32_t kSineLight = 0x04;
const uint32_t kHover = 0x20;
const uint32_t kLightA = 0x10000;
const uint32_t kLightB = 0x20000;
const uint32_t kAltChecked = 0x40000; // checked shows picture 9 instead of 2
} // namespace SkinState

// The default colour controls put into a request.
const uint32_t kSkinRequestColor = 0xB0B0B0;

// A plain record; value-initialise it ({}) and fill what the element needs.
struct SkinDrawRequest {
    CBitmapDC* target;
    const CBitmapDC* background; // when set, the element's area is first restored from it
    const CBitmapDC* overlay;    // blended over the element (general path only)
    int backgroundX;             // the background's point under target (0, 0)
    int backgroundY;
    const char* text; // for the controls; the renderer does not read it
    uint32_t color = kSkinRequestColor;
    uint32_t stateFlags;
    int level;     // the element's alpha, 256 opaque
    RECT rect;     // inside the target
    int rectValid; // 0: the element covers the whole target
    uint8_t dimmed;
    int kind; // SkinElementKind
    StretchMode stretchMode;
    int middle;              // where the fixed middle piece is centred (x in ThreeColumns, y in ThreeRows)
    CTextBuffer* textRecord; // drawn over the element (general path); its offset is set to the element's place
};

// A named picture (CSkin::GetImageRef): id, width and height in; the picture
// and the part of it to use out.
struct ImageRef {
    int id;
    int width;
    int height;
    const CBitmapDC* image;
    int x;
    int y;
    int partWidth;
    int partHeight;
};

// Skin queries: events to the skin's listener part, source 3, p1 0, p2 the
// address of the query record (SkinQueryParam). The skin answers 1 to these codes.
enum SkinQuery : int {
    kSkinQueryElement = 1001, // SkinElementQuery
    kSkinQueryFrame = 1002,   // SkinFrameMetrics
    kSkinQueryColors = 1003,  // uint32_t[10]
    kSkinQueryLevels = 1004,  // uint32_t[2]
    kSkinQueryText = 1005     // uint32_t[4]
};
const int kSkinQueryColorCount = 10;
const int kSkinQueryLevelCount = 2;
const int kSkinQueryTextCount = 4;

inline int SkinQueryParam(void* record)
{
    return int(reinterpret_cast<intptr_t>(record));
}

struct SkinElementQuery {
    int kind; // in
    int width;
    int height;
    SkinInsets contentInsets;      // out: where content goes inside the element
    const CSkinImageSet* imageSet; // out: the set's other values
};

// Frame metrics of a top-level window, 30 words.
struct SkinFrameMetrics {
    int windowWidth; // in
    int unused1;     // left as the caller set it
    int captionHeight;
    int captionTextX;
    int captionTextY;
    int captionTextWidth;
    int captionTextHeight;
    // Caption styles, values 1..9 from index 0: 1, 2 and 3 a text record's
    // alignments and shadow flag; 4, 5, 7 and 8 text and shadow colours
    // (COLORREF) of the two caption texts. The inactive style's ninth is left
    // as the caller set it.
    int activeStyle[9];
    int inactiveStyle[9];
    int iconX;
    int iconY;
    int iconWidth;
    int iconHeight;
    int iconAdvance;
};
