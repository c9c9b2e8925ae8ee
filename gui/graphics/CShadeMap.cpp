#include "gui/graphics/CShadeMap.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/PixelRegion.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {
const int kByteMax = 255;
const int kFactorShift = 16;   // k in 1/65536
const int kMultiplyShift = 11; // Multiply: 2048 is unity
const int kAddShift = 3;       // Add: an eighth of m
const int kTableSize = 2048;   // Table: one entry per 16 map steps over 0..32767
const int kTableShift = 4;     // ... so the index is v / 16 and the ramp level / 16
const uint32_t kAlphaMask = 0xFF000000u;

int Limit(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, 0, kByteMax));
}

int ByteOf(uint32_t pixel, int index)
{
    return (pixel >> (8 * index)) & kByteMax;
}

uint32_t WithColorBytes(uint32_t pixel, int byte2, int byte1, int byte0)
{
    return (pixel & kAlphaMask) | uint32_t(byte2) << 16 | uint32_t(byte1) << 8 | uint32_t(byte0);
}

// The Table mode's 2048 colours: entry i is the ramp at u = i * level / 16.
void BuildTable(const ShadeParams& p, uint32_t* table)
{
    for (int i = 0; i < kTableSize; ++i) {
        int64_t u = (int64_t(i) * p.level) >> kTableShift;
        table[i] = WithColorBytes(0, Limit((u * p.k2) >> kFactorShift), Limit((u * p.k1) >> kFactorShift),
                                  Limit((u * p.k0) >> kFactorShift));
    }
}

// Alpha of the source pixel, 0 outside the source.
int SourceAlpha(const CBitmapDC* source, int x, int y)
{
    if (x < 0 || y < 0 || x >= source->GetWidth() || y >= source->GetHeight())
        return 0;
    return source->GetBits()[y * source->GetWidth() + x] >> 24;
}
} // namespace

CShadeMap::CShadeMap() : m_width(0), m_height(0), m_values(nullptr)
{}

CShadeMap::~CShadeMap()
{
    Free();
}

int16_t* CShadeMap::Create(int width, int height)
{
    Free();
    // The count must fit an int (the maps index by int) and size_t on 32 bits.
    if (width < 1 || height < 1 || int64_t(width) * height > INT_MAX / int(sizeof(int16_t)))
        return nullptr;
    m_values = static_cast<int16_t*>(std::calloc(size_t(width) * size_t(height), sizeof(int16_t)));
    if (m_values) {
        m_width = width;
        m_height = height;
    }
    return m_values;
}

void CShadeMap::Free()
{
    std::free(m_values);
    m_values = nullptr;
    m_width = m_height = 0;
}

void CShadeMap::ApplyToBitmap(CBitmapDC* bitmap, const CBitmapDC* source, int dx, int dy, int mx, int my, int width,
                              int height, const ShadeParams& p) const
{
    if (!bitmap || !bitmap->IsCreated() || !m_values)
        return;
    if (source && !source->IsCreated())
        source = nullptr;
    PixelRegion r = {dx, dy, mx, my, width < 0 ? m_width : width, height < 0 ? m_height : height};
    if (!ClipPixelRegion(r, bitmap->GetWidth(), bitmap->GetHeight(), m_width, m_height))
        return;
    uint32_t table[kTableSize];
    if (p.mode == ShadeMode::Table)
        BuildTable(p, table);
    GdiFlush(); // GDI may still owe the section earlier drawing

    auto scaled = [&](int v) { return int(int16_t((v * p.level) >> kUnityShift)); };
    for (int row = 0; row < r.height; ++row) {
        const int16_t* values = m_values + (r.fromY + row) * m_width + r.fromX;
        uint32_t* pixels = bitmap->GetBits() + (r.y + row) * bitmap->GetWidth() + r.x;
        for (int col = 0; col < r.width; ++col) {
            const int v = values[col];
            uint32_t& px = pixels[col];
            switch (p.mode) {
            case ShadeMode::Scale: {
                const int64_t m = scaled(v);
                px = WithColorBytes(px, Limit((m * p.k2) >> kFactorShift), Limit((m * p.k1) >> kFactorShift),
                                    Limit((m * p.k0) >> kFactorShift));
                break;
            }
            case ShadeMode::OnBase: {
                const int m = scaled(v);
                px = WithColorBytes(px, Limit(ByteOf(p.baseColor, 2) + m), Limit(ByteOf(p.baseColor, 1) + m),
                                    Limit(ByteOf(p.baseColor, 0) + m));
                break;
            }
            case ShadeMode::Multiply: {
                const int m = scaled(v);
                const int a = source ? SourceAlpha(source, p.sourceX + col, p.sourceY + row) : 0;
                auto shade = [&](int index) {
                    const int old = ByteOf(px, index);
                    const int c = Limit((int64_t(old) * m) >> kMultiplyShift);
                    return source ? ((old * (kByteMax - a)) >> 8) + ((c * a) >> 8) : c;
                };
                px = WithColorBytes(px, shade(2), shade(1), shade(0));
                break;
            }
            case ShadeMode::Add: {
                const int m = scaled(v) >> kAddShift;
                px = WithColorBytes(px, Limit(ByteOf(px, 2) + m), Limit(ByteOf(px, 1) + m), Limit(ByteOf(px, 0) + m));
                break;
            }
            case ShadeMode::Table: px = table[std::clamp(v >> kTableShift, 0, kTableSize - 1)]; break;
            default: return; // an unknown mode changes nothing
            }
        }
    }
}
