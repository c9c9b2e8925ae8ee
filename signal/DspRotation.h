#pragma once
// The generic windows' recurrence: cos and sin of k steps of 2*pi/(N-1),
// advanced by one rotation per step. Internal linkage, so that no copy built
// with other flags can stand in for it.
#include <cmath>

#include "signal/DspWindow.h"

namespace dsp {
namespace {

struct Rotation {
    explicit Rotation(int n) : c(std::cos(WindowTwoPi / (n - 1))), s(std::sqrt(1.0 - c * c)) {}
    void Step()
    {
        double next = C * c - S * s;
        S = S * c + C * s;
        C = next;
    }
    double c, s;
    double C = 1.0, S = 0.0;
};

} // namespace
} // namespace dsp
