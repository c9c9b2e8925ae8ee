#pragma once
#include <windows.h>
#include <cstdint>

class CBitmapDC;

// Key colour that makes pixels with alpha 0 transparent instead of one value.
const uint32_t kRegionKeyAlpha = 0xFFFFFFFFu;

// A region over the whole bitmap minus its transparent pixels: those equal to
// keyColour, or with alpha 0 for kRegionKeyAlpha. Only part of the bitmap is
// scanned: border > 0 the four corner squares of border x border, border < 0 a
// frame |border| wide, 0 (or a bitmap smaller than two borders) all of it.
// The caller owns the region; an empty bitmap gives an empty one.
HRGN CreateRegionFromBitmap(const CBitmapDC& bitmap, uint32_t keyColour, int border);
