#include "gui/skin/CSkinBlitter.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Cuts one axis of a copy of n pixels from s to d to both extents; in 64 bits,
// so that no hostile start or count wraps around into the surfaces.
bool ClipAxis(int& s, int& d, int& n, int sourceExtent, int destExtent)
{
    const int64_t lead = std::max<int64_t>({0, -int64_t(s), -int64_t(d)});
    const int64_t from = s + lead, to = d + lead;
    const int64_t count = std::min({n - lead, sourceExtent - from, destExtent - to});
    if (count <= 0)
        return false;
    s = int(from);
    d = int(to);
    n = int(count);
    return true;
}

uint32_t* PixelAt(const CBitmapDC& bitmap, int x, int y)
{
    return bitmap.GetBits() + y * bitmap.GetWidth() + x;
}

// Where each corner piece comes from.
class CornerSource {
public:
    CornerSource(const CBitmapDC& source, const CornerPieces& corners)
        : m_source(source), m_alternate(corners.alternate), m_flags(corners.alternate ? corners.flags : 0)
    {}
    const CBitmapDC& Image(uint32_t piece) const { return (m_flags & piece) ? *m_alternate : m_source; }
    int Shift(uint32_t shift) const { return (m_flags & shift) ? 1 : 0; }

private:
    const CBitmapDC& m_source;
    const CBitmapDC* m_alternate;
    uint32_t m_flags;
};

// A size the system refuses leaves the output empty: nothing to fill, however
// many rows the stretch would otherwise visit one by one.
bool Remake(CBitmapDC& output, int width, int height)
{
    output.Create(width, height, kBitsPerPixel);
    return output.IsCreated();
}
} // namespace

void CopyPixelBlock(const CBitmapDC& source, int sourceX, int sourceY, CBitmapDC& destination, int destX, int destY,
                    int width, int height)
{
    if (!source.GetBits() || !destination.GetBits() ||
        !ClipAxis(sourceX, destX, width, source.GetWidth(), destination.GetWidth()) ||
        !ClipAxis(sourceY, destY, height, source.GetHeight(), destination.GetHeight()))
        return;
    for (int row = 0; row < height; ++row)
        std::memmove(PixelAt(destination, destX, destY + row), PixelAt(source, sourceX, sourceY + row),
                     width * sizeof(uint32_t));
}

void ReplicateRow(const CBitmapDC& source, CBitmapDC& destination, int sourceX, int sourceY, int width, int count,
                  int destX, int destY)
{
    if (sourceY < 0)
        return;
    // Only rows that land in the destination are visited: a hostile count would loop for seconds.
    const int64_t first = std::max<int64_t>(0, -int64_t(destY));
    const int64_t end = std::min<int64_t>(count, int64_t(destination.GetHeight()) - destY);
    for (int64_t i = first; i < end; ++i)
        CopyPixelBlock(source, sourceX, sourceY, destination, destX, int(destY + i), width, 1);
}

void ReplicateColumn(const CBitmapDC& source, CBitmapDC& destination, int sourceX, int sourceY, int count, int height,
                     int destX, int destY)
{
    if (sourceX < 0 || sourceY < 0 || sourceX >= source.GetWidth() || !source.GetBits() || !destination.GetBits())
        return;
    int first = 0;
    if (!ClipAxis(first, destX, count, count, destination.GetWidth()) ||
        !ClipAxis(sourceY, destY, height, source.GetHeight(), destination.GetHeight()))
        return;
    for (int row = 0; row < height; ++row) {
        uint32_t* to = PixelAt(destination, destX, destY + row);
        std::fill(to, to + count, *PixelAt(source, sourceX, sourceY + row));
    }
}

bool CSkinBlitter::Draw(const CBitmapDC* source, StretchFill fill, StretchMode mode, int middle,
                        const SkinInsets& insets, const SkinInsets& zoneA, const SkinInsets& zoneB, int width,
                        int height)
{
    if (!source || !source->GetBits())
        return false;
    switch (mode) {
    case StretchMode::ThreeRows: return StretchThreeRows(*source, zoneA, zoneB, width, height, middle, fill);
    case StretchMode::ThreeColumns: return StretchThreeColumns(*source, zoneA, zoneB, width, height, middle);
    default: return StretchCorners(*source, insets, width, height, fill);
    }
}

