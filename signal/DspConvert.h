#pragma once
// Scale factors of the sample conversions, shared by every variant.

namespace dsp {

// Lowest scale an integer-to-float conversion accepts (16- and 32-bit sources).
const int ConvertMinScale16 = -112;
const int ConvertMinScale32 = -96;
const int ConvertMaxScale = 126;

// 2^-s with s = sf limited to minScale .. 126, built from its exponent bits.
float IntToFloatScale(int sf, int minScale);

// 2^-sf in double precision for any sf (0 or infinity beyond the double range).
double ReferenceScale(int sf);

// Scale factors for which the single-precision SIMD path is exact (2^-sf is a
// finite float); outside them the SIMD variants run the reference conversion.
const int SimdMinScale = -127;
const int SimdMaxScale = 149;
float SimdScale(int sf);

} // namespace dsp
