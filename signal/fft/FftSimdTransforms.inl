// The complex half-size transform of the SSE, SSE2 and SSE3 engines, included after the kernels
// and the variant's large step inside its namespace. Needs kFusedMax, kRadix4Max, Large<Inv> and
// RecombineFwdOf.

template <bool Inv>
bool Scaled(const RealFftSpec* spec)
{
    return Inv ? spec->inverseScaled : spec->forwardScaled;
}

// A scaled forward transform below the large step leaves its scale to the recombination, which
// applies it as it loads each point (the same products, one pass fewer); only point 0, which the
// flow reads first, is scaled here.
bool ScaleInRecombination(const RealFftSpec* spec)
{
    return spec->forwardScaled && spec->order - 1 <= kRadix4Max;
}

void ScaleFirstPoint(float scale, float* x)
{
    const __m128 point = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(x));
    _mm_storel_pi(reinterpret_cast<__m64*>(x), _mm_mul_ps(point, _mm_set1_ps(scale)));
}

// Complex transform of the n = N/2 points of src into dst, scaled by the direction's flag.
template <bool Inv>
void ComplexHalf(const float* src, float* dst, const RealFftSpec* spec, float* work)
{
    const int c = spec->order - 1;
    const int n = 1 << c;
    if (c <= kFusedMax) {
        Fused<Inv>(src, dst, n, spec->radix4, spec->bitRev, work);
    } else {
        BitReverse(src, dst, n, spec);
        if (c > kRadix4Max) {
            Large<Inv>(spec, dst, c, work);
            return;
        }
        Radix4<Inv>(dst, n, spec->radix4, work, true);
    }
    if (!Inv && ScaleInRecombination(spec))
        ScaleFirstPoint(spec->scale, dst);
    else if (Scaled<Inv>(spec))
        Scale(spec->scale, dst, 2 * n);
}

void RecombineFwd(float* x, int n, const RealFftSpec* spec)
{
    if (ScaleInRecombination(spec))
        RecombineFwdOf<true>(x, n, spec->recombFwd, spec->scale);
    else
        RecombineFwdOf<false>(x, n, spec->recombFwd, 1.0f);
}
