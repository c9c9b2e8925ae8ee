#include "signal/fft/FftOwner.h"
#include "signal/DspBodies.h"
#include "signal/fft/FftSpec.h"
#include "signal/fft/RealFftSpec.h"

namespace dsp {

namespace {

// Per function, its bodies by VariantTable slot, from the same list as the registry.
#define FFT_OWNER_BODIES(name, letter, result, params, args, g, s, s2, s3)                                             \
    decltype(&dsp::g::name)                                                                                            \
        const name##Bodies[] = {nullptr, &dsp::g::name, &dsp::s::name, &dsp::s2::name, &dsp::s3::name};
DSP_FUNCTION_LIST(FFT_OWNER_BODIES)
#undef FFT_OWNER_BODIES

const FftTransformBody* const kTransforms[] = {
    dspsFFTFwd_RToPerm_32fBodies, dspsFFTFwd_RToPack_32fBodies, dspsFFTFwd_RToCCS_32fBodies,
    dspsFFTInv_PermToR_32fBodies, dspsFFTInv_PackToR_32fBodies, dspsFFTInv_CCSToR_32fBodies,
};

} // namespace

LibStatus FftCheckSpec(const RealFftSpec* spec)
{
    if (!spec)
        return StatusNullPointer;
    const bool sound = spec->kind == kRealFftSpecKind && spec->order >= 0 && spec->order <= kFftMaxOrder &&
                       spec->variant >= VariantGeneric && spec->variant <= VariantSse3;
    return sound ? StatusOk : StatusWrongSpec;
}

bool FftTransformPrologue(const float* src, float* dst, const RealFftSpec* spec, unsigned char* buffer, FftEntry entry,
                          FftTransformBody self, LibStatus* status)
{
    *status = FftCheckSpec(spec);
    if (*status != StatusOk)
        return true;
    const FftTransformBody owner = kTransforms[static_cast<int>(entry)][spec->variant];
    if (owner != self) {
        *status = owner(src, dst, spec, buffer);
        return true;
    }
    if (!src || !dst) {
        *status = StatusNullPointer;
        return true;
    }
    return false;
}

LibStatus FftRunGetBufSize(FftGetBufSizeBody self, const RealFftSpec* spec, int* size)
{
    const LibStatus status = size ? FftCheckSpec(spec) : StatusNullPointer;
    if (status != StatusOk)
        return status;
    const FftGetBufSizeBody owner = dspsFFTGetBufSize_R_32fBodies[spec->variant];
    if (owner != self)
        return owner(spec, size);
    *size = spec->workBytes;
    return StatusOk;
}

LibStatus FftRunFree(FftFreeBody self, RealFftSpec* spec)
{
    const LibStatus status = FftCheckSpec(spec);
    if (status != StatusOk)
        return status;
    const FftFreeBody owner = dspsFFTFree_R_32fBodies[spec->variant];
    if (owner != self)
        return owner(spec);
    dspsFFTReleaseSpec(spec);
    return StatusOk;
}

} // namespace dsp