bool CSkinBlitter::StretchCorners(const CBitmapDC& s, const SkinInsets& insets, int width, int height, StretchFill fill,
                                  const CornerPieces& corners)
{
    if (!s.GetBits() || width < 1 || height < 1)
        return false;
    const CornerSource c(s, corners);
    const int sw = s.GetWidth(), sh = s.GetHeight();
    const int l = insets.left, t = insets.top, r = insets.right, b = insets.bottom;
    const int leftX = c.Shift(CornerFlag::ShiftLeft);
    const int rightX = sw - r - c.Shift(CornerFlag::ShiftRight);
    if (!Remake(output, width, height))
        return false;
    CopyPixelBlock(c.Image(CornerFlag::TopLeft), leftX, c.Shift(CornerFlag::ShiftTop), output, 0, 0, l, t);
    CopyPixelBlock(c.Image(CornerFlag::TopRight), rightX, c.Shift(CornerFlag::ShiftTop), output, width - r, 0, r, t);
    ReplicateColumn(output, output, l - 1, 0, width - l - r, t, l, 0);
    if (b < 0)
        return true;
    const int bottomY = sh - b - c.Shift(CornerFlag::ShiftBottom);
    CopyPixelBlock(c.Image(CornerFlag::BottomLeft), leftX, bottomY, output, 0, height - b, l, b);
    CopyPixelBlock(c.Image(CornerFlag::BottomRight), rightX, bottomY, output, width - r, height - b, r, b);
    ReplicateColumn(output, output, l - 1, height - b, width - l - r, b, l, height - b);
    const int gapRows = height - t - b;
    if (fill == StretchFill::Hollow) {
        ReplicateRow(s, output, leftX, t - 1, l, gapRows, 0, t);
        ReplicateRow(s, output, rightX, t - 1, r, gapRows, width - r, t);
    } else {
        ReplicateRow(output, output, 0, t - 1, width, gapRows, 0, t);
    }
    return true;
}

bool CSkinBlitter::StretchThreeColumns(const CBitmapDC& s, const SkinInsets& zoneA, const SkinInsets& zoneB, int width,
                                       int height, int middle)
{
    if (!s.GetBits())
        return false;
    const int sw = s.GetWidth(), sh = s.GetHeight();
    if (!Remake(output, width, height))
        return false;
    const int span = zoneB.left - zoneA.right;
    const int x0 = middle - (span >> 1);
    const int rightWidth = sw - zoneB.right;
    const int rightX = width - rightWidth;
    const struct {
        int row, rows, y;
    } bands[2] = {{0, zoneA.top, 0}, {zoneA.bottom, sh - zoneA.bottom, height - (sh - zoneA.bottom)}};
    for (const auto& band : bands) {
        CopyPixelBlock(s, 0, band.row, output, 0, band.y, zoneA.left, band.rows);
        CopyPixelBlock(s, zoneA.right, band.row, output, x0, band.y, span, band.rows);
        CopyPixelBlock(s, zoneB.right, band.row, output, rightX, band.y, rightWidth, band.rows);
        ReplicateColumn(s, output, zoneA.left, band.row, x0 - zoneA.left, band.rows, zoneA.left, band.y);
        ReplicateColumn(s, output, zoneB.left, band.row, rightX - (x0 + span), band.rows, x0 + span, band.y);
    }
    ReplicateRow(output, output, 0, zoneA.top - 1, width, height - zoneA.top - (sh - zoneA.bottom), 0, zoneA.top);
    return true;
}

bool CSkinBlitter::StretchThreeRows(const CBitmapDC& s, const SkinInsets& zoneA, const SkinInsets& zoneB, int width,
                                    int height, int middle, StretchFill fill, const CornerPieces& corners)
{
    if (!s.GetBits())
        return false;
    const CornerSource c(s, corners);
    const int sw = s.GetWidth(), sh = s.GetHeight();
    if (!Remake(output, width, height))
        return false;
    const int span = zoneB.top - zoneA.bottom;
    const int y0 = middle - (span >> 1);
    const int bottomRows = sh - zoneB.bottom;
    const int bottomY = height - bottomRows;
    const int topRow = c.Shift(CornerFlag::ShiftTop);
    const int bottomRow = zoneB.bottom - c.Shift(CornerFlag::ShiftBottom);
    const struct {
        int sourceX, columns, x;
        uint32_t top, bottom;
    } sides[2] = {{c.Shift(CornerFlag::ShiftLeft), zoneA.left, 0, CornerFlag::TopLeft, CornerFlag::BottomLeft},
                  {zoneA.right - c.Shift(CornerFlag::ShiftRight), sw - zoneA.right, width - (sw - zoneA.right),
                   CornerFlag::TopRight, CornerFlag::BottomRight}};
    for (const auto& side : sides) {
        CopyPixelBlock(c.Image(side.top), side.sourceX, topRow, output, side.x, 0, side.columns, zoneA.top);
        CopyPixelBlock(s, side.sourceX, zoneA.bottom, output, side.x, y0, side.columns, span);
        CopyPixelBlock(c.Image(side.bottom), side.sourceX, bottomRow, output, side.x, bottomY, side.columns,
                       bottomRows);
    }
    const int gap = sides[1].x - zoneA.left;
    ReplicateColumn(s, output, zoneA.left, topRow, gap, zoneA.top, zoneA.left, 0);
    ReplicateColumn(s, output, zoneA.left, zoneA.bottom, gap, span, zoneA.left, y0);
    ReplicateColumn(s, output, zoneA.left, bottomRow, gap, bottomRows, zoneA.left, bottomY);
    const int upperRows = y0 - zoneA.top;
    const int lowerRows = bottomY - (y0 + span);
    for (const auto& side : sides) {
        const int x = fill == StretchFill::Hollow ? side.x : 0;
        const int columns = fill == StretchFill::Hollow ? side.columns : width;
        ReplicateRow(output, output, x, zoneA.top - 1, columns, upperRows, x, zoneA.top);
        ReplicateRow(output, output, x, y0 + span - 1, columns, lowerRows, x, y0 + span);
        if (fill == StretchFill::Solid)
            break;
    }
    return true;
}
