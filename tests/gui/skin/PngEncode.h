#pragma once
#include <cstdint>
#include <vector>

enum class PngInterlace { None, Adam7 };

// What a PNG holds: rows are packed as the format stores them (bit depths
// below 8 several pixels a byte, 16-bit samples high byte first).
struct PngPicture {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colorType = 6; // PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    PngInterlace interlace = PngInterlace::None;
    std::vector<uint8_t> palette; // red, green, blue per entry
    std::vector<uint8_t> alphas;  // the transparency chunk of a palette picture
    std::vector<uint8_t> rows;
};

// The PNG file of the picture through libpng's writer; empty when it refuses.
std::vector<uint8_t> EncodePng(const PngPicture& picture);
