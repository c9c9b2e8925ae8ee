#include "gui/skin/CSkinRenderer.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <tuple>

namespace {

const int kGrid = 5;
const int kLitLuminance = 64; // a quarter of white: a white stroke crosses the block

// The glyph's picture, as the renderer serves it, cut into 5 x 5 blocks over
// the middle four fifths of its part: '#' where white lies, '.' where nothing
// does.
std::string GlyphMask(CSkinRenderer& renderer, int id)
{
    ImageRef ref = {id, 0, 0, nullptr, 0, 0, 0, 0};
    renderer.GetImageRef(ref);
    if (!ref.image)
        return "no picture";
    std::string mask;
    for (int row = 0; row < kGrid; ++row) {
        for (int col = 0; col < kGrid; ++col) {
            auto edge = [](int origin, int size, int k) { return origin + size / 10 + size * 8 * k / (10 * kGrid); };
            const int lum = MeanLuminance(*ref.image, edge(ref.x, ref.partWidth, col), edge(ref.y, ref.partHeight, row),
                                          edge(ref.x, ref.partWidth, col + 1), edge(ref.y, ref.partHeight, row + 1));
            mask += lum >= kLitLuminance ? '#' : '.';
        }
    }
    return mask;
}

bool Matches(const std::string& mask, const char* expected)
{
    for (size_t i = 0; i < mask.size(); ++i)
        if (expected[i] != '?' && expected[i] != mask[i])
            return false;
    return mask.size() == std::strlen(expected);
}

} // namespace

TEST(SkinLooks, TitleBarGlyphsAndMenuMarksHaveTheirShapes)
{
    CSkinRenderer renderer;
    renderer.Load(nullptr);
    // Rows top to bottom; '?' where a stroke only touches the block.
    const struct {
        const char* what;
        int id;
        const char* mask;
    } glyphs[] = {
        {"minimize: a bar along the bottom", 0,
         "....."
         "....."
         "....."
         "....."
         "#####"},
        {"maximize: a hollow square", 1,
         "#####"
         "#...#"
         "#...#"
         "#...#"
         "#####"},
        {"close: a cross", 2,
         "#?.?#"
         "?#?#?"
         ".?#?."
         "?#?#?"
         "#?.?#"},
        {"restore: two squares, the front one lower left", 3,
         ".?###"
         "????#"
         "#.??#"
         "#.???"
         "###?."},
        {"dock left: an arrow to a bar on the left", 24,
         "#..??"
         "#???#"
         "#?###"
         "#???#"
         "#..??"},
        {"dock right: an arrow to a bar on the right", 25,
         "??..#"
         "#???#"
         "###?#"
         "#???#"
         "??..#"},
        {"dock top: an arrow to a bar at the top", 26,
         "#####"
         ".???."
         ".?#?."
         "??#??"
         "?###?"},
        {"dock bottom: an arrow to a bar at the bottom", 27,
         "?###?"
         "??#??"
         ".?#?."
         ".???."
         "#####"},
        {"list: an arrow down", 7,
         "....."
         ".?#?."
         ".?#?."
         "..?.."
         "....."},
        {"choice: a dot", 1001,
         "....."
         ".?#?."
         ".###."
         ".?#?."
         "....."},
        {"check: a tick", 1000,
         "....?"
         "...?#"
         "???#?"
         ".##?."
         ".??.."},
    };
    for (const auto& g : glyphs) {
        const std::string mask = GlyphMask(renderer, g.id);
        EXPECT_TRUE(Matches(mask, g.mask)) << g.what << " (id " << g.id << "): " << mask;
    }
}

TEST(SkinLooks, ACheckedButtonLooksSunkenAndLit)
{
    CSkinRenderer renderer;
    renderer.Load(nullptr);
    const int w = 100, h = 25; // a two-state button of the settings window
    auto draw = [&](uint32_t state) {
        CBitmapDC target;
        target.Create(w, h, 32);
        target.Fill(0xFF808080);
        SkinDrawRequest request = {};
        request.target = &target;
        request.kind = kSkinButton;
        request.stateFlags = state;
        request.level = 256;
        renderer.DrawElement(request);
        const int topEdge = MeanLuminance(target, w / 4, 0, w * 3 / 4, 1);
        const int bottomEdge = MeanLuminance(target, w / 4, h - 1, w * 3 / 4, h);
        return std::make_tuple(topEdge - bottomEdge, MeanLuminance(target, w / 4, h / 3, w * 3 / 4, h * 2 / 3));
    };
    const int kSunken = 40, kLit = 40; // luminance steps an eye tells at once
    const auto [raisedEdges, plainFace] = draw(0);
    for (uint32_t checked : {SkinState::kChecked, SkinState::kChecked | SkinState::kAltChecked}) {
        const auto [edges, face] = draw(checked);
        EXPECT_LE(edges, raisedEdges - kSunken) << "its bevel turned over: " << checked;
        EXPECT_GE(face, plainFace + kLit) << checked;
    }
}
