#include "tests/signal/fft/FftTestUtil.h"
#include <gtest/gtest.h>
#include <thread>

using namespace ffttest;

namespace {

void CheckSharedSpecification(int variant, int order)
{
    const int n = 1 << order;
    Spec spec(order, 1, variant);
    ASSERT_EQ(spec.status(), StatusOk);
    const int threads = 4;
    std::vector<std::vector<float>> inputs, spectra, signals;
    for (int t = 0; t < threads; ++t) {
        inputs.push_back(RandomSignal(n, 40 + t));
        std::vector<float> y(n + 2), z(n);
        dspsFFTFwd_RToCCS_32f(inputs[t].data(), y.data(), spec.get(), nullptr);
        dspsFFTInv_CCSToR_32f(y.data(), z.data(), spec.get(), nullptr);
        spectra.push_back(y);
        signals.push_back(z);
    }
    std::vector<int> mismatches(threads, 0);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            std::vector<unsigned char> work(spec.bufSize() + 16);
            std::vector<float> y(n + 2), z(n);
            for (int round = 0; round < 20; ++round) {
                unsigned char* buffer = (round & 1) ? work.data() + t : nullptr;
                dspsFFTFwd_RToCCS_32f(inputs[t].data(), y.data(), spec.get(), buffer);
                dspsFFTInv_CCSToR_32f(y.data(), z.data(), spec.get(), buffer);
                mismatches[t] += y != spectra[t] || z != signals[t];
            }
        });
    }
    for (std::thread& th : pool)
        th.join();
    for (int t = 0; t < threads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "variant " << variant << " order " << order << " thread " << t;
}

} // namespace

// Threads share one specification, each with its own buffers; every result must equal the
// single-threaded one, in every variant (Windows starts threads with a stack that is not
// 16-byte aligned, which the SIMD kernels must survive).
TEST(FftConcurrency, SharedSpecificationGivesSingleThreadedResults)
{
    for (int variant : {VariantGeneric, VariantSse, VariantSse2, VariantSse3}) {
        for (int order : {12, 15})
            CheckSharedSpecification(variant, order);
    }
}
