#pragma once
#include <cstdint>
#include <vector>

// What the program's icon and the about window's pictures share: the dark
// face, the level bars' colours, and the rows of an RGBA PNG.

const uint32_t kArtworkFace = 0xFF1E2A38;
const uint32_t kArtworkRim = 0xFF46566A;
const uint32_t kArtworkGreen = 0xFF40D060;

// A level bar's colour at a height given per mille of the bar area: green, yellow from 600, red from 850.
inline uint32_t LevelBarColour(int perMille)
{
    const int yellowFrom = 600, redFrom = 850;
    const uint32_t yellow = 0xFFE8D040, red = 0xFFE85040;
    return perMille >= redFrom ? red : perMille >= yellowFrom ? yellow : kArtworkGreen;
}

// Straight 0xAARRGGBB pixels as PNG rows of red, green, blue and alpha.
inline std::vector<uint8_t> RgbaRows(const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> rows;
    for (uint32_t p : pixels)
        rows.insert(rows.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    return rows;
}
