#include "gui/window/BitmapRegion.h"
#include "gui/graphics/CBitmapDC.h"
#include <cstdint>
#include <cstdlib>

namespace {
const uint32_t kAlphaOne = 0x1000000u; // the lowest pixel value with a non-zero alpha

bool IsTransparent(uint32_t pixel, uint32_t keyColour)
{
    return keyColour == kRegionKeyAlpha ? pixel < kAlphaOne : pixel == keyColour;
}

// Subtracts each run of transparent pixels in [left, right) x [top, bottom),
// one row at a time.
void CutBand(HRGN region, const CBitmapDC& bitmap, uint32_t keyColour, int left, int top, int right, int bottom)
{
    const uint32_t* bits = bitmap.GetBits();
    const int stride = bitmap.GetWidth();
    for (int y = top; y < bottom; ++y) {
        const uint32_t* row = bits + y * stride;
        for (int x = left; x < right;) {
            if (!IsTransparent(row[x], keyColour)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < right && IsTransparent(row[end], keyColour))
                ++end;
            HRGN run = CreateRectRgn(x, y, end, y + 1);
            CombineRgn(region, region, run, RGN_DIFF);
            DeleteObject(run);
            x = end;
        }
    }
}
} // namespace

HRGN CreateRegionFromBitmap(const CBitmapDC& bitmap, uint32_t keyColour, int border)
{
    const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
    HRGN region = CreateRectRgn(0, 0, w, h);
    if (!region || !bitmap.IsCreated())
        return region;
    GdiFlush(); // GDI may still owe the section earlier drawing
    // In 64 bits: a border of INT_MIN, or one whose double wraps, still counts as too wide.
    const int64_t wide = std::llabs(int64_t(border));
    if (border == 0 || w < 2 * wide || h < 2 * wide) {
        CutBand(region, bitmap, keyColour, 0, 0, w, h);
        return region;
    }
    const int b = int(wide);
    if (border > 0) {
        CutBand(region, bitmap, keyColour, 0, 0, b, b);
        CutBand(region, bitmap, keyColour, w - b, 0, w, b);
        CutBand(region, bitmap, keyColour, 0, h - b, b, h);
        CutBand(region, bitmap, keyColour, w - b, h - b, w, h);
    } else {
        CutBand(region, bitmap, keyColour, 0, 0, b, h);
        CutBand(region, bitmap, keyColour, b, 0, w - b, b);
        CutBand(region, bitmap, keyColour, w - b, 0, w, h);
        CutBand(region, bitmap, keyColour, b, h - b, w - b, h);
    }
    return region;
}
