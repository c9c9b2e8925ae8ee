#pragma once
#include <cstdint>
#include <vector>

// The program's icon: a small analyser display (green, yellow and red level
// bars on a dark rounded face, clear outside its corners), drawn at each size
// the icon file carries, and at the size of the title bar's icon image.

const int kAppIconSizes[] = {16, 32, 48};
const int kAppIconSizeCount = 3;
const int kCaptionIconSize = 17;

// The icon's pixels, straight 0xAARRGGBB, rows top-down.
std::vector<uint32_t> DrawAppIconPixels(int size);

// One image as an icon resource holds it: the bitmap header (height doubled
// for the mask), 32-bit blue-green-red-alpha rows bottom-up, then the 1-bit
// mask rows, each padded to 32 bits.
std::vector<uint8_t> DrawAppIconImage(int size);

// The .ico file of every size: directory, entries, images.
std::vector<uint8_t> BuildAppIconFile();

// The title bar's icon image as a PNG file.
std::vector<uint8_t> BuildCaptionIconPng();
