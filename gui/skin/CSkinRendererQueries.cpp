// CSkinRenderer: the skin queries: element metrics, frame metrics and colours.
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include <algorithm>

namespace {
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
} // namespace

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
