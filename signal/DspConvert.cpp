// Sample conversions: generic variant, the reference.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspConvert.h"

namespace dsp {

float IntToFloatScale(int sf, int minScale)
{
    int s = sf > ConvertMaxScale ? ConvertMaxScale : sf < minScale ? minScale : sf;
    std::uint32_t bits = std::uint32_t(127 - s) << 23;
    float factor;
    std::memcpy(&factor, &bits, sizeof(factor));
    return factor;
}

double ReferenceScale(int sf)
{
    int s = sf > 2000 ? 2000 : sf < -2000 ? -2000 : sf;
    return std::ldexp(1.0, -s);
}

float SimdScale(int sf)
{
    return std::ldexp(1.0f, -sf);
}

namespace generic {
namespace {

// Rounds half to even by the steps the SIMD variants reproduce in hardware.
double RoundNearestEven(double v)
{
    double r = v >= 0 ? v + 0.5 : v - 0.5;
    double t = double(static_cast<long long>(r));
    if (r == t && static_cast<long long>(t) % 2 != 0)
        t += v >= 0 ? -1.0 : 1.0;
    return t;
}

} // namespace

LibStatus dspsConvert_16s32f(const short* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pDst[i] = float(pSrc[i]);
    return StatusOk;
}

LibStatus dspsConvert_32s32f(const int* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pDst[i] = float(pSrc[i]);
    return StatusOk;
}

LibStatus dspsConvert_16s32f_Sfs(const short* pSrc, float* pDst, int len, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk || sf == 0)
        return st == StatusOk ? dspsConvert_16s32f(pSrc, pDst, len) : st;
    double factor = IntToFloatScale(sf, ConvertMinScale16);
    for (int i = 0; i < len; ++i)
        pDst[i] = float(double(pSrc[i]) * factor);
    return StatusOk;
}

LibStatus dspsConvert_32s32f_Sfs(const int* pSrc, float* pDst, int len, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk || sf == 0)
        return st == StatusOk ? dspsConvert_32s32f(pSrc, pDst, len) : st;
    double factor = IntToFloatScale(sf, ConvertMinScale32);
    for (int i = 0; i < len; ++i)
        pDst[i] = float(double(pSrc[i]) * factor);
    return StatusOk;
}

LibStatus dspsConvert_32f32s_Sfs(const float* pSrc, int* pDst, int len, int rndMode, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    double factor = ReferenceScale(sf);
    for (int i = 0; i < len; ++i) {
        double v = sf != 0 ? double(pSrc[i]) * factor : double(pSrc[i]);
        if (v >= 2147483648.0)
            pDst[i] = 2147483647;
        else if (!(v > -2147483648.0))
            pDst[i] = -2147483647 - 1;
        else
            pDst[i] = int(rndMode == 1 ? RoundNearestEven(v) : double(static_cast<long long>(v)));
    }
    return StatusOk;
}

LibStatus dspsConvert_32f16s_Sfs(const float* pSrc, short* pDst, int len, int rndMode, int sf)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    double factor = ReferenceScale(sf);
    for (int i = 0; i < len; ++i) {
        double v = sf != 0 ? double(pSrc[i]) * factor : double(pSrc[i]);
        if (v >= 32767.0)
            pDst[i] = 32767;
        else if (!(v > -32768.0))
            pDst[i] = -32768;
        else
            pDst[i] = short(rndMode == 1 ? RoundNearestEven(v) : double(static_cast<long long>(v)));
    }
    return StatusOk;
}

} // namespace generic
} // namespace dsp
