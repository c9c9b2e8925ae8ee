#include "gui/skin/PixelOperations.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/CLightField.h"
#include "gui/graphics/CNoiseMap.h"
#include "gui/graphics/ColorHelpers.h"
#include "gui/graphics/PixelRegion.h"
#include "image/resize/ResizeTypes.h"
#include "signal/Dsp.h"
#include "signal/DspCpuSelect.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {
const int kByteMax = 255;
const uint32_t kAlphaMask = 0xFF000000u;
const int kMid = 128;            // overlay: a source byte of 128 leaves the destination
const double kSuperBelow = 0.75; // reductions below this in both directions average
// The sheen: noise regrows in powers of two with this margin, under a light
// band of this slope and width.
const int kNoiseMargin = 100;
const float kSheenFy = 0.6f, kSheenFx = 0.3f;
const int kNoiseTimesLightShift = 11;               // noise x light in 1/2048
const int kSheenGain = 8000;                        // strength 256 -> 8000 / 65536 per shade step
const double kSheenGreen = 0.98, kSheenBlue = 0.95; // a slightly warm grey
const uint32_t kSheenBase = 0x505050;

int ByteOf(uint32_t pixel, int index)
{
    return (pixel >> (8 * index)) & kByteMax;
}

// Runs fn(dstPixel, srcPixel) over the region cut to both surfaces.
template <typename PixelFn>
void ForEachPixelPair(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                      int height, PixelFn fn)
{
    if (!dst || !src || !dst->IsCreated() || !src->IsCreated())
        return;
    PixelRegion r = {dstX, dstY, srcX, srcY, width, height};
    if (!ClipPixelRegion(r, dst->GetWidth(), dst->GetHeight(), src->GetWidth(), src->GetHeight()))
        return;
    GdiFlush(); // GDI may still owe either section earlier drawing
    for (int row = 0; row < r.height; ++row) {
        uint32_t* d = dst->GetBits() + (r.y + row) * dst->GetWidth() + r.x;
        const uint32_t* s = src->GetBits() + (r.fromY + row) * src->GetWidth() + r.fromX;
        for (int col = 0; col < r.width; ++col)
            d[col] = fn(d[col], s[col]);
    }
}

// Doubles from the current size (1 for a map never made) until it reaches need.
int GrownSize(int current, bool never, int need)
{
    int size = never ? 1 : current;
    while (size < need)
        size *= 2;
    return size;
}

// The program's noise map at least (width + margin) x (height + margin); false
// when the heap could not supply it.
bool NoiseCovers(int width, int height)
{
    CNoiseMap& noise = ProgramNoiseMap();
    const bool never = noise.GetWidth() == 0 && noise.GetHeight() == 0;
    const int grownWidth = GrownSize(noise.GetWidth(), never, width + kNoiseMargin);
    const int grownHeight = GrownSize(noise.GetHeight(), never, height + kNoiseMargin);
    if (grownWidth > noise.GetWidth() || grownHeight > noise.GetHeight())
        noise.Generate(grownWidth, grownHeight);
    return noise.GetWidth() >= width && noise.GetHeight() >= height;
}
} // namespace

bool AlphaBlendImage(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                     int height)
{
    if (!dst || !src || !dst->IsCreated() || !src->IsCreated())
        return false;
    if (dst->GetBlend() == SurfaceBlend::Copy)
        return dst->CopyFrom(*src, srcX, srcY, width, height, dstX, dstY);
    width = width < 1 ? src->GetWidth() : width;
    height = height < 1 ? src->GetHeight() : height;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, kByteMax, AC_SRC_ALPHA};
    return AlphaBlend(dst->GetDC(), dstX, dstY, width, height, src->GetDC(), srcX, srcY, width, height, blend) != FALSE;
}

void OverlayBlendImage(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                       int height)
{
    ForEachPixelPair(dst, dstX, dstY, src, srcX, srcY, width, height, [](uint32_t d, uint32_t s) {
        const int a = ByteOf(s, 3);
        auto blend = [a](int dv, int sv) { return (a * sv + (kByteMax - a) * dv) >> 8; };
        auto overlay = [&](int i) {
            return blend(ByteOf(d, i), std::clamp(ByteOf(d, i) + ByteOf(s, i) - kMid, 0, kByteMax));
        };
        return uint32_t(blend(ByteOf(d, 3), a)) << 24 | uint32_t(overlay(2)) << 16 | uint32_t(overlay(1)) << 8 |
               uint32_t(overlay(0));
    });
}

void CopyAlphaChannel(CBitmapDC* dst, int dstX, int dstY, const CBitmapDC* src, int srcX, int srcY, int width,
                      int height)
{
    ForEachPixelPair(dst, dstX, dstY, src, srcX, srcY, width, height,
                     [](uint32_t d, uint32_t s) { return (s & kAlphaMask) | (d & ~kAlphaMask); });
}

