#include "gui/graphics/CBarRenderer.h"

namespace {
const int DefaultFill = 90;
const int UnitWeight = 100;
} // namespace

CBarRenderer::CBarRenderer() : fillFactor(DefaultFill), gapWeight(0), sizeWeight(UnitWeight), fixedSize(0), m_geometry()
{}

CBarRenderer::~CBarRenderer() = default;
