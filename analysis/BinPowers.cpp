#include "analysis/BinPowers.h"

void BinPowersGeneric(const float* spectrum, float* powers, int bins, float scale)
{
    for (int k = 0; k < bins; ++k) {
        const double re = spectrum[2 * k], im = spectrum[2 * k + 1];
        powers[k] = static_cast<float>((re * re + im * im) * scale);
    }
}
