#include "gui/controls/CTextImage.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/ColorHelpers.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/CTextPainter.h"
#include "gui/skin/PixelOperations.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {
const int kPressedShade = 248;  // of 256: the pressed icon a shade darker
const int kDisabledAlpha = 128; // of 256: a disabled icon half transparent
const int kLabelFontSlot = 1;
const int kRegularLabelSize = 0; // asks the skin for its regular label face
const int kSmallLabelSize = 12;  // asks for its small one
const int kFitMargin = 2;        // as the text painter demands of a text that fits

bool Fits(const CTextBuffer& record, const std::string& text)
{
    CTextBuffer measured = record;
    CTextPainter().MeasureSkinText(CBitmapDC(), measured, text.c_str());
    return measured.width + kFitMargin <= record.width;
}

// The longest start of the text that fits with an ellipsis after it.
std::string Ellipsized(const CTextBuffer& record)
{
    const char* const kEllipsis = "...";
    for (size_t n = record.text.size(); n-- > 0;) {
        const std::string shortened = record.text.substr(0, n) + kEllipsis;
        if (Fits(record, shortened))
            return shortened;
    }
    return kEllipsis;
}

// Where the icon goes across the label.
enum class IconSpot { Centred, LeftOfMark, RightOfMark };

bool HasPixels(const ImageRef& ref)
{
    return ref.image && ref.partWidth >= 1 && ref.partHeight >= 1 && ref.x >= 0 && ref.y >= 0 &&
           ref.x < ref.image->GetWidth() && ref.y < ref.image->GetHeight();
}
} // namespace

void CTextImage::Render(const TextImageRequest& request)
{
    if (!request.skin)
        return;
    const SkinElementQuery query = QuerySkinElement(request.skin, this, kSkinButton, request.width, request.height);
    const int leftInset = query.imageSet ? query.imageSet->buttonValues[0] : 0;
    if (request.icon)
        RenderIcon(request, query.contentInsets, leftInset);
    LayOutText(request, query.contentInsets);
}

void CTextImage::RenderIcon(const TextImageRequest& r, const SkinInsets& margin, int leftInset)
{
    const int w = r.width;
    const int h = r.height;
    const int contentHeight = h - margin.top - margin.bottom;
    ImageRef ref = {};
    ref.id = r.iconId;
    ref.width = w - margin.left - margin.right;
    ref.height = contentHeight;
    r.skin->GetImageRef(ref);
    m_normal.Create(w, h, kBitsPerPixel);
    m_pressed.Create(w, h, kBitsPerPixel);
    m_normal.Fill(0);
    m_pressed.Fill(0);
    if (!HasPixels(ref))
        return;

    const int iw = ref.partWidth;
    const int ih = ref.partHeight;
    int room = ref.width;
    IconSpot spot = IconSpot::Centred;
    if (r.stretchMode == StretchMode::ThreeColumns) {
        const int right = w - leftInset - r.middle - margin.right;
        spot = r.middle < right ? IconSpot::LeftOfMark : IconSpot::RightOfMark;
        room = r.middle < right ? r.middle : right;
    }
    const double scale = std::min(std::min(double(room) / iw, double(contentHeight) / ih) * r.iconScale, 1.0);
    const int sw = int(iw * scale);
    const int sh = int(ih * scale);
    if (sw < 1 || sh < 1)
        return;
    int x = margin.left + (w - margin.left - sw - margin.right) / 2;
    if (spot == IconSpot::LeftOfMark)
        x = (r.middle - sw) / 2 + margin.left / 2;
    else if (spot == IconSpot::RightOfMark)
        x = leftInset + r.middle + int((room - iw * scale) * 0.5);
    const int y = (h - sh) / 2;

    // Without text the pressed icon moves inside its own rectangle instead.
    const bool hasText = !r.text.empty();
    const int pad = hasText ? 0 : 2;
    const int shift = hasText ? 1 : 0;
    CBitmapDC scratch;
    scratch.Create(iw + pad, ih + pad, kBitsPerPixel);
    scratch.Fill(0);
    scratch.CopyFrom(*ref.image, ref.x, ref.y, iw, ih, pad, pad);
    ScaleImageColors(&scratch, 0, 0, 0, 0, kPressedShade, kPressedShade, kPressedShade);
    ResizeImage(ref.image, &m_normal, ref.x, ref.y, iw, ih, x, y, sw, sh, ResizeMethod::Auto);
    ResizeImage(&scratch, &m_pressed, 0, 0, iw, ih, x + shift, y + shift, sw, sh, ResizeMethod::Auto);
    if (r.disabled) {
        m_normal.ScaleAlpha(kDisabledAlpha);
        m_pressed.ScaleAlpha(kDisabledAlpha);
    }
    m_normal.PremultiplyAlpha();
    m_pressed.PremultiplyAlpha();
}

void CTextImage::LayOutText(const TextImageRequest& r, const SkinInsets& margin)
{
    // Text and shadow colours, normal then disabled, as pixel values.
    uint32_t colours[kSkinQueryTextCount] = {};
    r.skin->OnEvent(this, EventSource::Request, kSkinQueryText, 0, SkinQueryParam(colours), nullptr);
    const int pair = r.disabled ? 2 : 0;
    m_text.textColor = SwapRedBlue(colours[pair]);
    m_text.shadowColor = SwapRedBlue(colours[pair + 1]);
    m_text.text = r.text;
    m_text.shortText = r.secondText;
    m_text.x = margin.left;
    m_text.y = margin.top;
    m_text.width =
        r.stretchMode == StretchMode::ThreeColumns ? r.middle - margin.left : r.width - margin.left - margin.right;
    m_text.height = r.height - margin.bottom - margin.top;
    // The box's own size first, then the skin's smaller label faces, until the
    // text fits; a text with a shorter form to fall back on keeps the first.
    // One that fits in none ends in an ellipsis, drawn as its shorter form.
    const int sizes[] = {m_text.height, kRegularLabelSize, kSmallLabelSize};
    for (int size : sizes) {
        m_text.font = r.skin->GetFont(kLabelFontSlot, size);
        if (m_text.text.empty() || !m_text.shortText.empty() || Fits(m_text, m_text.text))
            return;
    }
    m_text.shortText = Ellipsized(m_text);
}

RECT CTextImage::GetTextRect() const
{
    return RECT{m_text.x, m_text.y, m_text.x + m_text.width, m_text.y + m_text.height};
}
