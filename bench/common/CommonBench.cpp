// Throughput of the ring buffer between two threads and cost of the mutex.
#include "bench/BenchClock.h"
#include "common/CFifo.h"
#include "common/CMutex.h"
#include "common/CThread.h"
#include <windows.h>
#include <cstdio>
#include <vector>

namespace {

const int kBlock = 4096;
const long long kTotal = 512LL * 1024 * 1024;

// Puts kTotal bytes in blocks, each only when the whole block fits.
class Writer : public CRunnable {
public:
    explicit Writer(CFifo& fifo) : m_fifo(fifo) {}
    void Run(CThread*) override
    {
        std::vector<unsigned char> block(kBlock, 0x5A);
        for (long long sent = 0; sent < kTotal;) {
            if (m_fifo.GetFree() < kBlock) {
                SwitchToThread();
                continue;
            }
            sent += m_fifo.Put(block.data(), kBlock, false);
        }
    }

private:
    CFifo& m_fifo;
};

void BenchFifo()
{
    CFifo fifo(256 * 1024);
    Writer writer(fifo);
    CThread thread;
    thread.SetRunnable(&writer);
    std::vector<unsigned char> block(kBlock);
    double t0 = BenchNow();
    thread.Start();
    for (long long got = 0; got < kTotal;) {
        if (fifo.GetUsed() < kBlock) {
            SwitchToThread();
            continue;
        }
        got += fifo.Get(block.data(), kBlock, false);
    }
    double t = BenchNow() - t0;
    thread.Stop();
    std::printf("fifo.put_get.mb_per_s: %.0f\n", kTotal / (1024.0 * 1024.0) / t);
}

// Each pair is a kernel call (a server round trip under Wine): run for a second, not a count.
void BenchMutex()
{
    CMutex m;
    long long pairs = 0;
    double t0 = BenchNow(), t = 0;
    while (t < 1.0) {
        for (int i = 0; i < 1000; ++i) {
            m.Lock();
            m.Unlock();
        }
        pairs += 1000;
        t = BenchNow() - t0;
    }
    std::printf("mutex.lock_unlock.pairs_per_us: %.3f\n", pairs / (t * 1e6));
}

} // namespace

int main()
{
    BenchFifo();
    BenchMutex();
    return 0;
}
