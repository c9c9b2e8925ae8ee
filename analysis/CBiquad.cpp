#include "analysis/CBiquad.h"
#include <cmath>

namespace {
const double kFlushBelow = 1e-30;
}

CBiquad::CBiquad()
    : m_b0(1.0f), m_b1(0.0f), m_b2(0.0f), m_a1(0.0f), m_a2(0.0f), m_x1(0.0f), m_x2(0.0f), m_y1(0.0f), m_y2(0.0f)
{}

CBiquad::~CBiquad() = default;

void CBiquad::SetCoefficients(const double* a, const double* b)
{
    SetCoefficients(static_cast<float>(a[0]), static_cast<float>(a[1]), static_cast<float>(a[2]),
                    static_cast<float>(b[0]), static_cast<float>(b[1]), static_cast<float>(b[2]));
}

void CBiquad::SetCoefficients(float a0, float a1, float a2, float b0, float b1, float b2)
{
    m_b0 = b0 / a0;
    m_b1 = b1 / a0;
    m_b2 = b2 / a0;
    m_a1 = a1 / a0;
    m_a2 = a2 / a0;
    m_x1 = m_x2 = m_y1 = m_y2 = 0.0f;
}

float CBiquad::Process(float x)
{
    const double y = static_cast<double>(m_b0) * x + static_cast<double>(m_b1) * m_x1 +
                     static_cast<double>(m_b2) * m_x2 - static_cast<double>(m_a1) * m_y1 -
                     static_cast<double>(m_a2) * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    // A decaying output would otherwise sink into denormals, which the x87
    // unit handles a hundred times slower; below 1e-30 nothing is audible.
    m_y1 = std::fabs(y) < kFlushBelow ? 0.0f : static_cast<float>(y);
    return m_y1;
}

void CBiquad::GetCoefficients(double* out) const
{
    out[0] = m_b0;
    out[1] = m_b1;
    out[2] = m_b2;
    out[3] = m_a1;
    out[4] = m_a2;
}
