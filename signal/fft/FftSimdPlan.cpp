#include "signal/fft/FftSimdPlan.h"
#include "signal/DspTypes.h"
#include "signal/fft/FftSimdTables.h"
#include "signal/fft/FftTables.h"

namespace dsp::simd {

namespace {

constexpr int kBlockedLeafOrder = 10;

struct Builder {
    RealFftSpec* spec;
    const float* sine;
    const FftSimdConfig& config;

    float* Radix4(int t) const { return FftInitRadix4Twiddles(sine, spec->order, t); }
    void NeedWork(int bytes) const
    {
        if (bytes > spec->workBytes)
            spec->workBytes = bytes;
    }

    // SSE without split: 1024-point leaves joined by halving steps.
    int Blocked(int c) const
    {
        spec->quarter = FftInitQuarterTwiddlesSse(sine, spec->order, c);
        spec->radix4 = Radix4(kBlockedLeafOrder);
        return spec->quarter && spec->radix4 ? StatusOk : StatusNoMemory;
    }

    int Leaf(int m) const
    {
        spec->radix4 = Radix4(m);
        return spec->radix4 ? StatusOk : StatusNoMemory;
    }

    // SSE: four-column step with a regrouped generic matrix and radix-4 columns.
    // The slots of this level's tables; a split leaf fills the next ones.
    int RecursiveSse(int c, float** radix4Slot, float** matrixSlot) const
    {
        const int r = config.split[c];
        const int m = c - r;
        const int status = m <= kBlockedLeafOrder ? Leaf(m)
                           : config.split[m]      ? RecursiveSse(m, radix4Slot + 1, matrixSlot + 1)
                                                  : Blocked(m);
        if (status != StatusOk)
            return status;
        *radix4Slot = Radix4(r);
        *matrixSlot = FftInitLevelMatrixSse(sine, spec->order, c, r);
        if (!*radix4Slot || !*matrixSlot)
            return StatusNoMemory;
        NeedWork(32 << r);
        return StatusOk;
    }

    // SSE2, SSE3: column blocks of 2^b points with the stage twiddles folded into the matrix.
    int RecursiveColumns(int c, float** matrixSlot) const
    {
        const int r = config.split[c];
        const int m = c - r;
        const int b = config.blockOrder[c];
        const int status = m > config.radix4Max ? RecursiveColumns(m, matrixSlot + 1) : Leaf(m);
        if (status != StatusOk)
            return status;
        *matrixSlot = FftInitLevelMatrixColumns(sine, spec->order, c, r, b);
        if (!*matrixSlot)
            return StatusNoMemory;
        NeedWork(8 << b);
        return StatusOk;
    }

    int Large(int c) const
    {
        if (!config.split[c])
            return Blocked(c);
        return config.blockOrder ? RecursiveColumns(c, spec->levelMatrix)
                                 : RecursiveSse(c, spec->levelRadix4, spec->levelMatrix);
    }

    int ComplexHalf(int c) const
    {
        spec->bitRevIndexForm = c <= config.indexFormMax;
        spec->bitRev = spec->bitRevIndexForm ? FftInitBitRevIndex(c) : generic::FftInitBitRevTable(c);
        if (!spec->bitRev)
            return StatusNoMemory;
        if (c <= config.radix4Max) {
            spec->workBytes = 8 * (1 << c) + 16;
            return Leaf(c);
        }
        spec->workBytes = 0;
        const int status = Large(c);
        spec->workBytes += config.largeExtraBytes;
        return status;
    }
};

} // namespace

int FftBuildPlan(RealFftSpec* spec, const float* sine, const FftSimdConfig& config)
{
    const Builder builder{spec, sine, config};
    const int status = builder.ComplexHalf(spec->order - 1);
    if (status != StatusOk)
        return status;
    spec->recombFwd = FftInitRecombFwd(spec->order, sine);
    spec->recombInv = FftInitRecombInv(spec->order, sine);
    return spec->recombFwd && spec->recombInv ? StatusOk : StatusNoMemory;
}

} // namespace dsp::simd
