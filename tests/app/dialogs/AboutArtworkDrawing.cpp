#include "AboutArtworkDrawing.h"
#include "tests/app/ArtworkColours.h"
#include "app/dialogs/AboutImages.h"
#include "tests/gui/skin/PngEncode.h"
#include <algorithm>
#include <cstring>
#include <map>

const AboutPictureShape kAboutPictureShapes[kAboutImageCount] = {
    {300, 220, 6}, {300, 110, 3}, {300, 110, 3}, {67, 62, 6}, {300, 220, 6}, {65, 63, 6}, {370, 101, 3}};

namespace {

const int kPaletteType = 3;
const int kGlyphWidth = 5;
const int kGlyphHeight = 7;
const int kMaxPaletteSize = 256;

const uint32_t kClear = 0x00000000;
const uint32_t kBlack = 0xFF000000;
const uint32_t kSloganGrey = 0xFF404040;
const uint32_t kWhite = 0xFFFFFFFF;
const uint32_t kBannerBlue = 0xFF2C5C9C;
const uint32_t kBannerRed = 0xFF9C3C2C;

// Rows of five bits, the leftmost pixel in bit 4.
struct Glyph {
    char c;
    uint8_t rows[kGlyphHeight];
};
const Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}}, {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
};

struct Canvas {
    int width;
    int height;
    std::vector<uint32_t> pixels;
    Canvas(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    void Fill(int x, int y, int w, int h, uint32_t colour)
    {
        for (int row = std::max(y, 0); row < std::min(y + h, height); ++row)
            for (int col = std::max(x, 0); col < std::min(x + w, width); ++col)
                pixels[size_t(row) * width + col] = colour;
    }
};

const Glyph* FindGlyph(char c)
{
    for (const Glyph& g : kGlyphs)
        if (g.c == c)
            return &g;
    return nullptr; // a blank
}

int TextWidth(const char* text, int scale, int gap)
{
    const int n = int(std::strlen(text));
    return n * kGlyphWidth * scale + (n - 1) * gap;
}

// Centred across the canvas, its top at y; every font pixel a scale x scale block.
void DrawText(Canvas& c, const char* text, int y, int scale, int gap, uint32_t colour)
{
    int x = (c.width - TextWidth(text, scale, gap)) / 2;
    for (const char* p = text; *p; ++p, x += kGlyphWidth * scale + gap) {
        const Glyph* g = FindGlyph(*p);
        for (int row = 0; g && row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col)
                if (g->rows[row] & (1 << (kGlyphWidth - 1 - col)))
                    c.Fill(x + col * scale, y + row * scale, scale, scale, colour);
    }
}

void DrawLogo(Canvas& c)
{
    const int wordScale = 7, wordGap = 5, sloganScale = 2, sloganGap = 2;
    DrawText(c, "QUILLMERE", 12, wordScale, wordGap, kBlack);
    DrawText(c, "REAL-TIME AUDIO ANALYSER", 75, sloganScale, sloganGap, kSloganGrey);
}

// Level bars rising from the bottom, per mille of the face's height.
void DrawPanel(Canvas& c, const int* profile, int bars)
{
    const int margin = 12;
    c.Fill(0, 0, c.width, c.height, kArtworkFace);
    const int area = c.height - 2 * margin, pitch = (c.width - 2 * margin) / bars;
    for (int i = 0; i < bars; ++i)
        for (int k = 0; k < profile[i] * area / 1000; ++k)
            c.Fill(margin + i * pitch, c.height - 1 - margin - k, pitch - 2, 1, LevelBarColour(k * 1000 / area));
}

void DrawBanner(Canvas& c, const char* word, uint32_t background)
{
    c.Fill(0, 0, c.width, c.height, background);
    c.Fill(0, c.height - 6, c.width, 6, kBlack);
    DrawText(c, word, 27, 6, 4, kWhite);
}

// A ring on a clear ground with a dot in its middle.
void DrawEmblem(Canvas& c)
{
    const int cx2 = c.width - 1, cy2 = c.height - 1; // centre, doubled
    const int outer = std::min(c.width, c.height) - 2, inner = outer * 3 / 4, dot = outer / 4;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const int dx = 2 * x - cx2, dy = 2 * y - cy2, d2 = dx * dx + dy * dy;
            const uint32_t colour = d2 <= dot * dot       ? kArtworkGreen
                                    : d2 <= inner * inner ? kClear
                                    : d2 <= outer * outer ? kArtworkRim
                                                          : kClear;
            c.pixels[size_t(y) * c.width + x] = colour;
        }
}

std::vector<uint8_t> PaletteRows(const Canvas& c, PngPicture& png)
{
    std::map<uint32_t, int> index;
    std::vector<uint8_t> rows;
    for (uint32_t pixel : c.pixels) {
        auto found = index.find(pixel);
        if (found == index.end()) {
            if (int(index.size()) == kMaxPaletteSize)
                return {};
            found = index.emplace(pixel, int(index.size())).first;
            png.palette.insert(png.palette.end(), {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
            png.alphas.push_back(uint8_t(pixel >> 24));
        }
        rows.push_back(uint8_t(found->second));
    }
    return rows;
}

} // namespace

std::vector<uint32_t> DrawAboutPicturePixels(int index)
{
    if (index < 0 || index >= kAboutImageCount)
        return {};
    const AboutPictureShape& shape = kAboutPictureShapes[index];
    Canvas c(shape.width, shape.height, kClear);
    const int spectrum[] = {450, 700, 900, 820, 640, 760, 520, 340, 420, 300};
    const int meters[] = {880, 860, 620, 600};
    switch (index) {
    case 0: DrawPanel(c, spectrum, 10); break;
    case 1: DrawBanner(c, "RTA", kBannerBlue); break;
    case 2: DrawBanner(c, "LOUDNESS", kBannerRed); break;
    case 4: DrawPanel(c, meters, 4); break;
    case kAboutLogoImage: DrawLogo(c); break;
    default: DrawEmblem(c); break;
    }
    return c.pixels;
}

std::vector<uint8_t> BuildAboutPicturePng(int index)
{
    const std::vector<uint32_t> pixels = DrawAboutPicturePixels(index);
    if (pixels.empty())
        return {};
    const AboutPictureShape& shape = kAboutPictureShapes[index];
    Canvas c(shape.width, shape.height, kClear);
    c.pixels = pixels;
    PngPicture png;
    png.width = shape.width;
    png.height = shape.height;
    png.colorType = shape.colorType;
    png.rows = shape.colorType == kPaletteType ? PaletteRows(c, png) : RgbaRows(c.pixels);
    return png.rows.empty() ? std::vector<uint8_t>() : EncodePng(png);
}
