#include "gui/skin/CSkinRenderer.h"
#include "gui/graphics/ColorHelpers.h"
#include "gui/skin/PixelOperations.h"
#include <algorithm>

namespace {

const int kNeutral = 256; // skin values, light strengths and levels: 256 is unity
const uint32_t kShadeGrey = 0x505050;
const ShadeParams kConstructedShading = {ShadeMode::Scale, 8000, 8000, 8000, kShadeGrey, 800, 0, 0};
// Multiply shading, a little warmer in red than in blue.
const ShadeParams kLoadedShading = {ShadeMode::Multiply, 8000, 7840, 7600, kShadeGrey, kNeutral, 0, 0};
const int kDimmedLevel = 192;
const int kDimmedIconLevel = 64;
const float kHoverGlow = 1.2f;
const float kHoverGlowChecked = 1.1f;

// Which set each element kind's queries answer with; kBySize: a button chosen by size.
const int kBySize = -1;
const int kKindSets[kSkinLastKind + 1] = {0,  kBySize, 4,  6, 7,  1,  2,  8,  9,  10, kBySize, 12, 13,
                                          14, 15,      16, 6, 17, 18, 21, 22, 23, 24, 19,      20, 26};

// How each element kind draws: its set (icons and kind 16 draw with other sets
// than their queries answer) and its path.
enum class DrawPath {
    Background, // restores the area only
    General,    // state pictures, light by the state flags, level, dimming, overlay and text
    Basic,      // picture 0 under a fixed light, with the level
    Plain,      // the same without the level
    Check,      // the box, then the mark as shading of it
    Icon        // the picture the state word names
};
struct KindDrawing {
    int set;
    DrawPath path;
};
const KindDrawing kKindDrawing[kSkinLastKind + 1] = {
    {0, DrawPath::Background}, {kBySize, DrawPath::General}, {4, DrawPath::General},  {6, DrawPath::Basic},
    {7, DrawPath::Check},      {1, DrawPath::General},       {2, DrawPath::General},  {8, DrawPath::General},
    {9, DrawPath::General},    {10, DrawPath::General},      {11, DrawPath::Icon},    {12, DrawPath::Plain},
    {13, DrawPath::General},   {14, DrawPath::General},      {15, DrawPath::Basic},   {16, DrawPath::Basic},
    {25, DrawPath::Basic},     {17, DrawPath::Basic},        {18, DrawPath::Basic},   {21, DrawPath::Basic},
    {22, DrawPath::Basic},     {23, DrawPath::General},      {24, DrawPath::General}, {19, DrawPath::Basic},
    {20, DrawPath::Basic},     {26, DrawPath::General}};
// The kind whose light strength is skin value 3.
const int kValue3LitKind = 7;
const int kSmallButtonSet = 5; // below kSmallButtonLimit either way
const int kMiddleButtonSet = 4;
const int kLargeButtonSet = 3; // from kLargeButtonLimit both ways
const int kSmallButtonLimit = 17;
const int kLargeButtonLimit = 21;
const int kCheckMarkState = 7;

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
const int kFirstQueryColor = 4;  // query 1003 answers colours 5..14
const int kFirstLevelColor = 14; // query 1004 answers colours 15 and 16

// Frame metrics of the built-in skin.
const int kCaptionHeight = 24;
const int kCaptionTextX = 10;
const int kCaptionTextY = 2;
const int kCaptionTextRightMargin = 65; // room for the caption buttons
const int kCaptionTextHeight = 23;
const int kIconPosition = 4;
const int kIconBox = 17;
const int kIconAdvance = 14;
const COLORREF kActiveText = 0xE8E8E8;
const COLORREF kInactiveText = 0xB8B8B8;
const COLORREF kCaptionShadow = 0x808080;
const float kActiveSecondText = 1.3f;
const float kInactiveSecondText = 1.2f;

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

CSkinRenderer::CSkinRenderer()
    : m_shading(kConstructedShading), m_values{{kNeutral, kNeutral, kNeutral, kNeutral, kNeutral}}, m_colors{},
      m_fontSizeCap(0), m_forcedFontSize(0)
{}

void CSkinRenderer::Load(const SkinParams* values)
{
    if (values)
        m_values = *values;
    for (int slot = 0; slot < CSkinFont::kSlotCount; ++slot)
        m_fonts[slot].Create(slot);
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
        const COLORREF c = e.tint == kNoTint ? e.color : ScaleColor(e.color, m_values.values[e.tint] / float(kNeutral));
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
    const int set = kind >= 0 && kind <= kSkinLastKind ? kKindSets[kind] : kBySize;
    if (set != kBySize)
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

int CSkinRenderer::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    void* record = reinterpret_cast<void*>(static_cast<intptr_t>(p2));
    if (!record)
        return 0;
    uint32_t* words = static_cast<uint32_t*>(record);
    switch (code) {
    case kSkinQueryElement: {
        SkinElementQuery& query = *static_cast<SkinElementQuery*>(record);
        query.imageSet = ImageSetForKind(query.kind, query.width, query.height);
        query.contentInsets = query.imageSet->contentInsets;
        return 1;
    }
    case kSkinQueryFrame: AnswerFrameMetrics(*static_cast<SkinFrameMetrics*>(record)); return 1;
    case kSkinQueryColors:
        std::copy(m_colors + kFirstQueryColor, m_colors + kFirstQueryColor + kSkinQueryColorCount, words);
        return 1;
    case kSkinQueryLevels:
        std::copy(m_colors + kFirstLevelColor, m_colors + kFirstLevelColor + kSkinQueryLevelCount, words);
        return 1;
    case kSkinQueryText: std::copy(m_colors, m_colors + kSkinQueryTextCount, words); return 1;
    default: return 0;
    }
}

void CSkinRenderer::AnswerFrameMetrics(SkinFrameMetrics& m) const
{
    const int inactive = m_values.values[3], active = m_values.values[4];
    m.captionHeight = kCaptionHeight;
    m.captionTextX = kCaptionTextX;
    m.captionTextY = kCaptionTextY;
    m.captionTextWidth = m.windowWidth - kCaptionTextRightMargin;
    m.captionTextHeight = kCaptionTextHeight;
    const int activeStyle[9] = {0,
                                kTextAlignCentre,
                                1,
                                0,
                                int(ScaleColorRef(kActiveText, active)),
                                int(ScaleColorRef(kCaptionShadow, active)),
                                0,
                                int(ScaleColorRef(kActiveText, int(active * kActiveSecondText))),
                                int(ScaleColorRef(kCaptionShadow, int(active * kActiveSecondText)))};
    const int inactiveStyle[8] = {0,
                                  kTextAlignCentre,
                                  1,
                                  0,
                                  int(ScaleColorRef(kInactiveText, inactive)),
                                  int(kCaptionShadow),
                                  0,
                                  int(ScaleColorRef(kInactiveText, int(inactive * kInactiveSecondText)))};
    std::copy(activeStyle, activeStyle + 9, m.activeStyle);
    std::copy(inactiveStyle, inactiveStyle + 8, m.inactiveStyle);
    m.iconX = kIconPosition;
    m.iconY = kIconPosition;
    m.iconWidth = kIconBox;
    m.iconHeight = kIconBox;
    m.iconAdvance = kIconAdvance;
}

void CSkinRenderer::DrawElement(const SkinDrawRequest& request)
{
    if (!request.target)
        return;
    const RECT& r = request.rect;
    const Area a = request.rectValid ? Area{r.left, r.top, r.right - r.left, r.bottom - r.top}
                                     : Area{0, 0, request.target->GetWidth(), request.target->GetHeight()};
    if (a.w < 1 || a.h < 1)
        return;
    const bool known = request.kind >= 0 && request.kind <= kSkinLastKind;
    const KindDrawing drawing = known ? kKindDrawing[request.kind] : KindDrawing{kBySize, DrawPath::General};
    const CSkinImageSet& set = drawing.set == kBySize ? *ImageSetForKind(request.kind, a.w, a.h) : m_sets[drawing.set];
    switch (drawing.path) {
    case DrawPath::Background: RestoreBackground(request, a); break;
    case DrawPath::General: DrawGeneral(request, set, a); break;
    case DrawPath::Basic: DrawBasicElement(request, set, a, true); break;
    case DrawPath::Plain: DrawBasicElement(request, set, a, false); break;
    case DrawPath::Check: DrawCheckElement(request, set, a); break;
    case DrawPath::Icon: DrawIconElement(request, set, a); break;
    }
}

bool CSkinRenderer::Stretch(const SkinDrawRequest& request, const CBitmapDC* image, const CSkinImageSet& set,
                            int middle, const Area& a)
{
    return m_blitter.Draw(image, StretchFill::Solid, request.stretchMode, middle, set.stretchInsets, set.zoneA,
                          set.zoneB, a.w, a.h);
}

void CSkinRenderer::ShadeOutput(const ShadeParams& shading)
{
    m_light.GetField().ApplyToBitmap(&m_blitter.output, nullptr, 0, 0, 0, 0, -1, -1, shading);
}

void CSkinRenderer::RestoreBackground(const SkinDrawRequest& request, const Area& a) const
{
    if (request.background)
        request.target->CopyFrom(*request.background, request.backgroundX + a.x, request.backgroundY + a.y, a.w, a.h,
                                 a.x, a.y);
}

void CSkinRenderer::BlendOutput(const SkinDrawRequest& request, const Area& a)
{
    m_blitter.output.PremultiplyAlpha();
    RestoreBackground(request, a);
    AlphaBlendImage(request.target, a.x, a.y, &m_blitter.output, 0, 0, 0, 0);
}

// The band of light over a general element: its strengths from the skin
// values, brighter under the mouse, the profile from the state flags.
void CSkinRenderer::LightGeneral(const SkinDrawRequest& request, int kind)
{
    const uint32_t flags = request.stateFlags;
    int a = kNeutral, b = kNeutral;
    if (kind == kSkinButton || kind == kSkinSmallButton) {
        a = m_values.values[0];
        b = m_values.values[1];
    } else if (kind == kValue3LitKind) {
        a = m_values.values[2];
    }
    const bool glowing = !(flags & SkinState::kPressed) && (flags & SkinState::kHover);
    if (glowing) {
        const float glow = flags & SkinState::kChecked ? kHoverGlowChecked : kHoverGlow;
        a = int(a * glow);
        b = int(b * glow);
    }
    const bool lightA = flags & SkinState::kLightA, lightB = flags & SkinState::kLightB;
    if (flags & SkinState::kSineLight)
        m_light.BuildSineTable(0.3, 2.2, 2.94, 0);
    else if (lightA && lightB)
        m_light.BuildRampTable((b * 3700) >> 8, (b * 2400) >> 8, RampShape::Rising);
    else if (lightA)
        m_light.BuildRampTable((b * 2700) >> 8, (b * 1900) >> 8, RampShape::Rising);
    else if (lightB)
        m_light.BuildRampTable((a * 2100) >> 8, (a * 2700) >> 8, RampShape::Rising);
    else if (glowing)
        m_light.BuildRampTable((a * 1500) >> 8, (a * 2200) >> 8, RampShape::Rising);
    else
        m_light.BuildRampTable((a * 1600) >> 8, (a * 2100) >> 8, RampShape::Rising);
}

void CSkinRenderer::DrawGeneral(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a)
{
    const uint32_t flags = request.stateFlags;
    int state = 0, middle = request.middle;
    switch (flags & SkinState::kVisualMask) {
    case 1:
        state = 1;
        middle += 1;
        break;
    case 2: state = flags & SkinState::kAltChecked ? 9 : 2; break;
    case 3:
        state = 3;
        middle += 1;
        break;
    case 6: state = 6; break;
    }
    if (!Stretch(request, set.StateImage(state), set, middle, a))
        return;
    CBitmapDC& output = m_blitter.output;
    if (!(flags & (SkinState::kHover | SkinState::kPressed)))
        output.ScaleAlpha(request.level);
    LightGeneral(request, request.kind);
    m_light.BuildField(a.w, a.h, 1.0f, 0.1f);
    ShadeOutput(m_shading);
    if (request.dimmed)
        output.ScaleAlpha(kDimmedLevel);
    BlendOutput(request, a);
    if (request.overlay)
        AlphaBlendImage(request.target, a.x, a.y, request.overlay, 0, 0, 0, 0);
    if (request.textRecord) {
        const int pressedShift = flags & SkinState::kPressed ? 1 : 0;
        request.textRecord->offsetX = a.x + pressedShift;
        request.textRecord->offsetY = a.y + pressedShift;
        m_painter.DrawSkinText(*request.target, *request.textRecord);
    }
}

void CSkinRenderer::DrawBasicElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a,
                                     bool applyLevel)
{
    if (!Stretch(request, set.StateImage(0), set, request.middle, a))
        return;
    m_light.BuildRampTable(2700, 1900, RampShape::Rising);
    m_light.BuildField(a.w, a.h, 1.0f, 0.1f);
    ShadeOutput(m_shading);
    if (applyLevel)
        m_blitter.output.ScaleAlpha(request.level);
    BlendOutput(request, a);
}

