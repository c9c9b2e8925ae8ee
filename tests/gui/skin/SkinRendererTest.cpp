#include "gui/skin/CSkinRenderer.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

const uint32_t kTargetFill = 0xFF204060;

class SkinRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        decodesBefore = CSkinImage::GetDecodeCount();
        renderer.Load(nullptr);
        target.Create(100, 40, 32);
        target.Fill(kTargetFill);
    }

    // The target after drawing one element over all of it.
    std::vector<uint32_t> Draw(int kind, uint32_t flags, int width = 100, int height = 40)
    {
        target.Create(width, height, 32);
        target.Fill(kTargetFill);
        SkinDrawRequest request = {};
        request.target = &target;
        request.kind = kind;
        request.stateFlags = flags;
        request.level = 256;
        renderer.DrawElement(request);
        return Pixels(target);
    }

    SkinElementQuery Query(int kind, int width, int height)
    {
        SkinElementQuery q = {kind, width, height, {-9, -9, -9, -9}, nullptr};
        EXPECT_EQ(renderer.OnEvent(nullptr, EventSource::Request, kSkinQueryElement, 0, SkinQueryParam(&q), nullptr),
                  1);
        return q;
    }

    int decodesBefore = 0;
    CSkinRenderer renderer;
    CBitmapDC target;
};

} // namespace

TEST_F(SkinRendererTest, LoadDecodesEveryPictureOnceAndFillsTheSetsWithTheirValues)
{
    EXPECT_EQ(CSkinImage::GetDecodeCount() - decodesBefore, 48);
    // Each set holds what its fill steps put there: a decoded picture at its
    // size times the step's factor, showing the step's states, or every picture
    // of another set so scaled, showing the same states.
    struct Source {
        const CBitmapDC* image;
        std::vector<int> states; // the states the copy must show
    };
    std::vector<int> images(kSkinSetCount, 0);
    for (int i = 0; i < kSkinSetFillCount; ++i) {
        const SkinSetFill& fill = kSkinSetFills[i];
        const CSkinImageSet& set = *renderer.GetImageSet(fill.set);
        std::vector<Source> sources;
        CSkinImage decoded;
        if (fill.sourceSet == kDecodePicture) {
            const SkinPictureBlob& blob = kSkinPictures[int(fill.picture)];
            ASSERT_EQ(decoded.DecodePngImage(blob.data, blob.size), 0) << i;
            Source source = {&decoded.GetImage(), {}};
            for (int state : fill.states)
                if (state != kNoSkinState)
                    source.states.push_back(state);
            sources.push_back(source);
        } else {
            const CSkinImageSet& from = *renderer.GetImageSet(fill.sourceSet);
            for (int k = 0; k < from.GetImageCount(); ++k) {
                Source source = {from.ImageAt(k), {}};
                for (int state = 0; state < CSkinImageSet::kStateCount; ++state)
                    if (from.StateImage(state) == from.ImageAt(k))
                        source.states.push_back(state);
                sources.push_back(source);
            }
        }
        for (const Source& source : sources) {
            ASSERT_LT(images[fill.set], set.GetImageCount()) << "step " << i;
            const CBitmapDC* image = set.ImageAt(images[fill.set]++);
            EXPECT_LT(std::abs(image->GetWidth() - source.image->GetWidth() * fill.factor), 1.0f) << "step " << i;
            EXPECT_LT(std::abs(image->GetHeight() - source.image->GetHeight() * fill.factor), 1.0f) << "step " << i;
            for (int state : source.states)
                EXPECT_EQ(set.StateImage(state), image) << "step " << i << ", state " << state;
        }
    }
    for (int set = 0; set < kSkinSetCount; ++set)
        EXPECT_EQ(renderer.GetImageSet(set)->GetImageCount(), images[set]) << "set " << set;
    const CSkinImageSet& scaled = *renderer.GetImageSet(4); // states as in set 3
    EXPECT_EQ(scaled.StateImage(6), scaled.ImageAt(1));
    EXPECT_EQ(scaled.StateImage(9), scaled.ImageAt(4));
    EXPECT_EQ(scaled.StateImage(4), nullptr);
    EXPECT_EQ(renderer.GetImageSet(14)->StateImage(8), renderer.GetImageSet(14)->ImageAt(1));
    EXPECT_EQ(renderer.GetImageSet(3)->buttonValues[1], -2);
    EXPECT_EQ(renderer.GetImageSet(17)->stretchInsets.bottom, -1);
}

