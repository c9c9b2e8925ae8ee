#include "PngEncode.h"
#include "gui/skin/CSkinImage.h"
#include "tests/common/TraceCapture.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace {

uint32_t Bgra(int b, int g, int r, int a)
{
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

std::vector<uint32_t> Decode(const std::vector<uint8_t>& png)
{
    CSkinImage holder;
    EXPECT_EQ(holder.DecodePngImage(png.data(), uint32_t(png.size())), 0);
    return Pixels(holder.GetImage());
}

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// 13 x 11 RGBA with every pixel different, so each interlace pass shows.
PngPicture Gradient(PngInterlace interlace)
{
    PngPicture p;
    p.width = 13;
    p.height = 11;
    p.interlace = interlace;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x)
            p.rows.insert(p.rows.end(), {uint8_t(x * 19), uint8_t(y * 23), uint8_t(x ^ y), uint8_t(255 - x - y)});
    }
    return p;
}

struct FormatCase {
    const char* name;
    PngPicture picture;
    std::vector<uint32_t> expected;
};

} // namespace

TEST(SkinImage, DecodesEveryFormatAndInterlacedAsPlain)
{
    const FormatCase cases[] = {
        {"palette with transparency keeps the chunk's alpha",
         {3, 1, 8, 3, PngInterlace::None, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {0, 128}, {0, 1, 2}},
         {Bgra(30, 20, 10, 0), Bgra(60, 50, 40, 128), Bgra(90, 80, 70, 255)}},
        {"RGB gets alpha 255",
         {2, 1, 8, 2, PngInterlace::None, {}, {}, {1, 2, 3, 250, 251, 252}},
         {Bgra(3, 2, 1, 255), Bgra(252, 251, 250, 255)}},
        {"grey of 1 bit",
         {3, 1, 1, 0, PngInterlace::None, {}, {}, {0xA0}},
         {Bgra(255, 255, 255, 255), 0xFF000000u, Bgra(255, 255, 255, 255)}},
        {"grey of 2 bits",
         {3, 1, 2, 0, PngInterlace::None, {}, {}, {0x6C}},
         {Bgra(85, 85, 85, 255), Bgra(170, 170, 170, 255), Bgra(255, 255, 255, 255)}},
        {"grey of 4 bits",
         {2, 1, 4, 0, PngInterlace::None, {}, {}, {0x5F}},
         {Bgra(85, 85, 85, 255), Bgra(255, 255, 255, 255)}},
        {"grey with alpha", {1, 1, 8, 4, PngInterlace::None, {}, {}, {77, 33}}, {Bgra(77, 77, 77, 33)}},
        {"16-bit RGBA keeps the high bytes",
         {1, 1, 16, 6, PngInterlace::None, {}, {}, {0x12, 0xFF, 0x34, 0x00, 0x56, 0x80, 0x78, 0x01}},
         {Bgra(0x56, 0x34, 0x12, 0x78)}},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> png = EncodePng(c.picture);
        ASSERT_FALSE(png.empty());
        CSkinImage holder;
        ASSERT_EQ(holder.DecodePngImage(png.data(), uint32_t(png.size())), 0);
        EXPECT_EQ(holder.GetImage().GetWidth(), c.picture.width);
        EXPECT_EQ(holder.GetImage().GetHeight(), c.picture.height);
        EXPECT_EQ(Pixels(holder.GetImage()), c.expected);
    }

    const std::vector<uint32_t> plain = Decode(EncodePng(Gradient(PngInterlace::None)));
    ASSERT_EQ(plain.size(), 13u * 11u);
    EXPECT_EQ(plain[12 + 10 * 13], Bgra(10 ^ 12, 230, 228, 233));
    EXPECT_EQ(Decode(EncodePng(Gradient(PngInterlace::Adam7))), plain);
}

TEST(SkinImage, BrokenBlobsFailAndASecondDecodeReplaces)
{
    const std::vector<uint8_t> good = EncodePng(Gradient(PngInterlace::None));
    const std::vector<uint8_t> noPng(good.size(), 0x5A);
    std::vector<uint8_t> badCrc = good;
    badCrc[good.size() / 2] ^= 0x40;
    struct {
        const char* name;
        const uint8_t* data;
        uint32_t length;
    } cases[] = {
        {"no PNG", noPng.data(), uint32_t(noPng.size())},
        {"truncated in the pixels", good.data(), uint32_t(good.size() / 2)},
        {"truncated in the header", good.data(), 20},
        {"corrupt", badCrc.data(), uint32_t(badCrc.size())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSkinImage holder;
        ASSERT_EQ(holder.DecodePngImage(good.data(), uint32_t(good.size())), 0);
        TraceCapture trace;
        EXPECT_EQ(holder.DecodePngImage(c.data, c.length), -1);
        EXPECT_EQ(CountOf(trace.Text(), "PNG ERROR (lib "), 1) << trace.Text();
        EXPECT_FALSE(holder.GetImage().IsCreated());
    }
    CSkinImage holder;
    EXPECT_EQ(holder.DecodePngImage(nullptr, 100), -1);

    {
        const int before = CBitmapDC::GetLiveSectionCount();
        {
            CSkinImage holder;
            const std::vector<uint8_t> big = EncodePng(Gradient(PngInterlace::None));
            const std::vector<uint8_t> small = EncodePng({1, 1, 8, 2, PngInterlace::None, {}, {}, {9, 8, 7}});
            ASSERT_EQ(holder.DecodePngImage(big.data(), uint32_t(big.size())), 0);
            ASSERT_EQ(holder.DecodePngImage(small.data(), uint32_t(small.size())), 0);
            EXPECT_EQ(Pixels(holder.GetImage()), std::vector<uint32_t>{Bgra(7, 8, 9, 255)});
            EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), before + 1);
        }
        EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), before);
    }
}
