#include "SkinArtworkDrawing.h"
#include "gui/skin/CSkinImage.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {
// PNG layout: the signature, then IHDR's length, type, width, height, depth and colour type.
const int kColorTypeOffset = 25;
const int kPaletteColorType = 3;
} // namespace

TEST(SkinArtwork, CommittedPicturesAreTheGeneratorsDrawing)
{
    CSkinImage holder;
    for (int i = 0; i < kSkinPictureCount; ++i) {
        SCOPED_TRACE(SkinPictureName(SkinPicture(i)));
        const SkinPictureBlob& blob = kSkinPictures[i];
        const SkinPictureArt art = DrawSkinPicture(SkinPicture(i));
        ASSERT_EQ(holder.DecodePngImage(blob.data, blob.size), 0);
        const CBitmapDC& image = holder.GetImage();
        ASSERT_EQ(image.GetWidth(), art.width);
        ASSERT_EQ(image.GetHeight(), art.height);
        EXPECT_EQ(std::memcmp(image.GetBits(), art.pixels.data(), art.pixels.size() * 4), 0)
            << "regenerate with gen_skin_artwork";
        const bool palette = blob.data[kColorTypeOffset] == kPaletteColorType;
        EXPECT_EQ(palette, art.palette);
        const bool transparency =
            std::search(blob.data, blob.data + blob.size, "tRNS", "tRNS" + 4) != blob.data + blob.size;
        EXPECT_EQ(transparency, art.palette);
    }
}

TEST(SkinArtwork, FramesAreMagentaOutsideTheirCornersAndStretchedRowsArePlain)
{
    // The repeated column left of each set's gap equals its neighbour inside the gap.
    const struct {
        SkinPicture picture;
        int insetLeft, insetTop;
        bool frame;
    } checks[] = {{SkinPicture::Set1State0, 8, 8, true},  {SkinPicture::Set2State1, 8, 8, true},
                  {SkinPicture::Set8State8, 8, 8, true},  {SkinPicture::Set9State8, 6, 6, true},
                  {SkinPicture::Set3State0, 8, 8, false}, {SkinPicture::Set7State0, 4, 6, false},
                  {SkinPicture::Set15, 7, 7, false},      {SkinPicture::Set25, 6, 8, false}};
    for (const auto& c : checks) {
        SCOPED_TRACE(SkinPictureName(c.picture));
        const SkinPictureArt art = DrawSkinPicture(c.picture);
        auto at = [&](int x, int y) { return art.pixels[y * art.width + x]; };
        EXPECT_EQ(at(0, 0), c.frame ? 0xFFFF00FFu : 0u);
        EXPECT_EQ(at(art.width - 1, art.height - 1), c.frame ? 0xFFFF00FFu : 0u);
        for (int y = 0; y < art.height; ++y)
            EXPECT_EQ(at(c.insetLeft - 1, y), at(c.insetLeft, y)) << y;
        for (int x = 0; x < art.width; ++x)
            EXPECT_EQ(at(x, c.insetTop - 1), at(x, std::min(c.insetTop, art.height - 1))) << x;
    }
}
