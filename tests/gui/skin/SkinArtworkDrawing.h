#pragma once
#include "PngEncode.h"
#include "gui/skin/SkinArtwork.h"

// The artwork of the skin pictures: mid-grey faces with a light top-left and a
// dark bottom-right edge, rounded corners (transparent outside, or opaque
// magenta for frame pictures), white glyphs with black shadows. The rows and
// columns that stretching repeats are plain, so elements stretch cleanly.

struct SkinPictureArt {
    int width;
    int height;
    std::vector<uint32_t> pixels; // straight 0xAARRGGBB, rows top-down: what decoding gives
    bool palette;                 // stored with a palette and a transparency chunk
};

SkinPictureArt DrawSkinPicture(SkinPicture picture);
PngPicture ToPng(const SkinPictureArt& art);
const char* SkinPictureName(SkinPicture picture);
