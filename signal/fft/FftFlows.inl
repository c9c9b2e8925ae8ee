// The forward and inverse flows of every variant, included inside its namespace's unnamed
// namespace after its ComplexHalf<Inv>, RecombineFwd (taking the specification) and
// PreRecombineInv.

LibStatus Forward(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer, FftLayout layout)
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
    RecombineFwd(dst, n / 2, spec);
    FftPermToLayout(dst, n, layout);
    return StatusOk;
}

LibStatus Inverse(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer, FftLayout layout)
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
