#include "gui/graphics/CColorGradient.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
const float kDefaultOddFactor = 0.7f;
const float kThousand = 1000.0f; // positions in thousandths to 0..1, exact for 500 and 1000
const int kByteMax = 255;
const uint32_t kPlainGrey = 0xB0B0B0; // the colour of a gradient without stops
const float kPlainOddFactor = 0.8f;
const int kKeepSize = -1;
const uint32_t kAlphaMask = 0xFF000000u;

int ByteOf(uint32_t color, int index)
{
    return (color >> (8 * index)) & kByteMax;
}
} // namespace

CColorGradient::CColorGradient()
    : direction(Direction::FromEnd), stops(), stopCount(0), oddFactor(kDefaultOddFactor), brightness(1.0f),
      reverse(false), m_size(0), m_table(nullptr), m_revision(0)
{}

CColorGradient::~CColorGradient()
{
    std::free(m_table);
}

bool CColorGradient::Equals(const CColorGradient* other) const
{
    if (!other || other == this)
        return false;
    for (int i = 0; i < kMaxStops; ++i)
        if (stops[i].color != other->stops[i].color || stops[i].position != other->stops[i].position)
            return false;
    return direction == other->direction && stopCount == other->stopCount && m_size == other->m_size &&
           oddFactor == other->oddFactor && brightness == other->brightness && reverse == other->reverse;
}

void CColorGradient::BuildOrCopy(int size, const CColorGradient* other)
{
    if (!ReplaceTable(size))
        return;
    if (Equals(other) && other->m_table) {
        m_table = static_cast<uint32_t*>(std::calloc(size_t(m_size), sizeof(uint32_t)));
        if (m_table)
            std::memcpy(m_table, other->m_table, sizeof(uint32_t) * m_size);
        return;
    }
    BuildTable(kKeepSize);
}

void CColorGradient::BuildTable(int size)
{
    if (!ReplaceTable(size))
        return;
    m_table = static_cast<uint32_t*>(std::calloc(size_t(m_size), sizeof(uint32_t)));
    if (!m_table)
        return;
    if (std::clamp(stopCount, 0, kMaxStops) >= 2)
        FillFromStops();
    else
        FillPlain();
}

bool CColorGradient::ReplaceTable(int size)
{
    std::free(m_table);
    m_table = nullptr;
    ++m_revision;
    if (size != kKeepSize)
        m_size = std::max(size, 0);
    return m_size > 0;
}

void CColorGradient::FillFromStops()
{
    const int count = std::min(stopCount, kMaxStops);
    const int level = static_cast<int>(brightness * kUnity);
    const bool forward = (direction == Direction::Forward) != reverse;
    int lower = 0, upper = 1;
    float p0 = stops[0].position / kThousand;
    float p1 = stops[1].position / kThousand;
    float span = p1 - p0;
    for (int i = 0; i < m_size; ++i) {
        // A one-entry table is the start of the gradient.
        const float t = m_size > 1 ? float(i) / float(m_size - 1) : 0.0f;
        if (p1 < t) { // at most one stop further per entry
            lower = upper;
            upper = std::min(upper + 1, count - 1);
            p0 = p1;
            p1 = stops[upper].position / kThousand;
            span = p1 - p0;
        }
        const float f = span == 0.0f ? 0.0f : std::clamp((t - p0) / span, 0.0f, 1.0f);
        const uint32_t lowColor = stops[lower].color;
        const uint32_t highColor = stops[upper].color;
        uint32_t entry = 0;
        for (int b = 2; b >= 0; --b) {
            int v = static_cast<int>(ByteOf(lowColor, b) * (1.0f - f) + ByteOf(highColor, b) * f) & kByteMax;
            if (i % 2)
                v = static_cast<int>(v * oddFactor) & kByteMax;
            entry |= uint32_t(std::clamp((v * level) >> 8, 0, kByteMax)) << (8 * b);
        }
        m_table[forward ? i : m_size - 1 - i] = entry;
    }
}

void CColorGradient::FillPlain()
{
    const uint32_t color = stopCount == 1 ? stops[0].color : kPlainGrey;
    for (int i = 0; i < m_size; ++i) {
        uint32_t entry = color;
        if (i % 2) {
            entry &= kAlphaMask;
            for (int b = 0; b < 3; ++b)
                entry |= uint32_t(ByteOf(color, b) * kPlainOddFactor) << (8 * b);
        }
        m_table[i] = entry;
    }
}
