// The resize functions of one processor variant. Included inside the variant's namespace, in
// its own file, after VariantArith names its arithmetic, so that every variant keeps its own
// copy of the kernels; unqualified calls reach that namespace's library bodies.

namespace {

// Row copies and zeroing go to this variant's own library bodies.
struct Arith : VariantArith {
    static void CopyRow(const float* src, float* dst, int count) { dspsCopy_32f(src, dst, count); }
    static void ZeroBytes(void* block, int bytes) { dspsZero_8u(static_cast<unsigned char*>(block), bytes); }
};

using Kernels = ResizeKernelSet<Arith>;

} // namespace

LibStatus dspiResizeCore(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, void* pDst, int dstStep,
                         ImageSize dstRoiSize, double xFactor, double yFactor, double xShift, double yShift,
                         int pixelStep, int channels, int pixelType, int planar, int interpolation, int factorMode)
{
    return ResizeCoreRun(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor,
                         xShift, yShift, pixelStep, channels, pixelType, planar, interpolation, factorMode);
}

LibStatus dspiResizeSuper(const void* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, void* pDst, int dstStep,
                          ImageSize dstRoiSize, double xFactor, double yFactor, int pixelStep, int channels,
                          int pixelType, int planar)
{
    return ResizeSuperRun(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor,
                          yFactor, pixelStep, channels, pixelType, planar);
}

void LanczosWeights(const float* fractions, int count, float* weights)
{
    Arith::LanczosWeights(fractions, count, weights);
}

LibStatus dspiResize_8u_C4R(const unsigned char* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi,
                            unsigned char* pDst, int dstStep, ImageSize dstRoiSize, double xFactor, double yFactor,
                            int interpolation)
{
    return ResizeEntryRoute(Kernels::kVariant, pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor,
                            yFactor, interpolation);
}
