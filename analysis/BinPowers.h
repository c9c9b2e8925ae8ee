#pragma once
// Power of each spectrum bin, (re² + im²) × scale, summed in double and
// rounded to float once; one body per processor variant (BinPowers.cpp plain
// x87 code, BinPowers_sse2.cpp SSE2), computing the same values.
void BinPowersGeneric(const float* spectrum, float* powers, int bins, float scale);
void BinPowersSse2(const float* spectrum, float* powers, int bins, float scale);
