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
