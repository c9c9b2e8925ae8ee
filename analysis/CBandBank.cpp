#include "analysis/CBandBank.h"
#include <windows.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {
// ISO 3 R80 preferred numbers; every 2nd is R40, every 4th R20, every 8th
// R10. The closing 10.00 lets a mantissa beyond a series' last value pair
// with the next decade.
const double kR80[81] = {1.00, 1.03, 1.06, 1.09, 1.12, 1.15, 1.18, 1.22, 1.25, 1.28, 1.32, 1.36, 1.40, 1.45,
                         1.50, 1.55, 1.60, 1.65, 1.70, 1.75, 1.80, 1.85, 1.90, 1.95, 2.00, 2.06, 2.12, 2.18,
                         2.24, 2.30, 2.36, 2.43, 2.50, 2.58, 2.65, 2.72, 2.80, 2.90, 3.00, 3.07, 3.15, 3.25,
                         3.35, 3.45, 3.55, 3.65, 3.75, 3.87, 4.00, 4.12, 4.25, 4.37, 4.50, 4.62, 4.75, 4.87,
                         5.00, 5.15, 5.30, 5.45, 5.60, 5.80, 6.00, 6.15, 6.30, 6.50, 6.70, 6.90, 7.10, 7.30,
                         7.50, 7.75, 8.00, 8.25, 8.50, 8.75, 9.00, 9.25, 9.50, 9.75, 10.00};
const int kR80Count = 80;

int SeriesStep(int n)
{
    switch (n) {
    case 3: return 8;
    case 6: return 4;
    case 12: return 2;
    default: return 1;
    }
}

// Rounds the exact binary value of x * scale (x >= 0, scale small) to an
// integer, halves away from zero: the runtimes' printf rounding differs.
uint64_t RoundHalfAway(double x, unsigned scale)
{
    if (!(x > 0.0))
        return 0;
    int e = 0;
    const double f = std::frexp(x, &e);
    const uint64_t m = static_cast<uint64_t>(std::ldexp(f, 53));
    e -= 53;
    const uint64_t num = m * scale;
    if (e >= 0)
        return e < 10 ? num << e : num;
    const int s = -e;
    if (s >= 63)
        return 0;
    const uint64_t whole = num >> s;
    const uint64_t rest = num - (whole << s);
    return rest >= (1ull << (s - 1)) ? whole + 1 : whole;
}
} // namespace

CBandBank::CBandBank() : m_count(0), m_default()
{}

CBandBank::~CBandBank() = default;

double CBandBank::BinWidth(int fftSize, int sampleRate)
{
    return fftSize > 0 ? static_cast<double>(sampleRate) / fftSize : 0.0;
}

double CBandBank::NominalFrequency(double hz, int n)
{
    if (hz < 1.0)
        return hz;
    double decade = 1.0, m = hz;
    while (m >= 9.875) {
        decade *= 10.0;
        m *= 0.1;
    }
    if (m <= 1.0)
        return decade;
    const int step = SeriesStep(n);
    int c = step;
    while (c < kR80Count && m > kR80[c])
        c += step;
    const double below = kR80[c - step], above = kR80[c];
    return decade * (m - below < above - m ? below : above);
}

void CBandBank::FormatLabel(double v, char* out)
{
    if (v < 1000.0) {
        std::snprintf(out, 8, "%u", static_cast<unsigned>(RoundHalfAway(v, 1)));
    } else if (v < 10000.0) {
        const unsigned tenths = static_cast<unsigned>(RoundHalfAway(v * 0.001, 10));
        std::snprintf(out, 8, "%u.%uk", tenths / 10, tenths % 10);
    } else {
        std::snprintf(out, 8, "%uk", static_cast<unsigned>(RoundHalfAway(v * 0.001, 1)));
    }
}

void CBandBank::Build(int resolution, double binWidthHz)
{
    if (resolution != 0 && resolution != 1) {
        m_count = 0;
        return;
    }
    const int n = resolution == 0 ? 3 : 6;
    const int count = resolution == 0 ? 31 : 63;
    if (!m_records.Resize(count * static_cast<int>(sizeof(BandRecord)))) {
        m_count = 0;
        return;
    }
    m_count = count;
    BandRecord* bands = reinterpret_cast<BandRecord*>(m_records.GetDataPtr());
    const double ratio = std::pow(10.0, 3.0 / (10.0 * n));
    const double half = std::pow(2.0, 1.0 / (2.0 * n));
    for (int i = 0; i < count; ++i) {
        BandRecord& b = bands[i];
        std::memset(&b, 0, sizeof(b));
        b.centre = 10.0 * std::pow(ratio, n + i);
        b.lowerEdge = b.centre / half;
        b.upperEdge = b.centre * half;
        b.nominal = NominalFrequency(b.centre, n);
        FormatLabel(b.nominal, b.label);
    }
    PlaceBins(binWidthHz);
    Sleep(0);
}

// Bin k stands for (k - 1) x width .. k x width, so an edge f lies at
// f / width + 1; one counter walks up across all bands.
void CBandBank::PlaceBins(double width)
{
    BandRecord* bands = reinterpret_cast<BandRecord*>(m_records.GetDataPtr());
    if (width <= 0.0)
        return;
    int c = 0;
    double cf = 0.0;
    for (int i = 0; i < m_count; ++i) {
        BandRecord& b = bands[i];
        while (b.lowerEdge > cf) {
            ++c;
            cf += width;
        }
        b.lowerBin = c + 1 - (cf - b.lowerEdge) / width;
        while (b.upperEdge > cf + width) {
            ++c;
            cf += width;
        }
        b.upperBin = c + 1 - (cf - b.upperEdge) / width;
        b.binSpan = b.upperBin - b.lowerBin;
    }
}

const BandRecord& CBandBank::GetBand(int i) const
{
    if (i < 0 || i >= m_count)
        return m_default;
    return reinterpret_cast<const BandRecord*>(m_records.GetDataPtr())[i];
}
