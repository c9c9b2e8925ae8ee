#include "gui/controls/CDropListRow.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/CDropListItem.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/CLightField.h"
#include "gui/graphics/ColorHelpers.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {
const uint32_t kRowText = 0xFFFFFF;
const uint32_t kRowBackground = 0x808080;
const int kSeparatorLevel = 64; // a faint line
const int kHighlightState = 0;
// A band of light across the highlight, brighter than the frame's.
const int kHighlightRampFrom = 2000;
const int kHighlightRampTo = 2300;
const float kHighlightSlope = 1.0f;
const float kHighlightWidth = 0.1f;
const ShadeParams kRowShading = {ShadeMode::Multiply, 8000, 7840, 7600, 0x505050, kUnity, 0, 0};
const int kTextGap = 2; // between the icon column and the text
// Colour pairs (text, shadow) of skin query 1003, by the row's look.
enum ColourPair { kNormal, kSelected, kDisabled, kDisabledSelected, kCaption };
} // namespace

CDropListRow::CDropListRow()
    : m_item(nullptr), m_disabled(0), m_caption(0), m_separator(0), m_spacer(0), m_iconColumn(0), m_iconId(-1)
{
    m_text.textColor = kRowText;
    m_text.backgroundColor = kRowBackground;
}

void CDropListRow::SetGeometry(const DropListRowGeometry& geometry)
{
    m_geometry = geometry;
    Render();
}

void CDropListRow::SetItem(const CDropListItem* item, bool selected, const CSkinFont* font, bool iconColumn)
{
    m_item = item;
    m_iconColumn = iconColumn;
    m_separator = item && item->separator;
    m_spacer = item && item->spacer;
    m_disabled = m_caption = 0;
    m_iconId = -1;
    m_text.text.clear();
    m_text.shortText.clear();
    m_geometry.selected = 0;
    if (!item || m_separator || m_spacer)
        return;
    m_text.text = item->name;
    m_text.shortText = item->secondText;
    m_disabled = item->disabled;
    m_caption = item->caption;
    m_iconId = item->marked ? item->iconId : -1;
    m_geometry.selected = selected;
    m_geometry.font = font;
}

bool CDropListRow::Contains(int x, int y) const
{
    const DropListRowGeometry& g = m_geometry;
    return x >= g.x && x <= g.x + g.width && y >= g.y && y <= g.y + g.height;
}

void CDropListRow::Render()
{
    CControlContainer* container = m_geometry.container;
    CSkinRenderer* skin = container ? container->GetSkinRenderer() : nullptr;
    if (!skin || m_geometry.width < 1 || m_geometry.height < 1)
        return;
    m_bitmap.Create(m_geometry.width, m_geometry.height, 32);
    m_bitmap.CopyFrom(*container->GetSurface(), m_geometry.x, m_geometry.y, 0, 0, 0, 0);
    if (m_separator) {
        DrawSeparator(*skin);
    } else if (!m_spacer) {
        if (m_geometry.selected)
            DrawHighlight(*skin);
        if (m_iconColumn && m_iconId >= 0)
            DrawIcon(*skin);
        DrawText(*skin);
    }
    container->GetWindow()->ShowBitmap(&m_bitmap, 0, 0, m_geometry.width, m_geometry.height, m_geometry.x,
                                       m_geometry.y);
}

void CDropListRow::DrawSeparator(CSkinRenderer& skin)
{
    SkinDrawRequest request = {};
    request.target = &m_bitmap;
    request.kind = kSkinSeparator;
    request.level = kSeparatorLevel;
    request.rect = RECT{0, m_geometry.height / 2, m_geometry.width, m_geometry.height};
    request.rectValid = 1;
    skin.DrawElement(request);
}

void CDropListRow::DrawHighlight(CSkinRenderer& skin)
{
    const SkinElementQuery query = QuerySkinElement(&skin, this, kSkinHighlight, m_geometry.width, m_geometry.height);
    const CBitmapDC* picture = query.imageSet ? query.imageSet->StateImage(kHighlightState) : nullptr;
    CSkinBlitter blitter;
    if (!picture || !blitter.StretchCorners(*picture, query.imageSet->stretchInsets, m_geometry.width,
                                            m_geometry.height, StretchFill::Solid))
        return;
    CLightField light;
    light.BuildRampTable(kHighlightRampFrom, kHighlightRampTo, RampShape::Rising);
    light.BuildField(m_geometry.width, m_geometry.height, kHighlightSlope, kHighlightWidth);
    light.GetField().ApplyToBitmap(&blitter.output, nullptr, 0, 0, 0, 0, -1, -1, kRowShading);
    blitter.output.PremultiplyAlpha();
    AlphaBlendImage(&m_bitmap, 0, 0, &blitter.output, 0, 0, 0, 0);
}

void CDropListRow::DrawIcon(CSkinRenderer& skin)
{
    const int h = m_geometry.height;
    ImageRef ref = {};
    ref.id = m_iconId;
    ref.width = h;
    ref.height = h;
    skin.GetImageRef(ref);
    if (!ref.image || ref.partWidth < 1 || ref.partHeight < 1)
        return;
    CBitmapDC part, scaled;
    part.Create(ref.partWidth, ref.partHeight, 32);
    part.CopyFrom(*ref.image, ref.x, ref.y, 0, 0, 0, 0);
    const float s = std::min(float(h) / ref.partWidth, float(h - 2) / ref.partHeight);
    ScaleImageToNew(&part, &scaled, s);
    scaled.PremultiplyAlpha();
    const int x = 2 + (scaled.GetWidth() - h) / 2;
    const int y = 1 + (scaled.GetHeight() - (h - 2)) / 2;
    AlphaBlendImage(&m_bitmap, x, y, &scaled, 0, 0, 0, 0);
}

void CDropListRow::DrawText(CSkinRenderer& skin)
{
    uint32_t colours[kSkinQueryColorCount] = {};
    skin.OnEvent(this, EventSource::Request, kSkinQueryColors, 0, SkinQueryParam(colours), nullptr);
    ColourPair pair = kNormal;
    if (m_caption)
        pair = kCaption;
    else if (m_disabled)
        pair = m_geometry.selected ? kDisabledSelected : kDisabled;
    else if (m_geometry.selected)
        pair = kSelected;
    const int column = m_iconColumn ? m_geometry.height : 0;
    m_text.textColor = SwapRedBlue(colours[2 * pair]);
    m_text.shadowColor = SwapRedBlue(colours[2 * pair + 1]);
    m_text.font = m_geometry.font;
    m_text.x = column + kTextGap;
    m_text.y = 0;
    m_text.width = m_geometry.width - m_text.x;
    m_text.height = m_geometry.height;
    m_text.offsetX = m_text.offsetY = 0;
    m_text.horizontalAlignment = kTextAlignNear;
    m_text.verticalAlignment = kTextAlignCentre;
    m_text.transparent = 1;
    m_painter.DrawSkinText(m_bitmap, m_text);
}
