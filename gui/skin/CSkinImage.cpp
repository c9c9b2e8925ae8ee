#include "gui/skin/CSkinImage.h"
#include "common/CRowBuffer.h"
#include "common/DebugTrace.h"
#include "gui/ToolkitConventions.h"
#include <png.h>
#include <cstdint>
#include <cstring>

namespace {

const png_byte kOpaqueFiller = 0xFF;
int g_decodeCount = 0;

void PngReadFromMemory(png_structp png, png_bytep destination, png_size_t count)
{
    CSkinImage::Cursor* cursor = static_cast<CSkinImage::Cursor*>(png_get_io_ptr(png));
    // A short read would hand libpng bytes nobody wrote: the stream is truncated.
    if (count > cursor->size - cursor->position)
        png_error(png, "read past the end of the data");
    std::memcpy(destination, cursor->data + cursor->position, count);
    cursor->position += static_cast<uint32_t>(count);
}

[[noreturn]] void PngErrorHandler(png_structp png, png_const_charp message)
{
    DebugTrace("PNG ERROR (lib %x): %s\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(png)), message);
    png_longjmp(png, 1);
}

void PngWarningHandler(png_structp png, png_const_charp message)
{
    DebugTrace("PNG WARNING (lib %x): %s\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(png)), message);
}

// Every picture comes out as four bytes blue, green, red, alpha per pixel.
// Returns the number of interlace passes.
int RequestBgraTransforms(png_structp png, png_infop info)
{
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
        png_set_bgr(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (bitDepth < 8)
        png_set_packing(png);
    png_set_filler(png, kOpaqueFiller, PNG_FILLER_AFTER);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA)
        png_set_bgr(png);
    return png_set_interlace_handling(png);
}

// The libpng calls, inside the error return point. Nothing here may have a
// destructor: an error jumps straight back to the setjmp, past any frame.
// The rows are the caller's, so they are freed however this ends.
int ReadRows(png_structp png, png_infop info, CSkinImage::Cursor* cursor, CRowBuffer* rows, int* width)
{
    png_set_read_fn(png, cursor, PngReadFromMemory);
    png_set_error_fn(png, cursor, PngErrorHandler, PngWarningHandler);
    if (setjmp(png_jmpbuf(png)))
        return -1;
    png_read_info(png, info);
    const int passes = RequestBgraTransforms(png, info);
    png_read_update_info(png, info);
    const png_uint_32 columns = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != columns * kBytesPerPixel || !rows->Alloc(columns * kBytesPerPixel, height))
        return -1;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, rows->Row(y), nullptr);
    }
    png_read_end(png, nullptr);
    *width = static_cast<int>(columns);
    return 0;
}

} // namespace

CSkinImage::CSkinImage() : m_cursor{nullptr, 0, 0}
{}

int CSkinImage::GetDecodeCount()
{
    return g_decodeCount;
}

int CSkinImage::DecodePngImage(const void* blob, uint32_t length)
{
    ++g_decodeCount;
    m_image.Destroy();
    if (!blob)
        return -1;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return -1;
    png_infop info = png_create_info_struct(png);
    png_infop endInfo = info ? png_create_info_struct(png) : nullptr;
    if (!endInfo) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return -1;
    }
    m_cursor = {static_cast<const uint8_t*>(blob), 0, length};
    CRowBuffer rows;
    int width = 0;
    const int result = ReadRows(png, info, &m_cursor, &rows, &width);
    png_destroy_read_struct(&png, &info, &endInfo);
    if (result != 0)
        return result;
    m_image.Create(width, rows.GetRows(), kBitsPerPixel);
    if (!m_image.IsCreated())
        return -1;
    const int rowBytes = m_image.GetWidth() * kBytesPerPixel;
    for (int y = 0; y < m_image.GetHeight(); ++y)
        std::memcpy(m_image.GetBits() + y * m_image.GetWidth(), rows.Row(y), rowBytes);
    return 0;
}
