// CSkinRenderer: loading the pictures, fonts and colours; the sets, fonts and named pictures it serves.
#include "gui/skin/CSkinRenderer.h"
#include "gui/graphics/ColorHelpers.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {

const uint32_t kShadeGrey = 0x505050;
const ShadeParams kConstructedShading = {ShadeMode::Scale, 8000, 8000, 8000, kShadeGrey, 800, 0, 0};

// Which set each element kind's queries answer with.
const int kKindSets[kSkinLastKind + 1] = {
    0, kSkinSetBySize, 4, 6, 7, 1, 2, 8, 9, 10, kSkinSetBySize, 12, 13, 14, 15, 16, 6, 17, 18, 21, 22, 23, 24, 19, 20,
    26};
const int kSmallButtonSet = 5; // below kSmallButtonLimit either way
const int kMiddleButtonSet = 4;
const int kLargeButtonSet = 3; // from kLargeButtonLimit both ways
const int kSmallButtonLimit = 17;
const int kLargeButtonLimit = 21;

// The named pictures, in the order of SkinPicture from the icon strip on.
enum Holder {
    kStrip,
    kPicture1000,
    kPicture1002,
    kPicture1007,
    kPicture1003,
    kPicture1004,
    kPicture1005,
    kPicture1006,
    kHolderCount
};
// Pictures 1000 and 1007 carry a margin that is not used: 10 rows above,
// 11 below (with the 10) and 8 columns at the right.
const int kPartTop = 10;
const int kPartRightMargin = 8;
const int kPartHeightMargin = 11;
const int kCaptionIconId = 1001;
const int kCaptionIconCell = 14;
const int kLargeGripMinimum = 16; // id 18 asked larger than this both ways is 19
const int kSmallGripId = 18;
const int kLargeGripId = 19;

// Font slot 1 by size.
const int kRegularFont = 1;
const int kLargeFont = 2;
const int kSmallFont = 3;
const int kLargeFontAbove = 20;
const int kSmallFontBelow = 14;

struct ColorEntry {
    COLORREF color;
    int tint; // the skin value (0-based) that scales it, or kNoTint
};
const int kNoTint = -1;
const ColorEntry kColorTable[CSkinRenderer::kColorCount] = {
    {0xFFFFFF, kNoTint}, {0, kNoTint}, {0x383838, 2}, {0x888684, 2}, {0xFFFFFF, kNoTint}, {0, kNoTint},
    {0xFFFFFF, kNoTint}, {0, kNoTint}, {0x202020, 2}, {0x848280, 2}, {0x306030, kNoTint}, {0x00B000, kNoTint},
    {0xF0F0A0, kNoTint}, {0, kNoTint}, {0, kNoTint},  {0xB8B5B0, 0}};

void ApplyValues(CSkinImageSet& set, const SkinSetValues& v)
{
    set.stretchInsets = v.stretchInsets;
    set.contentInsets = v.contentInsets;
    set.zoneA = v.zoneA;
    set.zoneB = v.zoneB;
    std::copy(v.extraValues, v.extraValues + 4, set.extraValues);
    set.extraFlag = v.extraFlag;
    std::copy(v.buttonValues, v.buttonValues + 2, set.buttonValues);
}

// Every picture of one set scaled into another, showing the same states.
void ScaleSet(const CSkinImageSet& from, CSkinImageSet& to, float factor)
{
    for (int i = 0; i < from.GetImageCount(); ++i) {
        to.AddScaledCopy(*from.ImageAt(i), factor);
        for (int state = 0; state < CSkinImageSet::kStateCount; ++state) {
            if (from.StateImage(state) == from.ImageAt(i))
                to.AssignState(state);
        }
    }
}

void SetWhole(ImageRef& ref, const CBitmapDC& image)
{
    ref.image = &image;
    ref.x = 0;
    ref.y = 0;
    ref.partWidth = image.GetWidth();
    ref.partHeight = image.GetHeight();
}

void SetPart(ImageRef& ref, const CBitmapDC& image)
{
    SetWhole(ref, image);
    ref.y = kPartTop;
    ref.partWidth -= kPartRightMargin;
    ref.partHeight -= kPartHeightMargin;
}

} // namespace

// Multiply shading, a little warmer in red than in blue.
const ShadeParams CSkinRenderer::kLoadedShading = {ShadeMode::Multiply, 8000, 7840, 7600, kShadeGrey, kUnity, 0, 0};

CSkinRenderer::CSkinRenderer()
    : m_shading(kConstructedShading), m_values{{kUnity, kUnity, kUnity, kUnity, kUnity}}, m_colors{}, m_fontSizeCap(0),
      m_forcedFontSize(0)
{}