TEST_F(SkinRendererTest, SetsBySizeQueriesAndFontsBySlot)
{
    EXPECT_EQ(renderer.ImageSetForKind(1, 60, 20), renderer.GetImageSet(4));
    EXPECT_EQ(renderer.ImageSetForKind(1, 60, 24), renderer.GetImageSet(3));
    EXPECT_EQ(renderer.ImageSetForKind(1, 16, 30), renderer.GetImageSet(5));
    EXPECT_EQ(renderer.ImageSetForKind(99, 60, 24), renderer.GetImageSet(3)) << "unknown kinds are buttons";
    EXPECT_EQ(renderer.ImageSetForKind(-1, 60, 20), renderer.GetImageSet(4));
    EXPECT_EQ(renderer.ImageSetForKind(23, 60, 20), renderer.GetImageSet(19));

    SkinElementQuery icon = Query(10, 60, 24);
    EXPECT_EQ(icon.imageSet, renderer.GetImageSet(3));
    EXPECT_EQ(icon.contentInsets.bottom, 4);
    SkinElementQuery field = Query(16, 60, 24);
    EXPECT_EQ(field.imageSet, renderer.GetImageSet(6));
    EXPECT_EQ(field.contentInsets.left, 2);

    CSkinFont* bold = renderer.GetFont(0, 0);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->GetHeight(), 13);
    EXPECT_EQ(renderer.GetFont(17, 5), bold);
    EXPECT_EQ(renderer.GetFont(-3, 5), bold);
    EXPECT_EQ(renderer.GetFont(1, 24), renderer.GetFont(2, 0));
    EXPECT_EQ(renderer.GetFont(1, 12), renderer.GetFont(3, 0));
    EXPECT_EQ(renderer.GetFont(1, 20)->GetHeight(), 13);
    CSkinFont* regular = renderer.GetFont(1, 0);
    EXPECT_NE(regular, bold);
    EXPECT_EQ(renderer.GetFont(1, 14), regular);
    EXPECT_EQ(renderer.GetFont(1, -5), regular);
    EXPECT_EQ(renderer.GetFont(16, 0)->GetHeight(), 11);
    renderer.SetFontSizeCap(20);
    EXPECT_EQ(renderer.GetFont(1, 40), regular);
    EXPECT_EQ(renderer.GetFont(1, 12), renderer.GetFont(3, 0));
    renderer.SetForcedFontSize(24);
    EXPECT_EQ(renderer.GetFont(1, 12), renderer.GetFont(2, 0)) << "the forced size wins over the cap";
}

TEST_F(SkinRendererTest, FrameColoursAndImageQueries)
{
    SkinFrameMetrics m;
    std::fill(reinterpret_cast<int*>(&m), reinterpret_cast<int*>(&m + 1), -7);
    m.windowWidth = 400;
    ASSERT_EQ(sizeof(m), 30 * sizeof(int));
    EXPECT_EQ(renderer.OnEvent(nullptr, EventSource::Request, kSkinQueryFrame, 0, SkinQueryParam(&m), nullptr), 1);
    EXPECT_EQ(m.captionHeight, 24);
    EXPECT_EQ(m.captionTextX, 10);
    EXPECT_EQ(m.captionTextY, 2);
    EXPECT_EQ(m.captionTextWidth, 400 - 65);
    EXPECT_EQ(m.captionTextHeight, 23);
    EXPECT_EQ(m.unused1, -7);
    EXPECT_EQ(m.inactiveStyle[8], -7);
    EXPECT_EQ(m.activeStyle[4], 0xE8E8E8);
    EXPECT_EQ(m.activeStyle[7], 0xFFFFFF) << "the second caption text is 1.3 times as bright";

    SkinParams values = {{256, 256, 128, 256, 256}};
    CSkinRenderer tinted;
    tinted.Load(&values);
    uint32_t colors[10];
    std::fill(colors, colors + 10, 7u);
    EXPECT_EQ(tinted.OnEvent(nullptr, EventSource::Request, kSkinQueryColors, 0, SkinQueryParam(colors), nullptr), 1);
    EXPECT_EQ(colors[4], 0x101010u) << "colour 9 tinted by value 3";
    EXPECT_EQ(colors[5], 0x404142u) << "colour 10 tinted, as a pixel value";
    EXPECT_EQ(colors[8], 0xA0F0F0u);
    uint32_t levels[2];
    EXPECT_EQ(tinted.OnEvent(nullptr, EventSource::Request, kSkinQueryLevels, 0, SkinQueryParam(levels), nullptr), 1);
    EXPECT_EQ(levels[1], 0xB0B5B8u);
    uint32_t text[4];
    EXPECT_EQ(tinted.OnEvent(nullptr, EventSource::Window, kSkinQueryText, 0, SkinQueryParam(text), nullptr), 1);
    EXPECT_EQ(text[2], 0x1C1C1Cu);

    std::fill(colors, colors + 10, 7u);
    EXPECT_EQ(
        renderer.OnEvent(nullptr, EventSource::Request, kSkinQueryElement - 1, 0, SkinQueryParam(colors), nullptr), 0);
    EXPECT_EQ(renderer.OnEvent(nullptr, EventSource::Request, kSkinQueryText + 1, 0, SkinQueryParam(colors), nullptr),
              0);
    EXPECT_EQ(colors[0], 7u);
    EXPECT_EQ(renderer.OnEvent(nullptr, EventSource::Request, kSkinQueryColors, 0, 0, nullptr), 0);

    const struct {
        int id, width, height;
        int outId, x, y, partWidth, partHeight;
    } cases[] = {
        {1001, 0, 0, 1001, 616, 0, 44, 44},   {3, 0, 0, 3, 132, 0, 44, 44},         {1000, 0, 0, 1000, 0, 10, 92, 89},
        {1007, 0, 0, 1007, 0, 10, 208, 201},  {1002, 0, 0, 1002, 0, 0, 200, 240},   {1006, 0, 0, 1006, 0, 0, 48, 47},
        {18, 20, 20, 19, 19 * 44, 0, 44, 44}, {18, 16, 20, 18, 18 * 44, 0, 44, 44},
    };
    for (const auto& c : cases) {
        ImageRef ref = {c.id, c.width, c.height, nullptr, -1, -1, -1, -1};
        renderer.GetImageRef(ref);
        EXPECT_EQ(ref.id, c.outId) << c.id;
        ASSERT_NE(ref.image, nullptr) << c.id;
        EXPECT_TRUE(ref.image->IsCreated()) << c.id;
        EXPECT_EQ(ref.x, c.x) << c.id;
        EXPECT_EQ(ref.y, c.y) << c.id;
        EXPECT_EQ(ref.partWidth, c.partWidth) << c.id;
        EXPECT_EQ(ref.partHeight, c.partHeight) << c.id;
    }
    ImageRef none = {-1, 0, 0, &target, 5, 5, 5, 5};
    renderer.GetImageRef(none);
    EXPECT_EQ(none.image, nullptr);
    EXPECT_EQ(none.x, 5);
}

