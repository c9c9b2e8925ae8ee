#include "signal/DspBodies.h"
#include "signal/DspMemory.h"

namespace dsp {
namespace sse3 {

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

} // namespace sse3
} // namespace dsp
