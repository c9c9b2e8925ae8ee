#pragma once
#include "signal/DspTypes.h"
#include <windows.h>
#include <cstdint>

class CBitmapDC;

// The toolkit's per-pixel work on CBitmapDC surfaces: blends, tints, resizes
// and the frame sheen. Regions are clipped to the surfaces; a null or empty
// surface is left alone. GUI thread only; none keeps state but the sheen's
// shared noise map.

// How ResizeImage picks its filter.
enum class ResizeMethod {
    Auto,   // supersampling when both factors are below 0.75, else Lanczos
    Lanczos // always Lanczos
};

// Draws src's region at (srcX, srcY) onto dst at (dstX, dstY) through AlphaBlend
// with per-pixel alpha, so src must be premultiplied; a width or height below 1
// means src's. A dst set to SurfaceBlend::Copy gets the pixels copied, alpha
// included (and there a size below 1 means dst's). Returns the GDI call's answer.
bool AlphaBlendImage(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                     int height);

// Overlay: each colour byte d := (a * limit(d + s - 128) + (255 - a) * d) >> 8
// and alpha := (a * a + (255 - a) * d) >> 8, a being src's alpha. The weights
// add to 255: opaque over opaque comes out one step darker with alpha 254.
void OverlayBlendImage(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                       int height);

// dst's alpha bytes := src's; colours stay.
void CopyAlphaChannel(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                      int height);

// Colour byte := min(255, byte * factor >> 8), factors 256 = unchanged (below 0
// counts as 0); alpha stays. All four edges below 1 mean the whole bitmap.
void ScaleImageColors(CBitmapDC* bitmap, int left, int top, int right, int bottom, int factorRed, int factorGreen,
                      int factorBlue);

// Resizes src's region into dst's through the library's image resize, choosing
// the processor variant first (once per process). Both sizes of a region below
// 1 mean the whole bitmap. The destination region is cut to dst, which changes
// the factor like a smaller size asked for; one that starts outside dst draws
// nothing and answers StatusNoIntersection. 0 without drawing when either
// bitmap has no pixels, StatusNullPointer for a null one; otherwise the
// library's status.
LibStatus ResizeImage(const CBitmapDC* src, CBitmapDC* dst, int srcX, int srcY, int srcWidth, int srcHeight, int dstX,
                      int dstY, int dstWidth, int dstHeight, ResizeMethod method);

// Makes dst a copy of src scaled by factor (sizes truncated), resized whole to
// whole with ResizeMethod::Auto; the resize's status.
LibStatus ScaleImageToNew(const CBitmapDC* src, CBitmapDC* dst, float factor);

void SetRectFromSize(RECT& rect, int x, int y, int width, int height);

// Each of bytes 0..2 of a COLORREF or pixel value times n / 256, held to 255;
// byte 3 := 0.
uint32_t ScaleColorRef(uint32_t color, int n);

// Shades the whole bitmap with the program's noise under a diagonal band of
// light; strength 256 is normal. Colours and alpha are replaced. Grows the
// program's noise map in powers of two, 100 pixels beyond the bitmap.
void ApplySheen(CBitmapDC* bitmap, int16_t strength);
