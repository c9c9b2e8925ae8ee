#pragma once
#include "ControlTestSupport.h"

// A container window with the program's skin and a known background colour,
// for controls that draw faces.
struct PaintedHost : ContainerHost {
    explicit PaintedHost(int width = 240, int height = 120, uint32_t backgroundPixel = 0x00C8A064)
        : ContainerHost(width, height, &LoadedSkin())
    {
        container.GetSurface()->Fill(backgroundPixel);
    }
};

inline uint32_t PixelAt(const CBitmapDC& bitmap, int x, int y)
{
    return bitmap.GetBits()[y * bitmap.GetWidth() + x] & 0x00FFFFFF;
}

// Pixels of colour (alpha ignored) inside the columns [left, right).
inline int CountPixels(const CBitmapDC& bitmap, uint32_t colour, int left, int right)
{
    int count = 0;
    for (int y = 0; y < bitmap.GetHeight(); ++y)
        for (int x = left; x < right; ++x)
            count += PixelAt(bitmap, x, y) == colour;
    return count;
}
