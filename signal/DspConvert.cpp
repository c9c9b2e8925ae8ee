// Sample conversions: generic variant, the reference.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

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

template <class T>
LibStatus IntToFloat(const T* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    for (int i = 0; i < len; ++i)
        pDst[i] = float(pSrc[i]);
    return StatusOk;
}

template <class T>
LibStatus IntToFloatScaled(const T* pSrc, float* pDst, int len, int sf, int minScale)
{
    if (sf == 0)
        return IntToFloat(pSrc, pDst, len);
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    double factor = IntToFloatScale(sf, minScale);
    for (int i = 0; i < len; ++i)
        pDst[i] = float(double(pSrc[i]) * factor);
    return StatusOk;
}

// Saturates to the type's maximum from `top` up and to its minimum at or below it.
template <class T>
LibStatus FloatToInt(const float* pSrc, T* pDst, int len, int rndMode, int sf, double top)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    const T highest = std::numeric_limits<T>::max(), lowest = std::numeric_limits<T>::min();
    double factor = ReferenceScale(sf);
    for (int i = 0; i < len; ++i) {
        double v = sf != 0 ? double(pSrc[i]) * factor : double(pSrc[i]);
        if (v >= top)
            pDst[i] = highest;
        else if (!(v > double(lowest)))
            pDst[i] = lowest;
        else
            pDst[i] = T(rndMode == 1 ? RoundNearestEven(v) : double(static_cast<long long>(v)));
    }
    return StatusOk;
}

} // namespace

LibStatus dspsConvert_16s32f(const short* pSrc, float* pDst, int len)
{
    return IntToFloat(pSrc, pDst, len);
}

LibStatus dspsConvert_32s32f(const int* pSrc, float* pDst, int len)
{
    return IntToFloat(pSrc, pDst, len);
}

LibStatus dspsConvert_16s32f_Sfs(const short* pSrc, float* pDst, int len, int sf)
{
    return IntToFloatScaled(pSrc, pDst, len, sf, ConvertMinScale16);
}

LibStatus dspsConvert_32s32f_Sfs(const int* pSrc, float* pDst, int len, int sf)
{
    return IntToFloatScaled(pSrc, pDst, len, sf, ConvertMinScale32);
}

LibStatus dspsConvert_32f32s_Sfs(const float* pSrc, int* pDst, int len, int rndMode, int sf)
{
    return FloatToInt(pSrc, pDst, len, rndMode, sf, 2147483648.0);
}

LibStatus dspsConvert_32f16s_Sfs(const float* pSrc, short* pDst, int len, int rndMode, int sf)
{
    return FloatToInt(pSrc, pDst, len, rndMode, sf, 32767.0);
}

} // namespace generic
} // namespace dsp
