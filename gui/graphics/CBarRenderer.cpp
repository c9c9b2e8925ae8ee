#include "gui/graphics/CBarRenderer.h"

namespace {
const int kDefaultFill = 90;
const int kUnitWeight = 100;
} // namespace

CBarRenderer::CBarRenderer()
    : fillFactor(kDefaultFill), gapWeight(0), sizeWeight(kUnitWeight), fixedSize(0), m_geometry(), m_changed()
{}

CBarRenderer::~CBarRenderer() = default;

RECT CBarRenderer::CrossPart(int crossFrom, int crossTo) const
{
    const BarGeometry& g = m_geometry;
    if (crossFrom >= crossTo)
        return {};
    if (g.vertical)
        return {crossFrom, g.axisPosition, crossTo, g.axisPosition + g.axisLength};
    return {g.axisPosition, crossFrom, g.axisPosition + g.axisLength, crossTo};
}
