#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/CNoiseMap.h"
#include "gui/skin/PixelOperations.h"
#include "image/resize/ResizeTypes.h"
#include "signal/Dsp.h"
#include "signal/DspCpuSelect.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

void Make(CBitmapDC& dc, int width, int height, uint32_t fill)
{
    dc.Create(width, height, 32);
    dc.Fill(fill);
}

// How many pixels of dc differ from fill.
int Changed(const CBitmapDC& dc, uint32_t fill)
{
    int n = 0;
    for (uint32_t p : Pixels(dc))
        n += p != fill;
    return n;
}

// A picture whose every pixel differs, so that filters give different results.
void MakePattern(CBitmapDC& dc, int width, int height)
{
    dc.Create(width, height, 32);
    for (int i = 0; i < width * height; ++i)
        dc.GetBits()[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8 & 0xFFFFFF);
}

} // namespace

// Overlay and alpha copy on known pixels; a frame smaller than its insets asks
// for regions past either bitmap.
TEST(PixelOperations, BlendsOnKnownPixelsClippedToBothBitmaps)
{
    const uint32_t Grey200 = 0xFFC8C8C8;
    const struct {
        uint32_t dst, src, overlay, alphaCopy;
    } cases[] = {
        {Grey200, 0xFF808080, 0xFEC7C7C7, Grey200},    // mid grey over opaque: one step darker
        {Grey200, 0x00808080, 0xFEC7C7C7, 0x00C8C8C8}, // transparent: (255 * d) >> 8
        {0xFF102030, 0xFFFFFFFF, 0xFE8E9EAE, 0xFF102030},
        {0xFF102030, 0xFF000000, 0xFE000000, 0xFF102030}, // held at 0
    };
    for (const auto& c : cases) {
        CBitmapDC dst, src;
        Make(dst, 1, 1, c.dst);
        Make(src, 1, 1, c.src);
        OverlayBlendImage(&dst, 0, 0, &src, 0, 0, 1, 1);
        EXPECT_EQ(Pixels(dst)[0], c.overlay) << std::hex << c.src;
        dst.Fill(c.dst);
        CopyAlphaChannel(&dst, 0, 0, &src, 0, 0, 1, 1);
        EXPECT_EQ(Pixels(dst)[0], c.alphaCopy) << std::hex << c.src;
    }

    const struct {
        int dstX, dstY, srcX, srcY, width, height, changed;
    } regions[] = {
        {1, 1, 0, 0, 8, 8, 4},  {-1, -1, 0, 0, 8, 8, 9}, {0, 0, 6, 6, 8, 8, 4}, {0, 0, -1, 0, 8, 8, 6},
        {0, 0, -5, 0, 8, 8, 0}, {3, 0, 0, 0, 8, 8, 0},   {0, 0, 0, 0, 0, 3, 0}, {0, 0, 0, 0, 2, 1, 2},
    };
    CBitmapDC dst, src;
    Make(src, 8, 8, 0x80FFFFFF);
    for (const auto& c : regions) {
        Make(dst, 3, 3, 0xFF000000);
        OverlayBlendImage(&dst, c.dstX, c.dstY, &src, c.srcX, c.srcY, c.width, c.height);
        EXPECT_EQ(Changed(dst, 0xFF000000), c.changed) << c.dstX << "," << c.srcX;
        dst.Fill(0xFF000000);
        CopyAlphaChannel(&dst, c.dstX, c.dstY, &src, c.srcX, c.srcY, c.width, c.height);
        EXPECT_EQ(Changed(dst, 0xFF000000), c.changed);
    }
    OverlayBlendImage(nullptr, 0, 0, &src, 0, 0, 4, 4);
    CopyAlphaChannel(&dst, 0, 0, nullptr, 0, 0, 4, 4);
}

