#include "signal/fft/FftSpec.h"
#include "signal/DspBodies.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/FftTables.h"
#include <cmath>
#include <cstdint>
#include <windows.h>

namespace dsp {

namespace {

bool SetScaling(RealFftSpec* spec, int flag)
{
    const int32_t n = int32_t(1) << spec->order;
    switch (flag) {
    case FftScaleForward:
    case FftScaleInverse:
        spec->forwardScaled = flag == FftScaleForward;
        spec->inverseScaled = flag == FftScaleInverse;
        spec->scale = 1.0f / static_cast<float>(n);
        return true;
    case FftScaleBothSqrt:
        spec->forwardScaled = 1;
        spec->inverseScaled = 1;
        spec->scale = static_cast<float>(1.0 / std::sqrt(static_cast<double>(n)));
        return true;
    case FftScaleNone: return true;
    default: return false;
    }
}

// Every variant splits the complex FFT from this complex order on, with a level
// matrix of all its points (the SSE3 small plan ends below it).
constexpr int kEverySplitComplexOrder = 17;
constexpr uint64_t kAddressSpace32 = uint64_t(1) << 32; // when the system cannot say

// The least the set-up holds at once: the sine table, both recombination tables
// and, once split, the level matrix of N/2 complex values.
uint64_t LeastTableBytes(int order)
{
    const uint64_t n = uint64_t(1) << order;
    const uint64_t sine = (n / 4 + 1) * sizeof(float);
    const uint64_t recombination = 2 * (n / 2) * sizeof(float);
    const uint64_t matrix = order - 1 >= kEverySplitComplexOrder ? n * sizeof(float) : 0;
    return sine + recombination + matrix;
}

// Tables that cannot fit into the address space left are refused before any
// table work: building them first costs seconds only to fail.
bool TablesFit(int order)
{
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof(memory);
    const uint64_t free = GlobalMemoryStatusEx(&memory) ? memory.ullAvailVirtual : kAddressSpace32;
    return LeastTableBytes(order) <= free;
}

int BuildTables(RealFftSpec* spec, FftPlanBuilder build)
{
    if (!TablesFit(spec->order))
        return StatusNoMemory;
    float* sine = generic::FftInitSineTable(spec->order);
    if (!sine)
        return StatusNoMemory;
    const int status = build(spec, sine);
    generic::dspsFree(sine);
    return status;
}

} // namespace

LibStatus FftCreateSpec(RealFftSpec** ppSpec, int order, int flag, int hint, int variant, FftPlanBuilder build)
{
    if (!ppSpec)
        return StatusNullPointer;
    if (order < 0 || order > kFftMaxOrder)
        return StatusFftOrderError;
    auto* spec = reinterpret_cast<RealFftSpec*>(generic::dspsMalloc_8u(sizeof(RealFftSpec)));
    if (!spec)
        return StatusNoMemory;
    generic::dspsZero_8u(reinterpret_cast<unsigned char*>(spec), sizeof(RealFftSpec));
    spec->kind = kRealFftSpecKind;
    spec->order = order;
    spec->hint = hint;
    spec->variant = variant;
    if (!SetScaling(spec, flag)) {
        dspsFFTReleaseSpec(spec);
        return StatusFftFlagError;
    }
    if (order > kFftSmallOrderMax) {
        const int status = BuildTables(spec, build);
        if (status != StatusOk) {
            dspsFFTReleaseSpec(spec);
            return status;
        }
    }
    *ppSpec = spec;
    return StatusOk;
}

void dspsFFTReleaseSpec(RealFftSpec* pSpec)
{
    if (!pSpec)
        return;
    void* const tables[] = {
        pSpec->bitRev,         pSpec->radix4,         pSpec->quarter,        pSpec->reserved,
        pSpec->recombFwd,      pSpec->recombInv,      pSpec->levelRadix4[0], pSpec->levelRadix4[1],
        pSpec->levelRadix4[2], pSpec->levelMatrix[0], pSpec->levelMatrix[1], pSpec->levelMatrix[2],
    };
    for (void* table : tables)
        generic::dspsFree(table);
    pSpec->kind = 0;
    generic::dspsFree(pSpec);
}

} // namespace dsp
