#include "gui/graphics/PixelRegion.h"
#include <algorithm>

namespace {
// Moves both starts past their lower edge by the same amount.
void CutLow(int& start, int& fromStart, int& size)
{
    const int shift = std::max({0, -start, -fromStart});
    start += shift;
    fromStart += shift;
    size -= shift;
}
} // namespace

bool ClipPixelRegion(PixelRegion& r, int width, int height, int fromWidth, int fromHeight)
{
    CutLow(r.x, r.fromX, r.width);
    CutLow(r.y, r.fromY, r.height);
    r.width = std::min({r.width, width - r.x, fromWidth - r.fromX});
    r.height = std::min({r.height, height - r.y, fromHeight - r.fromY});
    return r.width > 0 && r.height > 0;
}
