// The complex half-size transform of the SSE, SSE2 and SSE3 engines, included after the kernels
// and the variant's large step inside its namespace. Needs kFusedMax, kRadix4Max and Large<Inv>.

template <bool Inv>
bool Scaled(const RealFftSpec* spec)
{
    return Inv ? spec->inverseScaled : spec->forwardScaled;
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
    if (Scaled<Inv>(spec))
        Scale(spec->scale, dst, 2 * n);
}
