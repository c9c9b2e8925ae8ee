#include "image/resize/ResizeAxisWalker.h"

#include "image/resize/ResizeTypes.h"

namespace {

const double kEpsilon = 1e-7;

} // namespace

ResizeAxisWalker::ResizeAxisWalker(const ResizeAxis& axis, int interpolation, int factorMode)
    : m_axis(axis), m_interpolation(interpolation), m_factorMode(factorMode)
{
    double first = 0.0;
    if (interpolation == InterpNearest) {
        m_step = factorMode ? 1.0 / axis.factor : axis.factor;
        first = 0.5 * m_step;
    } else if (factorMode) {
        double scaled = axis.regionSize * axis.factor;
        m_step = scaled > 1.0 ? (axis.regionSize - 1) / (scaled - 1.0) : 0.0;
    } else {
        m_step = axis.factor;
    }
    m_position = first + axis.shift;
}

int ResizeAxisWalker::Extent(int requested) const
{
    double limit;
    if (m_factorMode) {
        limit = m_axis.regionSize * m_axis.factor + kEpsilon;
    } else if (m_interpolation == InterpNearest) {
        limit = m_axis.regionSize / m_axis.factor + kEpsilon;
    } else {
        limit = (m_axis.regionSize - 1) / m_axis.factor + kEpsilon + 1.0;
    }
    // Compared in double so that a huge factor cannot overflow the conversion.
    if (limit >= requested) {
        return requested;
    }
    int n = static_cast<int>(limit);
    return n < 1 ? 1 : n;
}

void ResizeAxisWalker::Next(int32_t* index, double* fraction)
{
    // Only a shift can move a position off the image; keep it on so no row loop reads outside.
    double available = m_axis.imageSize - m_axis.regionStart - 1;
    double p = m_position;
    if (!(p >= 0.0)) {
        p = 0.0;
    } else if (p > available) {
        p = available;
    }
    m_position += m_step;
    ApplyEdgeRule(index, p, fraction);
}

void ResizeAxisWalker::ApplyEdgeRule(int32_t* index, double position, double* fraction) const
{
    int32_t k = static_cast<int32_t>(position + kEpsilon);
    int absolute = m_axis.regionStart + k;
    int last = m_axis.imageSize - 1;
    if (m_interpolation == InterpLinear && absolute == last) {
        *index = k - 1;
        *fraction = 1.0;
        return;
    }
    if (m_interpolation == InterpCubic) {
        if (absolute == last) {
            *index = k - 2;
            *fraction = 2.0;
            return;
        }
        if (absolute == 0) {
            k += 1;
        } else if (absolute == last - 1) {
            k -= 1;
        }
    }
    *index = k;
    *fraction = position - k;
}
