#include "gui/graphics/CBitmapDC.h"
#include "common/DebugTrace.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <atomic>
#include <climits>

namespace {
const int kAlphaShift = 24;
const uint32_t kColorMask = 0x00FFFFFFu;
const uint32_t kByteMax = 255;

std::atomic<int> g_liveSections{0};

// The section's byte count must fit the header's 32-bit size field.
bool SizeFitsSection(int width, int height)
{
    return width > 0 && height > 0 && int64_t(width) * height * kBytesPerPixel <= INT_MAX;
}

// Visits every pixel of the already clipped rect; the loops stay plain so the
// compiler can keep the per-pixel work inline.
template <typename PixelFn>
void ForEachPixel(uint32_t* bits, int stride, int left, int top, int right, int bottom, PixelFn fn)
{
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = bits + y * stride;
        for (int x = left; x < right; ++x)
            row[x] = fn(row[x]);
    }
}
} // namespace

CBitmapDC::CBitmapDC()
    : m_dc(nullptr), m_bitmap(nullptr), m_previous(nullptr), m_bits(nullptr), m_created(false), m_width(0), m_height(0),
      m_blend(SurfaceBlend::Blend), m_trace(SurfaceTrace::Off), m_info()
{}

CBitmapDC::~CBitmapDC()
{
    Destroy();
}

void CBitmapDC::Create(int width, int height, int bitsPerPixel)
{
    if (m_trace == SurfaceTrace::On)
        DebugTrace("CBitmapDC::Create %i, %i\n", width, height);
    Destroy();
    m_width = width;
    m_height = height;
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_bits = nullptr;
    if (width == 0 || height == 0)
        return;

    BITMAPINFOHEADER& header = m_info.bmiHeader;
    header = BITMAPINFOHEADER();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height; // negative: rows top-down
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;

    void* bits = nullptr;
    if (bitsPerPixel == kBitsPerPixel && SizeFitsSection(width, height)) {
        header.biSizeImage = static_cast<DWORD>(width * height * kBytesPerPixel);
        m_dc = CreateCompatibleDC(nullptr);
        if (m_dc)
            m_bitmap = CreateDIBSection(m_dc, &m_info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    if (!m_bitmap || !bits) {
        // Refused: nothing half made may stay, and a zero size keeps callers' loops empty.
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_dc)
            DeleteDC(m_dc);
        m_dc = nullptr;
        m_bitmap = nullptr;
        m_width = m_height = 0;
        return;
    }
    m_bits = static_cast<uint32_t*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    m_created = true;
    ++g_liveSections;
}

void CBitmapDC::CreateCopy(const CBitmapDC& source)
{
    Create(source.m_width, source.m_height, kBitsPerPixel);
    CopyFrom(source, 0, 0, 0, 0, 0, 0);
}

void CBitmapDC::Destroy()
{
    if (!m_created)
        return;
    m_created = false;
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_previous = nullptr;
    m_bits = nullptr;
    --g_liveSections;
}

void CBitmapDC::Fill(uint32_t color)
{
    if (m_trace == SurfaceTrace::On)
        DebugTrace("CBitmapDC::Fill %x\n", color);
    if (!m_created)
        return;
    GdiFlush(); // GDI may still owe the section earlier drawing
    std::fill_n(m_bits, GetPixelCount(), color);
}

void CBitmapDC::FillRect(int left, int top, int right, int bottom, uint32_t color)
{
    Rect r = {left, top, right, bottom};
    if (!ClipForPixels(r))
        return;
    for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(m_bits + y * m_width + r.left, r.right - r.left, color);
}

bool CBitmapDC::CopyFrom(const CBitmapDC& source, int sourceX, int sourceY, int width, int height, int destX, int destY)
{
    if (!m_dc || !source.m_dc)
        return false;
    return BitBlt(m_dc, destX, destY, width < 1 ? m_width : width, height < 1 ? m_height : height, source.m_dc, sourceX,
                  sourceY, SRCCOPY) != FALSE;
}

void CBitmapDC::PremultiplyAlpha()
{
    PremultiplyAlphaRect(0, 0, m_width, m_height);
}

void CBitmapDC::PremultiplyAlphaRect(int left, int top, int right, int bottom)
{
    Rect r = {left, top, right, bottom};
    if (!ClipForPixels(r))
        return;
    ForEachPixel(m_bits, m_width, r.left, r.top, r.right, r.bottom, [](uint32_t pixel) {
        uint32_t alpha = pixel >> kAlphaShift;
        uint32_t blue = (pixel & kByteMax) * alpha / kByteMax;
        uint32_t green = (pixel >> 8 & kByteMax) * alpha / kByteMax;
        uint32_t red = (pixel >> 16 & kByteMax) * alpha / kByteMax;
        return alpha << kAlphaShift | red << 16 | green << 8 | blue;
    });
}

void CBitmapDC::ScaleAlpha(int level)
{
    ScaleAlphaRect(0, 0, m_width, m_height, level);
}

void CBitmapDC::ScaleAlphaRect(int left, int top, int right, int bottom, int level)
{
    Rect r = {left, top, right, bottom};
    if (level == kUnity || !ClipForPixels(r))
        return;
    // A level outside 0..256 would carry alpha past a byte; it is held to one.
    const int factor = std::clamp(level, 0, kUnity);
    ForEachPixel(m_bits, m_width, r.left, r.top, r.right, r.bottom, [factor](uint32_t pixel) {
        uint32_t alpha = (pixel >> kAlphaShift) * factor >> 8;
        return alpha << kAlphaShift | (pixel & kColorMask);
    });
}

int CBitmapDC::GetLiveSectionCount()
{
    return g_liveSections;
}

bool CBitmapDC::ClipForPixels(Rect& rect) const
{
    if (!m_created)
        return false;
    rect.right = std::min(rect.right, m_width);
    rect.bottom = std::min(rect.bottom, m_height);
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    if (rect.top >= rect.bottom || rect.left >= rect.right)
        return false;
    GdiFlush(); // GDI may still owe the section earlier drawing
    return true;
}
