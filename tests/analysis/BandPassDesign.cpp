#include "BandPassDesign.h"
#include <algorithm>
#include <cmath>
#include <complex>

namespace {
typedef std::complex<double> Complex;
const double kPi = 3.14159265358979323846;
const int kPrototypeOrder = 8;

struct Pair {
    double radius;
    BandPassSection sections[2];
};

// |1 - z^-2| / |1 + a1 z^-1 + a2 z^-2| at z = e^(i w).
double SectionMagnitude(const BandPassSection& s, double w)
{
    const Complex zi = std::polar(1.0, -w);
    return std::abs((1.0 - zi * zi) / (1.0 + s.a1 * zi + s.a2 * zi * zi));
}
} // namespace

void DesignBandPass(double centre, int n, double fs, BandPassSection out[8])
{
    const double half = std::pow(2.0, 1.0 / (2.0 * n));
    const double w1 = 2.0 * fs * std::tan(kPi * centre / half / fs);
    const double w2 = 2.0 * fs * std::tan(kPi * centre * half / fs);
    const double w0 = std::sqrt(w1 * w2), bandwidth = w2 - w1;
    const double centreDigital = 2.0 * std::atan(w0 / (2.0 * fs));
    Pair pairs[kPrototypeOrder / 2];
    for (int k = 0; k < kPrototypeOrder / 2; ++k) {
        const Complex p = std::polar(1.0, kPi * (2 * k + kPrototypeOrder + 1) / (2 * kPrototypeOrder));
        const Complex d = std::sqrt(p * p * bandwidth * bandwidth - 4.0 * w0 * w0);
        const Complex analog[2] = {(p * bandwidth + d) / 2.0, (p * bandwidth - d) / 2.0};
        Pair& pair = pairs[k];
        pair.radius = 0.0;
        double magnitude = 1.0;
        for (int j = 0; j < 2; ++j) {
            const Complex z = (2.0 * fs + analog[j]) / (2.0 * fs - analog[j]);
            pair.sections[j].a1 = -2.0 * z.real();
            pair.sections[j].a2 = std::norm(z);
            pair.radius = std::max(pair.radius, std::abs(z));
            magnitude *= SectionMagnitude(pair.sections[j], centreDigital);
        }
        const double gain = std::sqrt(1.0 / magnitude);
        pair.sections[0].gain = pair.sections[1].gain = gain;
        // The pole of higher frequency has the smaller cosine, so the larger a1.
        if (pair.sections[0].a1 / std::sqrt(pair.sections[0].a2) < pair.sections[1].a1 / std::sqrt(pair.sections[1].a2))
            std::swap(pair.sections[0], pair.sections[1]);
    }
    std::sort(pairs, pairs + kPrototypeOrder / 2, [](const Pair& a, const Pair& b) { return a.radius > b.radius; });
    for (int k = 0; k < kPrototypeOrder / 2; ++k) {
        out[2 * k] = pairs[k].sections[0];
        out[2 * k + 1] = pairs[k].sections[1];
    }
}

double RoundSignificant7(double x)
{
    if (x == 0.0 || !std::isfinite(x))
        return x;
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    const double scale = std::pow(10.0, 6 - exponent);
    return std::round(x * scale) / scale;
}