// The box blends as a picture; the mark only shades the box where its alpha,
// read one pixel right and down, says so.
void CSkinRenderer::DrawCheckElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a)
{
    const bool pressed = request.stateFlags & SkinState::kPressed;
    if (Stretch(request, set.StateImage(pressed ? 1 : 0), set, request.middle, a))
        BlendOutput(request, a);
    if (!Stretch(request, set.StateImage(kCheckMarkState), set, request.middle, a))
        return;
    m_shading.sourceX = 1;
    m_shading.sourceY = 1;
    m_light.BuildRampTable(pressed ? 2200 : 2300, 1900, RampShape::Rising);
    m_light.BuildField(a.w, a.h, 1.0f, 0.0f);
    m_light.GetField().ApplyToBitmap(request.target, &m_blitter.output, a.x, a.y, 0, 0, -1, -1, m_shading);
}

void CSkinRenderer::DrawIconElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a)
{
    if (!Stretch(request, set.ImageAt(int(request.stateFlags)), set, request.middle, a))
        return;
    if (request.stateFlags != 0) {
        m_light.BuildSineTable(1.0, 0.7, -0.3, 0);
        m_light.BuildField(a.w, a.h, 1.5f, 0.45f);
        ShadeOutput(kLoadedShading);
    }
    if (request.dimmed)
        m_blitter.output.ScaleAlpha(kDimmedIconLevel);
    BlendOutput(request, a);
}
