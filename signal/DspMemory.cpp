#include "signal/DspMemory.h"

#include <cstdint>
#include <cstdlib>

#include "signal/DspBodies.h"

namespace {

const std::uint64_t BlockOverhead = 36;

} // namespace

extern "C" {

// The byte count is formed in 64 bits: in 32 bits it wraps for huge lengths.
void* dspsAlignedMalloc(int len, int elementSize)
{
    if (len < 1)
        return nullptr;
    std::uint64_t bytes = static_cast<std::uint64_t>(len) * elementSize + BlockOverhead;
    if (bytes > SIZE_MAX)
        return nullptr;
    void* raw = std::malloc(static_cast<size_t>(bytes));
    if (!raw)
        return nullptr;
    std::uintptr_t block = (reinterpret_cast<std::uintptr_t>(raw) + 35) & ~std::uintptr_t(31);
    reinterpret_cast<void**>(block)[-1] = raw;
    return reinterpret_cast<void*>(block);
}

short* dspsMalloc_16s(int len)
{
    return static_cast<short*>(dspsAlignedMalloc(len, 2));
}

} // extern "C"

namespace dsp {
namespace generic {

unsigned char* dspsMalloc_8u(int len)
{
    return static_cast<unsigned char*>(dspsAlignedMalloc(len, 1));
}

int* dspsMalloc_32s(int len)
{
    return static_cast<int*>(dspsAlignedMalloc(len, 4));
}

float* dspsMalloc_32f(int len)
{
    return static_cast<float*>(dspsAlignedMalloc(len, 4));
}

double* dspsMalloc_64f(int len)
{
    return static_cast<double*>(dspsAlignedMalloc(len, 8));
}

void dspsFree(void* ptr)
{
    if (ptr)
        std::free(static_cast<void**>(ptr)[-1]);
}

} // namespace generic
} // namespace dsp
