// Throughput of the ring buffer between two threads, cost of the mutex, and
// time of a settings save into a small and a large settings file.
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include "common/CIniSave.h"
#include "common/CFifo.h"
#include "common/CMutex.h"
#include "common/CThread.h"
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <string>
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

// The main window's save: thirteen integers into one section, the rest of
// the file (a user's own sections of padded lines) kept. Files of the same
// size in one section and in many show whether the cost follows the bytes.
// A save of unchanged values writes nothing to disk in the profile functions,
// so the main window's close, whose values change, has a row of its own.
// False when a save did not land: a save refused would look fast.
bool BenchIniSave()
{
    const int kSettings = 13;
    const struct {
        const char* name;
        int sections, linesPerSection, lineBytes;
        bool changing; // every save writes other values
        int runs;      // a save of a few milliseconds: many, so that a busy machine moves the median little
    } files[] = {{"1kb", 1, 16, 64, false, kBenchRuns},
                 {"1kb_values_changed", 1, 16, 64, true, 101},
                 {"4mb", 1, 64 * 1024, 64, false, kBenchRuns},
                 {"170kb_2500_sections", 2500, 1, 56, false, kBenchRuns},
                 {"4mb_2500_sections", 2500, 30, 56, false, kBenchRuns}};
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    const std::string path = std::string(folder) + "quill_bench_save.ini";
    bool allLanded = true;
    for (const auto& file : files) {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            for (int s = 0; s < file.sections; ++s) {
                out << "[User" << s << "]\r\n";
                for (int i = 0; i < file.linesPerSection; ++i) {
                    const std::string key = "note" + std::to_string(i) + "=";
                    out << key << std::string(file.lineBytes - key.size() - 2, 'a') << "\r\n";
                }
            }
        }
        bool landed = true;
        int round = 0;
        const double ms = MedianOfRuns(
            [&] {
                const int base = file.changing ? ++round * kSettings : 0;
                const double t0 = BenchNow();
                CIniSave save(path.c_str());
                for (int i = 0; i < kSettings; ++i)
                    save.WriteInt("Settings", ("cp.key" + std::to_string(i)).c_str(), base + i);
                landed = save.Commit() && landed;
                return (BenchNow() - t0) * 1000.0;
            },
            file.runs);
        if (landed)
            std::printf("ini_save.settings_ms.file_%s: %.1f\n", file.name, ms);
        else
            std::fprintf(stderr, "ini_save: a save into file_%s did not land\n", file.name);
        allLanded = allLanded && landed;
    }
    DeleteFileA(path.c_str());
    return allLanded;
}

} // namespace

int main()
{
    BenchFifo();
    BenchMutex();
    return BenchIniSave() ? 0 : 1;
}
