#include "PngEncode.h"
#include <png.h>

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp)
{}

// Inside the error return point: nothing with a destructor lives here.
bool Write(png_structp png, png_infop info, const PngPicture& p, std::vector<uint8_t>* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, AppendToVector, Flush);
    // The fixed level keeps the generated artwork the same on every run.
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colorType,
                 p.interlace == PngInterlace::Adam7 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!p.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(p.palette.data()), int(p.palette.size() / 3));
    if (!p.alphas.empty())
        png_set_tRNS(png, info, p.alphas.data(), int(p.alphas.size()), nullptr);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const size_t stride = p.rows.size() / p.height;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < p.height; ++y)
            png_write_row(png, p.rows.data() + y * stride);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const PngPicture& picture)
{
    std::vector<uint8_t> out;
    if (picture.width < 1 || picture.height < 1)
        return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info && !Write(png, info, picture, &out))
        out.clear();
    png_destroy_write_struct(&png, &info);
    return out;
}
