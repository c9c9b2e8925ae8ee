#include "AboutArtworkDrawing.h"
#include "app/dialogs/AboutImages.h"
#include "app/dialogs/CAboutWindow.h"
#include "gui/skin/CSkinImage.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

// Every picture is the committed drawing at its size; indexes outside the table give nothing.
TEST(AboutImages, CommittedPicturesAndTableBounds)
{
    for (int index : {-1, 7, int(0x80000000)}) {
        const AboutImageBlob blob = GetAboutImage(index);
        EXPECT_EQ(blob.data, nullptr);
        EXPECT_EQ(blob.size, 0u);
    }
    for (int i = 0; i < kAboutImageCount; ++i) {
        const AboutImageBlob blob = GetAboutImage(i);
        EXPECT_EQ(blob.data[25], kAboutPictureShapes[i].colorType) << "the header's colour type, picture " << i;
        CSkinImage decoded;
        ASSERT_EQ(decoded.DecodePngImage(blob.data, blob.size), 0) << i;
        const CBitmapDC& image = decoded.GetImage();
        ASSERT_EQ(image.GetWidth(), kAboutPictureShapes[i].width);
        ASSERT_EQ(image.GetHeight(), kAboutPictureShapes[i].height);
        const std::vector<uint32_t> drawn = DrawAboutPicturePixels(i);
        EXPECT_EQ(std::memcmp(image.GetBits(), drawn.data(), drawn.size() * 4), 0)
            << "picture " << i << ": regenerate with gen_about_artwork";
    }
}

// The logo spans the surface less 30 pixels, aspect kept, 10 pixels above
// its bottom; a picture that does not decode draws nothing.
TEST(AboutImages, LogoScaledToTheSurfaceOrLeftOut)
{
    const AboutImageBlob logo = GetAboutImage(kAboutLogoImage);
    struct Case {
        int width, height;
        AboutImageBlob picture;
        RECT placed;
    };
    const Case cases[] = {{400, 420, logo, {15, 309, 385, 410}},
                          {770, 500, logo, {15, 288, 755, 490}},
                          {215, 300, logo, {15, 240, 200, 290}},
                          {400, 420, {logo.data, logo.size / 2}, {}},
                          {400, 420, {nullptr, 0}, {}}};
    const uint32_t kGround = 0x00123456;
    for (const Case& c : cases) {
        CControlContainer container;
        ContainerParams params;
        params.width = c.width;
        params.height = c.height;
        container.Create(params);
        container.GetSurface()->Fill(kGround);
        const RECT placed = DrawAboutLogo(container, c.picture);
        EXPECT_TRUE(EqualRect(&placed, &c.placed)) << placed.left << "," << placed.top << "," << placed.right;
        const uint32_t* bits = container.GetSurface()->GetBits();
        const int drawn = int(std::count_if(bits, bits + c.width * c.height, [&](uint32_t p) { return p != kGround; }));
        EXPECT_EQ(drawn > 0, !IsRectEmpty(&c.placed));
    }
}
