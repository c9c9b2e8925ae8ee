#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinBlitter.h"
#include "gui/skin/CSkinImageSet.h"
#include "gui/skin/PixelOperations.h"
#include "gui/window/CTopLevelWindow.h"
#include "gui/window/WindowGeometry.h"

namespace {

const int kEdge = 8;              // width of the frame's bands blended onto the window
const uint32_t kSquareMask = 15;  // every corner from the second picture
const uint32_t kEdgeBits = 0x0F;  // EdgeTouch's four sides
const int kEdgeShift = 4;         // the edge code sits above the frame mask
const int kGripImageLarge = 1003; // windows at least kGripMinWidth x kGripMinHeight
const int kGripImageSmall = 1004;
const int kGripMinWidth = 300;
const int kGripMinHeight = 150;
const int kGripRight = 4; // the grip's distance from the right and bottom edges
const int kGripBottom = 3;

// A premultiplied copy of a picture of the skin; empty for none.
void TakePremultiplied(CBitmapDC& copy, const CBitmapDC* image)
{
    copy.Destroy();
    if (!image || !image->GetBits())
        return;
    copy.CreateCopy(*image);
    copy.PremultiplyAlpha();
}

void Blend(CBitmapDC* target, const CBitmapDC& frame, int x, int y, int width, int height)
{
    if (width > 0 && height > 0)
        AlphaBlendImage(target, x, y, &frame, x, y, width, height);
}

// A corner whose two sides touch the monitor's edges is square: its pixel of
// the outside's key colour takes the frame's next one inwards.
void SquareTouchingCorners(CBitmapDC* b, uint32_t edgeTouch)
{
    const int w = b->GetWidth(), h = b->GetHeight();
    uint32_t* bits = b->GetBits();
    if (!bits || w < 2 || h < 2)
        return;
    const struct {
        uint32_t sides;
        int x, y, inX, inY;
    } corners[] = {{EdgeTouch::Left | EdgeTouch::Top, 0, 0, 1, 1},
                   {EdgeTouch::Right | EdgeTouch::Top, w - 1, 0, w - 2, 1},
                   {EdgeTouch::Left | EdgeTouch::Bottom, 0, h - 1, 1, h - 2},
                   {EdgeTouch::Right | EdgeTouch::Bottom, w - 1, h - 1, w - 2, h - 2}};
    for (const auto& c : corners) {
        uint32_t& corner = bits[c.y * w + c.x];
        if ((edgeTouch & c.sides) == c.sides && corner == CTopLevelWindow::kRegionKey)
            corner = bits[c.inY * w + c.inX];
    }
}

// The frame's bands: the top one top rows high, the sides below it, the bottom between the sides.
void BlendBands(CBitmapDC* target, const CBitmapDC& frame, int top, int width, int height)
{
    Blend(target, frame, 0, 0, width, top);
    Blend(target, frame, 0, top, kEdge, height - top);
    Blend(target, frame, width - kEdge, top, kEdge, height - top);
    Blend(target, frame, kEdge, height - kEdge, width - 2 * kEdge, kEdge);
}

} // namespace

int CornerGripImageId(int width, int height)
{
    return width >= kGripMinWidth && height >= kGripMinHeight ? kGripImageLarge : kGripImageSmall;
}

void CTopLevelWindow::RenderFrame(CControlContainer* container)
{
    CBitmapDC* b = container->GetSurface();
    const int w = container->GetWidth(), h = container->GetHeight();
    ApplySheen(b, int16_t(m_params.sheenStrength & 0xFFFF));

    const SkinElementQuery element =
        QuerySkinElement(&m_skin, this, m_params.altFrame ? kSkinAltWindowFrame : kSkinWindowFrame, w, h);
    SkinFrameMetrics metrics = {};
    metrics.windowWidth = w;
    m_skin.OnEvent(this, EventSource::Request, kSkinQueryFrame, 0, SkinQueryParam(&metrics), nullptr);
    const int c = metrics.captionHeight;

    const uint32_t mask = m_params.squareCorners ? kSquareMask : uint32_t(m_window.GetFrameMask());
    const uint32_t code = (m_window.GetEdgeTouch() & kEdgeBits) << kEdgeShift | mask;
    CBitmapDC first, second;
    if (const CSkinImageSet* set = element.imageSet) {
        TakePremultiplied(first, set->StateImage(mask ? 1 : (m_window.IsMaximized() ? 1 : 0)));
        TakePremultiplied(second, mask ? set->StateImage(2) : nullptr);
    }
    const CornerPieces corners = {second.GetBits() ? &second : nullptr, code};
    CSkinBlitter blitter;
    const bool titled = IsTitleBarShown();
    CBitmapDC snapshot;
    if (titled) {
        if (element.imageSet)
            blitter.StretchThreeRows(first, element.imageSet->zoneA, element.imageSet->zoneB, w, h, c,
                                     StretchFill::Hollow, corners);
        snapshot.CreateCopy(*b);
        const int bright = m_params.captionBrightness;
        ScaleImageColors(b, 0, 0, w, c, bright, bright, bright);
        BlendBands(b, blitter.output, c + kEdge, w, h);
        if (blitter.output.GetBits())
            AlphaBlendImage(&snapshot, 0, 0, &blitter.output, 0, 0, 0, 0);
        container->SetCaptionListener(&m_titleBar);
    } else {
        if (element.imageSet)
            blitter.StretchCorners(first, element.imageSet->stretchInsets, w, h, StretchFill::Hollow, corners);
        BlendBands(b, blitter.output, kEdge, w, h);
        container->SetCaptionListener(nullptr);
    }
    SquareTouchingCorners(b, m_window.GetEdgeTouch());
    container->SetRegionFromBitmap(b, kRegionKey, kRegionBorder);
    if (titled) {
        m_titleBar.SetInactiveBackground(snapshot);
        m_titleBar.SetActiveBackground(*b);
    }
    if (m_params.cornerGrip && !m_window.GetDockedEdge() && !m_window.IsMaximized()) {
        ImageRef grip = {CornerGripImageId(w, h), 0, 0, nullptr, 0, 0, 0, 0};
        m_skin.GetImageRef(grip);
        CBitmapDC picture;
        TakePremultiplied(picture, grip.image);
        if (picture.GetBits())
            AlphaBlendImage(b, w - picture.GetWidth() - kGripRight, h - picture.GetHeight() - kGripBottom, &picture, 0,
                            0, 0, 0);
    }
    if (titled)
        container->ShowBitmap(nullptr, 0, c, w, h - c);
    else
        container->ShowBitmap(nullptr, 0, 0, w, h);
    m_titleBar.UpdateButtons(titled);
    if (titled)
        m_titleBar.Paint();
}
