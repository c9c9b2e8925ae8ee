// Library throughput per variant, one "key: value" line per figure.
#include <cstdio>
#include <cstring>

#include "BenchTiming.h"
#include "signal/Dsp.h"
#include "signal/DspBodies.h"

namespace {

typedef LibStatus (*CopyBody)(const float*, float*, int);
typedef LibStatus (*SetBody)(float, float*, int);

const char* const Names[] = {"generic", "sse", "sse2", "sse3"};
const CopyBody Copies[] = {dsp::generic::dspsCopy_32f, dsp::sse::dspsCopy_32f, dsp::sse2::dspsCopy_32f,
                           dsp::sse3::dspsCopy_32f};
const SetBody Sets[] = {dsp::generic::dspsSet_32f, dsp::sse::dspsSet_32f, dsp::sse2::dspsSet_32f,
                        dsp::sse3::dspsSet_32f};

// Bytes per second of op over about 50 ms.
template <class Op>
double Throughput(size_t bytes, Op op)
{
    return double(bytes) * CallsPerSecond(op, 0.05);
}

void BenchSize(float* src, float* dst, size_t bytes)
{
    int len = int(bytes / 4);
    double memcpyRate = Throughput(bytes, [&] { std::memcpy(dst, src, bytes); });
    double memsetRate = Throughput(bytes, [&] { std::memset(dst, 0, bytes); });
    for (int v = 0; v < 4; ++v) {
        double copy = Throughput(bytes, [&] { Copies[v](src, dst, len); });
        double set = Throughput(bytes, [&] { Sets[v](0.0f, dst, len); });
        const unsigned kib = unsigned(bytes / 1024);
        std::printf("signal.copy.%s.%ukib.mb_per_s: %.0f\n", Names[v], kib, copy / 1e6);
        std::printf("signal.copy.%s.%ukib.vs_memcpy: %.2f\n", Names[v], kib, copy / memcpyRate);
        std::printf("signal.set.%s.%ukib.mb_per_s: %.0f\n", Names[v], kib, set / 1e6);
        std::printf("signal.set.%s.%ukib.vs_memset: %.2f\n", Names[v], kib, set / memsetRate);
    }
}

} // namespace

int main()
{
    const size_t maxBytes = 4u << 20;
    float* src = dspsMalloc_32f(int(maxBytes / 4));
    float* dst = dspsMalloc_32f(int(maxBytes / 4));
    if (!src || !dst)
        return 1;
    dspsSet_32f(1.0f, src, int(maxBytes / 4));
    for (size_t bytes = 1024; bytes <= maxBytes; bytes *= 4)
        BenchSize(src, dst, bytes);
    dspsFree(src);
    dspsFree(dst);
    RunVectorBench();
    return 0;
}
