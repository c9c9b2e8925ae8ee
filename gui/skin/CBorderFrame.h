#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/SkinInsets.h"

// Which edge strip of a frame.
enum class FrameStrip : int { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// The four edge strips of a frame, composed once over the background they
// will be drawn on and then alpha-blended whenever the owner paints. Composed
// again whenever the owner is rebuilt. GUI thread only.
class CBorderFrame {
public:
    static const int kStripCount = 4;

    CBorderFrame();
    virtual ~CBorderFrame() = default;
    CBorderFrame(const CBorderFrame&) = delete;
    CBorderFrame& operator=(const CBorderFrame&) = delete;

    // Stretches frameImage and alphaImage (hollow, at the insets) to
    // width x height; each strip becomes the background under it at
    // (x, y) + strip, overlay-blended with the frame picture, taking the alpha
    // picture's alpha, premultiplied.
    void Compose(const CBitmapDC& background, const CBitmapDC& frameImage, const CBitmapDC& alphaImage,
                 const SkinInsets& insets, int x, int y, int width, int height);
    // Blends the strips onto target at their places in the frame (not at x, y);
    // a strip without area draws nothing.
    void Draw(CBitmapDC& target) const;
    // Top and bottom run the full width; left and right between them.
    void StripRect(FrameStrip strip, RECT& rect) const;

    const CBitmapDC& GetImage() const { return m_image; }

private:
    CBitmapDC m_image;
    SkinInsets m_insets;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
};
