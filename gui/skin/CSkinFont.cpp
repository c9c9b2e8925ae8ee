#include "gui/skin/CSkinFont.h"
#include <algorithm>

namespace {

struct FontSlot {
    const char* face;
    int height;
    int weight;
    DWORD quality;
};

const FontSlot kSlots[CSkinFont::kSlotCount] = {
    {"Tahoma", 13, FW_BOLD, ANTIALIASED_QUALITY},
    {"Tahoma", 13, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 18, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 11, FW_NORMAL, NONANTIALIASED_QUALITY},
    {"Small Fonts", 9, FW_NORMAL, DEFAULT_QUALITY},
    {"Small Fonts", 11, FW_NORMAL, DEFAULT_QUALITY},
    {"Microsoft Sans Serif", 13, FW_BOLD, ANTIALIASED_QUALITY},
    {"Microsoft Sans Serif", 22, FW_BOLD, ANTIALIASED_QUALITY},
    {"Tahoma", 13, FW_BOLD, DEFAULT_QUALITY},
    {"Tahoma", 27, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 21, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 20, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 17, FW_BOLD, DEFAULT_QUALITY},
    {"Tahoma", 17, FW_NORMAL, DEFAULT_QUALITY},
    {"Tahoma", 13, FW_NORMAL, NONANTIALIASED_QUALITY},
    {"Courier New", 14, FW_NORMAL, NONANTIALIASED_QUALITY},
    {"Tahoma", 11, FW_NORMAL, NONANTIALIASED_QUALITY},
};

const int kPixelsPerShadowStep = 11;
// What text without a skin font measures by.
const int kNoFontHeight = 15;
const int kNoFontShadowOffset = 1;

} // namespace

CSkinFont::CSkinFont() : m_height(0), m_shadowOffset(0), m_font(nullptr)
{}

CSkinFont::~CSkinFont()
{
    Release();
}

void CSkinFont::Create(int slot)
{
    const FontSlot& s = kSlots[slot >= 1 && slot < kSlotCount ? slot : 0];
    MakeFont(s.height, s.weight, s.quality, s.face);
}

void CSkinFont::MakeFont(int height, int weight, DWORD quality, const char* face)
{
    Release();
    m_font = CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                         quality, DEFAULT_PITCH, face);
    m_height = height;
    m_shadowOffset = std::max(1, height / kPixelsPerShadowStep);
}

void CSkinFont::Release()
{
    if (m_font)
        DeleteObject(m_font);
    m_font = nullptr;
}

HFONT CSkinFont::HandleOf(const CSkinFont* font)
{
    return font ? font->m_font : nullptr;
}

int CSkinFont::HeightOf(const CSkinFont* font)
{
    return font ? font->m_height : kNoFontHeight;
}

int CSkinFont::ShadowOffsetOf(const CSkinFont* font)
{
    return font ? font->m_shadowOffset : kNoFontShadowOffset;
}