TEST(PixelOperations, ScaleColorsAndAlphaBlend)
{
    const struct {
        int left, top, right, bottom, red, green, blue;
        uint32_t inside;
        int changed;
    } cases[] = {
        {0, 0, 0, 0, 512, 256, 128, 0x80FF6418, 12}, // all edges 0: the whole bitmap
        {1, 1, 3, 2, 0, 0, 0, 0x80000000, 2},
        {2, 0, 9, 1, -5, 256, 256, 0x80006430, 2}, // clipped; below 0 counts as 0
    };
    for (const auto& c : cases) {
        CBitmapDC dc;
        Make(dc, 4, 3, 0x80C86430);
        ScaleImageColors(&dc, c.left, c.top, c.right, c.bottom, c.red, c.green, c.blue);
        EXPECT_EQ(Changed(dc, 0x80C86430), c.changed) << c.left << "," << c.top;
        if (c.changed) {
            EXPECT_EQ(Pixels(dc)[c.top * 4 + c.left], c.inside);
        }
    }
    ScaleImageColors(nullptr, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(ScaleColorRef(0xFF808080, 512), 0x00FFFFFFu);
    EXPECT_EQ(ScaleColorRef(0xFF808080, 128), 0x00404040u);

    CBitmapDC dst, src;
    Make(dst, 4, 4, 0xFF0000FF);
    Make(src, 2, 2, 0x80400000); // premultiplied half red
    src.GetBits()[3] = 0x00000000;
    ASSERT_TRUE(AlphaBlendImage(&dst, 1, 1, &src, 0, 0, 0, 0)); // size 0: the whole source
    GdiFlush();
    const uint32_t blended = Pixels(dst)[1 * 4 + 1]; // red kept, blue about halved
    EXPECT_EQ(blended & 0xFFFFFF00u, 0xFF400000u);
    EXPECT_NEAR(int(blended & 0xFF), 127, 1);
    EXPECT_EQ(Pixels(dst)[2 * 4 + 2], 0xFF0000FFu); // alpha 0 leaves it
    EXPECT_EQ(Changed(dst, 0xFF0000FF), 3);

    dst.SetBlend(SurfaceBlend::Copy);
    ASSERT_TRUE(AlphaBlendImage(&dst, 0, 0, &src, 0, 0, 2, 2));
    EXPECT_EQ(Pixels(dst)[0], 0x80400000u); // copied, alpha included
    EXPECT_EQ(Pixels(dst)[5], 0x00000000u);

    CBitmapDC empty;
    EXPECT_FALSE(AlphaBlendImage(&dst, 0, 0, &empty, 0, 0, 0, 0));
    EXPECT_FALSE(AlphaBlendImage(nullptr, 0, 0, &src, 0, 0, 0, 0));
}

// The filter choice, checked against the library called directly.
TEST(PixelOperations, ResizeImagePicksTheFilterAndRefusesBadInput)
{
    const struct {
        int width, height;
        ResizeMethod method;
        int interpolation;
    } cases[] = {
        {16, 10, ResizeMethod::Auto, InterpSuper},
        {24, 15, ResizeMethod::Auto, InterpLanczos}, // exactly 0.75
        {16, 10, ResizeMethod::Lanczos, InterpLanczos},
        {16, 20, ResizeMethod::Auto, InterpLanczos}, // one direction only
    };
    CBitmapDC src;
    MakePattern(src, 32, 20);
    SelectDspCpu();
    for (const auto& c : cases) {
        CBitmapDC dst, expected;
        Make(dst, c.width, c.height, 0);
        Make(expected, c.width, c.height, 0);
        ASSERT_EQ(ResizeImage(&src, &dst, 0, 0, 0, 0, 0, 0, 0, 0, c.method), 0);
        ASSERT_EQ(dspiResize_8u_C4R(reinterpret_cast<unsigned char*>(src.GetBits()), {32, 20}, 32 * 4, {0, 0, 32, 20},
                                    reinterpret_cast<unsigned char*>(expected.GetBits()), c.width * 4,
                                    {c.width, c.height}, c.width / 32.0, c.height / 20.0, c.interpolation),
                  0);
        EXPECT_EQ(Pixels(dst), Pixels(expected)) << c.width << "x" << c.height;
    }

    {
        CBitmapDC src, dst, empty;
        MakePattern(src, 17, 17);
        ASSERT_EQ(ScaleImageToNew(&src, &dst, 0.4f), 0);
        EXPECT_EQ(dst.GetWidth(), 6); // 6.8 truncated
        EXPECT_EQ(dst.GetHeight(), 6);

        Make(dst, 8, 8, 0x12345678);
        EXPECT_EQ(ResizeImage(&empty, &dst, 0, 0, 0, 0, 0, 0, 0, 0, ResizeMethod::Auto), 0);
        EXPECT_EQ(ResizeImage(&src, &empty, 0, 0, 0, 0, 0, 0, 0, 0, ResizeMethod::Auto), 0);
        EXPECT_EQ(ResizeImage(nullptr, &dst, 0, 0, 0, 0, 0, 0, 0, 0, ResizeMethod::Auto), StatusNullPointer);
        EXPECT_EQ(ResizeImage(&src, &dst, 0, 0, 0, 0, 8, 0, 0, 0, ResizeMethod::Auto), StatusNoIntersection);
        EXPECT_EQ(ResizeImage(&src, &dst, 0, 0, 0, 0, -1, 0, 0, 0, ResizeMethod::Auto), StatusNoIntersection);
        EXPECT_EQ(Changed(dst, 0x12345678), 0);
        // A region reaching past the destination is cut to it.
        EXPECT_EQ(ResizeImage(&src, &dst, 0, 0, 0, 0, 6, 6, 8, 8, ResizeMethod::Auto), 0);
        EXPECT_EQ(Changed(dst, 0x12345678), 4);
        EXPECT_EQ(ScaleImageToNew(&empty, &dst, 0.5f), 0);
        EXPECT_FALSE(dst.IsCreated());
        EXPECT_EQ(ScaleImageToNew(&src, nullptr, 0.5f), StatusNullPointer);
    }
}

TEST(PixelOperations, SheenGrowsTheNoiseOnlyWhenNeeded)
{
    const struct {
        int width, height, noiseWidth, noiseHeight;
    } cases[] = {{300, 200, 512, 512}, {400, 300, 512, 512}, {420, 20, 1024, 512}};
    for (const auto& c : cases) {
        CBitmapDC dc;
        Make(dc, c.width, c.height, 0xFF000000);
        ApplySheen(&dc, 256);
        EXPECT_EQ(ProgramNoiseMap().GetWidth(), c.noiseWidth);
        EXPECT_EQ(ProgramNoiseMap().GetHeight(), c.noiseHeight);
        for (uint32_t p : Pixels(dc)) { // a warm grey
            const int red = p >> 16 & 255, green = p >> 8 & 255, blue = p & 255;
            ASSERT_TRUE(red >= green && green >= blue && red > 0) << std::hex << p;
        }
    }
    ApplySheen(nullptr, 256);
}
