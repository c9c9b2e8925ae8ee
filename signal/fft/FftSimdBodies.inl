// The public bodies of an SSE, SSE2 or SSE3 variant, included in its namespace after the
// unnamed namespace that holds kConfig, the kernels and the flows.

LibStatus dspsFFTInitAlloc_R_32f(RealFftSpec** ppSpec, int order, int flag, int hint)
{
    const FftPlanBuilder build = [](RealFftSpec* spec, const float* sine) {
        return simd::FftBuildPlan(spec, sine, kConfig);
    };
    return FftCreateSpec(ppSpec, order, flag, hint, kConfig.variant, build);
}

LibStatus dspsFFTFree_R_32f(RealFftSpec* pSpec)
{
    return FftRunFree(&dspsFFTFree_R_32f, pSpec);
}

FFT_TRANSFORM_BODY(dspsFFTFwd_RToPerm_32f, Forward, FftEntry::FwdPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToPack_32f, Forward, FftEntry::FwdPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTFwd_RToCCS_32f, Forward, FftEntry::FwdCcs, FftLayout::Ccs)
FFT_TRANSFORM_BODY(dspsFFTInv_PermToR_32f, Inverse, FftEntry::InvPerm, FftLayout::Perm)
FFT_TRANSFORM_BODY(dspsFFTInv_PackToR_32f, Inverse, FftEntry::InvPack, FftLayout::Pack)
FFT_TRANSFORM_BODY(dspsFFTInv_CCSToR_32f, Inverse, FftEntry::InvCcs, FftLayout::Ccs)
