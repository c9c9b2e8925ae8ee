// CSkinRenderer: drawing an element by its path: general, basic, plain, check box or icon.
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include "gui/ToolkitConventions.h"

namespace {
const int kDimmedLevel = 192;
const int kDimmedIconLevel = 64;
const float kHoverGlow = 1.2f;
const float kHoverGlowChecked = 1.1f;
const int kCheckMarkState = 7;

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
const KindDrawing kKindDrawing[kSkinLastKind + 1] = {{0, DrawPath::Background}, {kSkinSetBySize, DrawPath::General},
                                                     {4, DrawPath::General},    {6, DrawPath::Basic},
                                                     {7, DrawPath::Check},      {1, DrawPath::General},
                                                     {2, DrawPath::General},    {8, DrawPath::General},
                                                     {9, DrawPath::General},    {10, DrawPath::General},
                                                     {11, DrawPath::Icon},      {12, DrawPath::Plain},
                                                     {13, DrawPath::General},   {14, DrawPath::General},
                                                     {15, DrawPath::Basic},     {16, DrawPath::Basic},
                                                     {25, DrawPath::Basic},     {17, DrawPath::Basic},
                                                     {18, DrawPath::Basic},     {21, DrawPath::Basic},
                                                     {22, DrawPath::Basic},     {23, DrawPath::General},
                                                     {24, DrawPath::General},   {19, DrawPath::Basic},
                                                     {20, DrawPath::Basic},     {26, DrawPath::General}};
} // namespace

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
    const KindDrawing drawing = known ? kKindDrawing[request.kind] : KindDrawing{kSkinSetBySize, DrawPath::General};
    const CSkinImageSet& set =
        drawing.set == kSkinSetBySize ? *ImageSetForKind(request.kind, a.w, a.h) : m_sets[drawing.set];
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
    int a = kUnity, b = kUnity;
    if (kind == kSkinButton || kind == kSkinSmallButton) {
        a = m_values.values[0];
        b = m_values.values[1];
    } else if (kind == kSkinListFrame) {
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
