#pragma once
#include <cstdint>
#include <vector>

// The about window's seven pictures: the product logo (6), two panels with
// level bars (0, 4), two banners (1, 2) and two emblems (3, 5), drawn in
// code with a 5 x 7 block font.

struct AboutPictureShape {
    int width;
    int height;
    int colorType; // PNG colour type: 3 palette, 6 RGBA
};
extern const AboutPictureShape kAboutPictureShapes[];

// The picture's pixels, straight 0xAARRGGBB, rows top-down.
std::vector<uint32_t> DrawAboutPicturePixels(int index);

// The picture as a PNG file of its colour type; empty when it cannot be made.
std::vector<uint8_t> BuildAboutPicturePng(int index);