void CSkinRenderer::Load(const SkinParams* values)
{
    if (values)
        m_values = *values;
    for (int slot = 0; slot < CSkinFont::kSlotCount; ++slot)
        m_fonts[slot].Create(slot);
    // Sets only append: a window created again keeps the pictures it has.
    if (m_sets[kSkinSetFills[0].set].GetImageCount() == 0)
        FillSets();
    m_shading = kLoadedShading;
    for (int i = 0; i < kHolderCount; ++i) {
        const SkinPictureBlob& blob = kSkinPictures[int(SkinPicture::IconStrip) + i];
        m_holders[i].DecodePngImage(blob.data, blob.size);
    }
    FillColors();
}

void CSkinRenderer::FillSets()
{
    CSkinImage picture;
    for (int i = 0; i < kSkinSetFillCount; ++i) {
        const SkinSetFill& fill = kSkinSetFills[i];
        CSkinImageSet& set = m_sets[fill.set];
        if (fill.sourceSet == kDecodePicture) {
            const SkinPictureBlob& blob = kSkinPictures[int(fill.picture)];
            picture.DecodePngImage(blob.data, blob.size);
            if (fill.factor == 1.0f)
                set.AddCopy(picture.GetImage());
            else
                set.AddScaledCopy(picture.GetImage(), fill.factor);
            for (int state : fill.states)
                set.AssignState(state);
        } else {
            ScaleSet(m_sets[fill.sourceSet], set, fill.factor);
        }
        if (i + 1 == kSkinSetFillCount || kSkinSetFills[i + 1].set != fill.set)
            ApplyValues(set, kSkinSetValues[fill.set]);
    }
}

void CSkinRenderer::FillColors()
{
    for (int i = 0; i < kColorCount; ++i) {
        const ColorEntry& e = kColorTable[i];
        const COLORREF c = e.tint == kNoTint ? e.color : ScaleColor(e.color, m_values.values[e.tint] / float(kUnity));
        m_colors[i] = SwapRedBlue(c);
    }
}

uint32_t CSkinRenderer::GetColor(int index) const
{
    return index >= 1 && index <= kColorCount ? m_colors[index - 1] : 0;
}

const CSkinImageSet* CSkinRenderer::GetImageSet(int index) const
{
    return index >= 0 && index < kSkinSetCount ? &m_sets[index] : nullptr;
}

const CSkinImageSet* CSkinRenderer::ImageSetForKind(int kind, int width, int height) const
{
    const int set = kind >= 0 && kind <= kSkinLastKind ? kKindSets[kind] : kSkinSetBySize;
    if (set != kSkinSetBySize)
        return &m_sets[set];
    if (width < kSmallButtonLimit || height < kSmallButtonLimit)
        return &m_sets[kSmallButtonSet];
    if (width >= kLargeButtonLimit && height >= kLargeButtonLimit)
        return &m_sets[kLargeButtonSet];
    return &m_sets[kMiddleButtonSet];
}

CSkinFont* CSkinRenderer::GetFont(int slot, int size)
{
    if (slot == kRegularFont) {
        if (m_fontSizeCap)
            size = std::min(size, m_fontSizeCap);
        if (m_forcedFontSize)
            size = m_forcedFontSize;
        if (size > kLargeFontAbove)
            return &m_fonts[kLargeFont];
        return &m_fonts[size >= 1 && size < kSmallFontBelow ? kSmallFont : kRegularFont];
    }
    return &m_fonts[slot > kRegularFont && slot < CSkinFont::kSlotCount ? slot : 0];
}

void CSkinRenderer::GetImageRef(ImageRef& ref)
{
    if (ref.id == kSmallGripId && ref.width > kLargeGripMinimum && ref.height > kLargeGripMinimum)
        ref.id = kLargeGripId;
    switch (ref.id) {
    case -1: ref.image = nullptr; return;
    case 1000: SetPart(ref, m_holders[kPicture1000].GetImage()); return;
    case 1007: SetPart(ref, m_holders[kPicture1007].GetImage()); return;
    case 1002: SetWhole(ref, m_holders[kPicture1002].GetImage()); return;
    case 1003: SetWhole(ref, m_holders[kPicture1003].GetImage()); return;
    case 1004: SetWhole(ref, m_holders[kPicture1004].GetImage()); return;
    case 1005: SetWhole(ref, m_holders[kPicture1005].GetImage()); return;
    case 1006: SetWhole(ref, m_holders[kPicture1006].GetImage()); return;
    default: {
        const CBitmapDC& strip = m_holders[kStrip].GetImage();
        const int cell = strip.GetHeight() + 1;
        ref.image = &strip;
        ref.x = (ref.id == kCaptionIconId ? kCaptionIconCell : ref.id) * cell;
        ref.y = 0;
        ref.partWidth = cell;
        ref.partHeight = cell;
    }
    }
}
