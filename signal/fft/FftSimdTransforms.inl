// Forward and inverse flows of the SSE, SSE2 and SSE3 engines, included after the kernels and
// the variant's large step inside its namespace. Needs kFusedMax, kRadix4Max and Large<Inv>.

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

LibStatus Forward(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer,
                  FftLayout layout)
{
    const int n = 1 << spec->order;
    if (spec->order <= kFftSmallOrderMax) {
        generic::FftSmallFwd(spec->order, src, dst, spec->forwardScaled ? spec->scale : 1.0f);
        FftPermToLayout(dst, n, layout);
        return StatusOk;
    }
    generic::FftWorkBuffer work(spec, buffer);
    if (!work.IsValid())
        return StatusNoMemory;
    ComplexHalf<false>(src, dst, spec, work.Get());
    const float re = dst[0];
    const float im = dst[1];
    dst[0] = re + im;
    dst[1] = re - im;
    RecombineFwd(dst, n / 2, spec->recombFwd);
    FftPermToLayout(dst, n, layout);
    return StatusOk;
}

LibStatus Inverse(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer,
                  FftLayout layout)
{
    const int n = 1 << spec->order;
    if (spec->order <= kFftSmallOrderMax) {
        if (layout != FftLayout::Perm) {
            FftLayoutToPerm(src, dst, n, layout);
            src = dst;
        }
        generic::FftSmallInv(spec->order, src, dst, spec->inverseScaled ? spec->scale : 1.0f);
        return StatusOk;
    }
    generic::FftWorkBuffer work(spec, buffer);
    if (!work.IsValid())
        return StatusNoMemory;
    PreRecombineInv(FftInvFirstPoint(src, dst, n, layout), dst, n / 2, spec->recombInv);
    ComplexHalf<true>(dst, dst, spec, work.Get());
    return StatusOk;
}
