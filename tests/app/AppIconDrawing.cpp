#include "AppIconDrawing.h"
#include "ArtworkColours.h"
#include "tests/gui/skin/PngEncode.h"
#include <windows.h>
#include <algorithm>

namespace {

// Per mille of the bar area: a programme spectrum, rising from the bass and falling to the treble.
const int kProfile[] = {450, 700, 900, 820, 640, 760, 520, 340};
const int kProfileCount = 8;

struct Canvas {
    int size;
    std::vector<uint32_t> pixels; // rows top-down, 0xAARRGGBB
    uint32_t& at(int x, int y) { return pixels[size_t(y) * size + x]; }
};

// Whether the pixel lies on the face, whose corners are quarter circles of radius r.
bool OnFace(int size, int r, int x, int y)
{
    if (x < 0 || y < 0 || x >= size || y >= size)
        return false;
    const int cx = std::min(x, size - 1 - x);
    const int cy = std::min(y, size - 1 - y);
    if (cx >= r || cy >= r)
        return true;
    // Pixel centres against the circle, in half pixels.
    const int dx = 2 * (r - cx) - 1;
    const int dy = 2 * (r - cy) - 1;
    return dx * dx + dy * dy <= 4 * r * r;
}

// The face with a lighter rim wherever a neighbour lies off it.
void DrawFace(Canvas& c)
{
    const int r = c.size / 6;
    for (int y = 0; y < c.size; ++y)
        for (int x = 0; x < c.size; ++x) {
            const bool rim = !OnFace(c.size, r, x - 1, y) || !OnFace(c.size, r, x + 1, y) ||
                             !OnFace(c.size, r, x, y - 1) || !OnFace(c.size, r, x, y + 1);
            c.at(x, y) = !OnFace(c.size, r, x, y) ? 0 : rim ? kArtworkRim : kArtworkFace;
        }
}

void DrawBars(Canvas& c)
{
    const int margin = c.size / 8;
    const int pitch = std::max(3, c.size / 8); // a bar and its gap
    const int area = c.size - 2 * margin;
    const int count = area / pitch;
    const int left = margin + (area - count * pitch + 1) / 2;
    for (int i = 0; i < count; ++i) {
        const int height = kProfile[i * kProfileCount / count] * area / 1000;
        for (int k = 0; k < height; ++k) {
            for (int x = left + i * pitch; x < left + (i + 1) * pitch - 1; ++x)
                c.at(x, c.size - 1 - margin - k) = LevelBarColour(k * 1000 / area);
        }
    }
}

void Append(std::vector<uint8_t>& out, const void* data, size_t bytes)
{
    const auto* p = static_cast<const uint8_t*>(data);
    out.insert(out.end(), p, p + bytes);
}

#pragma pack(push, 1)
struct IconDirectory {
    WORD reserved;
    WORD type; // 1: icons
    WORD count;
};
struct IconDirectoryEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount; // 0: more than 256 colours
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    DWORD offset;
};
#pragma pack(pop)

const WORD kIconType = 1;
const WORD kBitsPerPixel = 32;
const int kPngRgba = 6; // PNG colour type

} // namespace

std::vector<uint32_t> DrawAppIconPixels(int size)
{
    Canvas c = {size, std::vector<uint32_t>(size_t(size) * size)};
    DrawFace(c);
    DrawBars(c);
    return c.pixels;
}

std::vector<uint8_t> DrawAppIconImage(int size)
{
    Canvas c = {size, DrawAppIconPixels(size)};
    const int maskStride = (size + 31) / 32 * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = 2 * size; // colour rows, then the mask's
    header.biPlanes = 1;
    header.biBitCount = kBitsPerPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(size * size * 4 + maskStride * size);
    std::vector<uint8_t> image;
    Append(image, &header, sizeof(header));
    for (int y = size - 1; y >= 0; --y)
        Append(image, &c.at(0, y), size_t(size) * 4);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride);
        for (int x = 0; x < size; ++x)
            if (!(c.at(x, y) >> 24))
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
        Append(image, row.data(), row.size());
    }
    return image;
}

std::vector<uint8_t> BuildAppIconFile()
{
    std::vector<std::vector<uint8_t>> images;
    for (int size : kAppIconSizes)
        images.push_back(DrawAppIconImage(size));
    const IconDirectory directory = {0, kIconType, WORD(kAppIconSizeCount)};
    std::vector<uint8_t> file;
    Append(file, &directory, sizeof(directory));
    DWORD offset = sizeof(IconDirectory) + kAppIconSizeCount * sizeof(IconDirectoryEntry);
    for (int i = 0; i < kAppIconSizeCount; ++i) {
        const IconDirectoryEntry entry = {BYTE(kAppIconSizes[i]), BYTE(kAppIconSizes[i]),  0,     0, 1,
                                          kBitsPerPixel,          DWORD(images[i].size()), offset};
        Append(file, &entry, sizeof(entry));
        offset += DWORD(images[i].size());
    }
    for (const auto& image : images)
        Append(file, image.data(), image.size());
    return file;
}

std::vector<uint8_t> BuildCaptionIconPng()
{
    PngPicture png;
    png.width = kCaptionIconSize;
    png.height = kCaptionIconSize;
    png.colorType = kPngRgba;
    png.rows = RgbaRows(DrawAppIconPixels(kCaptionIconSize));
    return EncodePng(png);
}