TEST_F(SkinRendererTest, DrawingStatesBackgroundsAndIcons)
{
    const std::vector<uint32_t> normal = Draw(1, 0);
    EXPECT_NE(normal, std::vector<uint32_t>(100 * 40, kTargetFill));
    const std::vector<uint32_t> checked = Draw(1, 2);
    const std::vector<uint32_t> alternate = Draw(1, 2 | SkinState::kAltChecked);
    EXPECT_NE(alternate, checked);
    EXPECT_GT(alternate[20 * 100 + 50] & 0xFF, checked[20 * 100 + 50] & 0xFF) << "picture 9 is the brighter";
    EXPECT_EQ(Draw(1, SkinState::kAltChecked), normal) << "the flag counts only when checked";
    EXPECT_EQ(Draw(99, 0), normal);
    EXPECT_EQ(Draw(-4, 0), normal);
    EXPECT_NE(Draw(1, 4), normal) << "the sine light";

    // Smaller than the pictures' fixed pieces: cut, not written past.
    for (int kind = 1; kind <= kSkinLastKind; ++kind) {
        Draw(kind, 0, 100, 3);
        Draw(kind, 1, 3, 40);
    }

    target.Create(100, 40, 32);
    target.Fill(kTargetFill);
    CBitmapDC background;
    background.Create(120, 60, 32);
    for (int i = 0; i < background.GetPixelCount(); ++i)
        background.GetBits()[i] = 0xFF000000u | uint32_t(i);
    SkinDrawRequest request = {};
    request.target = &target;
    request.background = &background;
    request.backgroundX = 7;
    request.backgroundY = 3;
    request.rect = {10, 5, 30, 15};
    request.rectValid = 1;
    renderer.DrawElement(request);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 5 && y < 15;
            const uint32_t expected = inside ? background.GetBits()[(y + 3) * 120 + x + 7] : kTargetFill;
            ASSERT_EQ(target.GetBits()[y * 100 + x], expected) << x << "," << y;
        }
    }

    EXPECT_NE(Draw(10, 4), std::vector<uint32_t>(100 * 40, kTargetFill)) << "icon 4 is the last";
    EXPECT_EQ(Draw(10, 5), std::vector<uint32_t>(100 * 40, kTargetFill));
    EXPECT_EQ(Draw(10, 0xFFFFFFFFu), std::vector<uint32_t>(100 * 40, kTargetFill));

    CTextBuffer text;
    for (uint32_t flags : {0u, 1u}) {
        SkinDrawRequest request = {};
        request.target = &target;
        request.kind = 1;
        request.stateFlags = flags;
        request.rect = {12, 6, 80, 30};
        request.rectValid = 1;
        request.textRecord = &text;
        renderer.DrawElement(request);
        EXPECT_EQ(text.offsetX, 12 + int(flags));
        EXPECT_EQ(text.offsetY, 6 + int(flags));
    }
    const int before = CBitmapDC::GetLiveSectionCount();
    {
        CSkinRenderer other;
        other.Load(nullptr);
        EXPECT_GT(CBitmapDC::GetLiveSectionCount(), before);
    }
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), before);
}
