#pragma once
#include "gui/graphics/CBitmapDC.h"
#include <vector>

// The pixel at (x, y), alpha included.
inline uint32_t At(const CBitmapDC& bitmap, int x, int y)
{
    return bitmap.GetBits()[y * bitmap.GetWidth() + x];
}

// Every pixel, top row first, once GDI has finished drawing.
inline std::vector<uint32_t> Pixels(const CBitmapDC& bitmap)
{
    GdiFlush();
    return std::vector<uint32_t>(bitmap.GetBits(), bitmap.GetBits() + bitmap.GetPixelCount());
}

// The mean luminance (0..255, weights 299, 587, 114) of the pixels of
// [left, right) x [top, bottom); premultiplied, so transparent counts as black.
inline int MeanLuminance(const CBitmapDC& bitmap, int left, int top, int right, int bottom)
{
    GdiFlush();
    long long sum = 0, count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x, ++count) {
            const uint32_t p = At(bitmap, x, y);
            sum += ((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114;
        }
    }
    return count ? int(sum / (count * 1000)) : 0;
}