void ScaleImageColors(CBitmapDC* bitmap, int left, int top, int right, int bottom, int factorRed, int factorGreen,
                      int factorBlue)
{
    if (!bitmap || !bitmap->IsCreated())
        return;
    if (left < 1 && top < 1 && right < 1 && bottom < 1) {
        right = bitmap->GetWidth();
        bottom = bitmap->GetHeight();
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, bitmap->GetWidth());
    bottom = std::min(bottom, bitmap->GetHeight());
    if (left >= right || top >= bottom)
        return;
    const int factors[3] = {std::max(factorBlue, 0), std::max(factorGreen, 0), std::max(factorRed, 0)};
    GdiFlush(); // GDI may still owe the section earlier drawing
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = bitmap->GetBits() + y * bitmap->GetWidth();
        for (int x = left; x < right; ++x) {
            uint32_t p = row[x] & kAlphaMask;
            for (int i = 0; i < 3; ++i)
                p |= uint32_t(std::min<int64_t>(kByteMax, (int64_t(ByteOf(row[x], i)) * factors[i]) >> kUnityShift))
                     << (8 * i);
            row[x] = p;
        }
    }
}

LibStatus ResizeImage(const CBitmapDC* src, CBitmapDC* dst, int srcX, int srcY, int srcWidth, int srcHeight, int dstX,
                      int dstY, int dstWidth, int dstHeight, ResizeMethod method)
{
    SelectDspCpu();
    if (!src || !dst)
        return StatusNullPointer;
    if (!src->GetBits() || !dst->GetBits())
        return StatusOk;
    if (dstX < 0 || dstY < 0 || dstX >= dst->GetWidth() || dstY >= dst->GetHeight())
        return StatusNoIntersection;
    if (dstWidth < 1 && dstHeight < 1) {
        dstWidth = dst->GetWidth();
        dstHeight = dst->GetHeight();
    }
    dstWidth = std::min(dstWidth, dst->GetWidth() - dstX);
    dstHeight = std::min(dstHeight, dst->GetHeight() - dstY);
    if (srcWidth < 1 && srcHeight < 1) {
        srcWidth = src->GetWidth();
        srcHeight = src->GetHeight();
    }
    const double xFactor = double(dstWidth) / srcWidth;
    const double yFactor = double(dstHeight) / srcHeight;
    const bool average = method == ResizeMethod::Auto && xFactor < kSuperBelow && yFactor < kSuperBelow;
    GdiFlush(); // GDI may still owe either section earlier drawing
    const int srcStep = src->GetWidth() * kBytesPerPixel;
    const int dstStep = dst->GetWidth() * kBytesPerPixel;
    return dspiResize_8u_C4R(reinterpret_cast<const unsigned char*>(src->GetBits()),
                             {src->GetWidth(), src->GetHeight()}, srcStep, {srcX, srcY, srcWidth, srcHeight},
                             reinterpret_cast<unsigned char*>(dst->GetBits() + dstY * dst->GetWidth() + dstX), dstStep,
                             {dstWidth, dstHeight}, xFactor, yFactor, average ? InterpSuper : InterpLanczos);
}

LibStatus ScaleImageToNew(const CBitmapDC* src, CBitmapDC* dst, float factor)
{
    if (!src || !dst)
        return StatusNullPointer;
    // Extended precision, so that 17 x 0.4f is 6.8 and not a rounded 7.
    const long double f = factor;
    dst->Create(static_cast<int>(src->GetWidth() * f), static_cast<int>(src->GetHeight() * f), 32);
    return ResizeImage(src, dst, 0, 0, 0, 0, 0, 0, 0, 0, ResizeMethod::Auto);
}

void SetRectFromSize(RECT& rect, int x, int y, int width, int height)
{
    rect = {x, y, x + width, y + height};
}

uint32_t ScaleColorRef(uint32_t color, int n)
{
    return ScaleColor(color, n * (1.0f / float(kUnity)));
}

void ApplySheen(CBitmapDC* bitmap, int16_t strength)
{
    if (!bitmap || !bitmap->IsCreated())
        return;
    const int w = bitmap->GetWidth(), h = bitmap->GetHeight();
    CShadeMap shade;
    if (!NoiseCovers(w, h) || !shade.Create(w, h))
        return;
    CLightField light;
    light.BuildField(w, h, kSheenFy, kSheenFx);
    const CShadeMap& field = light.GetField();
    const CShadeMap& noise = ProgramNoiseMap().GetMap();
    if (!field.GetValues())
        return;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            shade.GetValues()[y * w + x] = static_cast<int16_t>(
                (noise.GetValues()[y * noise.GetWidth() + x] * field.GetValues()[y * w + x]) >> kNoiseTimesLightShift);
    const int s = (strength * kSheenGain) >> 8;
    const ShadeParams params = {ShadeMode::Table,
                                s,
                                static_cast<int>(s * kSheenGreen),
                                static_cast<int>(s * kSheenBlue),
                                kSheenBase,
                                kUnity,
                                0,
                                0};
    shade.ApplyToBitmap(bitmap, nullptr, 0, 0, 0, 0, -1, -1, params);
}
