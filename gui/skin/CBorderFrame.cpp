#include "gui/skin/CBorderFrame.h"
#include "gui/skin/CSkinBlitter.h"
#include "gui/skin/PixelOperations.h"
#include "gui/ToolkitConventions.h"

namespace {
const FrameStrip kStrips[CBorderFrame::kStripCount] = {FrameStrip::Top, FrameStrip::Bottom, FrameStrip::Left,
                                                       FrameStrip::Right};
} // namespace

CBorderFrame::CBorderFrame() : m_insets{}, m_x(0), m_y(0), m_width(0), m_height(0)
{}

void CBorderFrame::StripRect(FrameStrip strip, RECT& rect) const
{
    const int middle = m_height - m_insets.top - m_insets.bottom;
    switch (strip) {
    case FrameStrip::Top: SetRectFromSize(rect, 0, 0, m_width, m_insets.top); break;
    case FrameStrip::Bottom: SetRectFromSize(rect, 0, m_height - m_insets.bottom, m_width, m_insets.bottom); break;
    case FrameStrip::Left: SetRectFromSize(rect, 0, m_insets.top, m_insets.left, middle); break;
    case FrameStrip::Right:
        SetRectFromSize(rect, m_width - m_insets.right, m_insets.top, m_insets.right, middle);
        break;
    }
}

void CBorderFrame::Compose(const CBitmapDC& background, const CBitmapDC& frameImage, const CBitmapDC& alphaImage,
                           const SkinInsets& insets, int x, int y, int width, int height)
{
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
    m_insets = insets;
    CSkinBlitter frame, alpha;
    frame.StretchCorners(frameImage, insets, width, height, StretchFill::Hollow);
    alpha.StretchCorners(alphaImage, insets, width, height, StretchFill::Hollow);
    m_image.Create(width, height, kBitsPerPixel);
    for (FrameStrip strip : kStrips) {
        RECT r;
        StripRect(strip, r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        // Sizes below 1 would mean "the whole surface" to the copies below.
        if (w < 1 || h < 1)
            continue;
        m_image.CopyFrom(background, r.left + x, r.top + y, w, h, r.left, r.top);
        OverlayBlendImage(&m_image, r.left, r.top, &frame.output, r.left, r.top, w, h);
        CopyAlphaChannel(&m_image, r.left, r.top, &alpha.output, r.left, r.top, w, h);
        m_image.PremultiplyAlphaRect(r.left, r.top, r.right, r.bottom);
    }
}

void CBorderFrame::Draw(CBitmapDC& target) const
{
    for (FrameStrip strip : kStrips) {
        RECT r;
        StripRect(strip, r);
        if (r.right > r.left && r.bottom > r.top)
            AlphaBlendImage(&target, r.left, r.top, &m_image, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}
