#pragma once
#include <cstdint>
#include <vector>

// The program's icon: a small analyser display (green, yellow and red level
// bars on a dark rounded face, clear outside its corners), drawn at each size
// the icon file carries.

const int kAppIconSizes[] = {16, 32, 48};
const int kAppIconSizeCount = 3;

// One image as an icon resource holds it: the bitmap header (height doubled
// for the mask), 32-bit blue-green-red-alpha rows bottom-up, then the 1-bit
// mask rows, each padded to 32 bits.
std::vector<uint8_t> DrawAppIconImage(int size);

// The .ico file of every size: directory, entries, images.
std::vector<uint8_t> BuildAppIconFile();
