#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/SkinInsets.h"

// How a small picture grows to an element's size.
enum class StretchMode : int {
    Corners = 0,     // fixed corners; the rows and columns beside them repeat
    ThreeRows = 1,   // fixed top, middle and bottom pieces of two columns
    ThreeColumns = 2 // fixed left, middle and right pieces of two bands
};

// Whether the middle of a stretched frame is filled or left transparent black.
enum class StretchFill { Solid, Hollow };

// Bits of CornerPieces::flags: which fixed corner pieces come from the
// alternate picture, and which pieces read one pixel further in (so that the
// outermost row or column of the picture is left out at a screen edge).
namespace CornerFlag {
enum : uint32_t {
    TopLeft = 0x01,
    TopRight = 0x02,
    BottomLeft = 0x04,
    BottomRight = 0x08,
    ShiftLeft = 0x10,   // left pieces from one column further right
    ShiftTop = 0x20,    // top pieces from one row further down
    ShiftRight = 0x40,  // right pieces from one column further left
    ShiftBottom = 0x80, // bottom pieces from one row further up
    AlternateMask = 0x0F
};
}

// A second picture of the same size for some corners, as a window frame
// squares the corners that lie on a screen edge. Without an alternate the
// flags count as 0.
struct CornerPieces {
    const CBitmapDC* alternate = nullptr;
    uint32_t flags = 0;
};

// Grows small skin pictures to any size by copying their fixed pieces and
// repeating single edge rows and columns across the gaps: nothing is
// interpolated, so an element is as sharp as its picture at any size.
//
// Every stretch re-creates the output at the target size (fully transparent
// black) and fills what the picture covers. Every copy is cut to both the
// picture and the output, so a target smaller than the fixed pieces (a button
// 3 pixels high) shows what fits and writes nothing beyond. GUI thread only.
class CSkinBlitter {
public:
    virtual ~CSkinBlitter() = default;

    // False, with the output left as it was, for a null or empty source or a
    // target without area.
    bool Draw(const CBitmapDC* source, StretchFill fill, StretchMode mode, int middle, const SkinInsets& insets,
              const SkinInsets& zoneA, const SkinInsets& zoneB, int width, int height);

    // Corners of the insets' sizes stay; the top band repeats the column left of
    // its gap, the middle rows repeat row top - 1 (hollow: only beside the gap,
    // from the source). A bottom inset below 0 makes only the top band.
    bool StretchCorners(const CBitmapDC& source, const SkinInsets& insets, int width, int height, StretchFill fill,
                        const CornerPieces& corners = {});
    // Columns zoneA.left..zoneA.right (exclusive of the ends) of two bands
    // (above zoneA.top, from zoneA.bottom) are cut out; the middle piece,
    // columns zoneA.right..zoneB.left, is centred on x = middle; the gaps
    // repeat columns zoneA.left and zoneB.left.
    bool StretchThreeColumns(const CBitmapDC& source, const SkinInsets& zoneA, const SkinInsets& zoneB, int width,
                             int height, int middle);
    // The same turned: two columns (left of zoneA.left, from zoneA.right), each
    // with top, middle (rows zoneA.bottom..zoneB.top, centred on y = middle)
    // and bottom (from zoneB.bottom) pieces. The corner pieces are the top
    // and bottom ones; the shifts move the middle pieces sideways too.
    bool StretchThreeRows(const CBitmapDC& source, const SkinInsets& zoneA, const SkinInsets& zoneB, int width,
                          int height, int middle, StretchFill fill, const CornerPieces& corners = {});

    CBitmapDC output;
};

// Copies source's row segment at (sourceX, sourceY), width pixels, into count
// rows of destination from (destX, destY); nothing when sourceY < 0 or count < 1.
void ReplicateRow(const CBitmapDC& source, CBitmapDC& destination, int sourceX, int sourceY, int width, int count,
                  int destX, int destY);
// Copies source's column segment at (sourceX, sourceY), height pixels, into
// count columns of destination from (destX, destY); nothing when sourceX or
// sourceY is below 0 or count or height below 1.
void ReplicateColumn(const CBitmapDC& source, CBitmapDC& destination, int sourceX, int sourceY, int count, int height,
                     int destX, int destY);
// A width x height block, raw pixels with alpha. Source and destination may be
// the same surface when the rows do not overlap.
void CopyPixelBlock(const CBitmapDC& source, int sourceX, int sourceY, CBitmapDC& destination, int destX, int destY,
                    int width, int height);
