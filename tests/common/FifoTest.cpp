#include "common/CFifo.h"
#include "TraceCapture.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace {

std::vector<unsigned char> Ramp(int n, int first = 0)
{
    std::vector<unsigned char> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = (unsigned char)(first + i);
    return v;
}

} // namespace

TEST(Fifo, HeaderRecordHasTheSharedLayout)
{
    EXPECT_EQ(offsetof(CFifoHeader, nOverruns), 0u);
    EXPECT_EQ(offsetof(CFifoHeader, nOverrunBytes), 4u);
    EXPECT_EQ(offsetof(CFifoHeader, nStart), 8u);
    EXPECT_EQ(offsetof(CFifoHeader, nEnd), 12u);
    EXPECT_EQ(offsetof(CFifoHeader, nWrite), 16u);
    EXPECT_EQ(offsetof(CFifoHeader, nRead), 20u);
    EXPECT_EQ(offsetof(CFifoHeader, nUser), 24u);
    EXPECT_EQ(offsetof(CFifoHeader, nReserve), 28u);
    EXPECT_EQ(offsetof(CFifoHeader, nSize), 32u);
    EXPECT_EQ(offsetof(CFifoHeader, nSpare), 36u);
    EXPECT_EQ(offsetof(CFifoHeader, nSkipPending), 40u);
    CFifo f(1000, 77);
    const CFifoHeader* h = f.GetHeader();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->nStart, 0);
    EXPECT_EQ(h->nSize, 1001);
    EXPECT_EQ(h->nEnd, 1001);
    EXPECT_EQ(h->nUser, 77);
    // The ring follows the header directly: the first byte put sits at offset 176.
    unsigned char b = 0xA5;
    f.Put(&b, 1, false);
    EXPECT_EQ(((const unsigned char*)h)[176], 0xA5);
}

TEST(Fifo, PutBeyondFreeWithoutOverwriteTruncatesAndCounts)
{
    const int C = 100;
    CFifo f(C);
    auto data = Ramp(C + 10);
    EXPECT_EQ(f.Put(data.data(), C + 10, false), C);
    EXPECT_EQ(f.GetFree(), 0);
    EXPECT_EQ(f.GetUsed(), C);
    EXPECT_EQ(f.GetHeader()->nOverruns, 1);
    EXPECT_EQ(f.GetHeader()->nOverrunBytes, 10);
    std::vector<unsigned char> out(C);
    EXPECT_EQ(f.Get(out.data(), C, false), C);
    EXPECT_EQ(out, std::vector<unsigned char>(data.begin(), data.begin() + C));
}

TEST(Fifo, OverwritePutIntoFullRingDropsOldest)
{
    const int C = 100;
    CFifo f(C);
    auto first = Ramp(C);
    auto second = Ramp(10, 200);
    f.Put(first.data(), C, false);
    EXPECT_EQ(f.Put(second.data(), 10, true), 10);
    EXPECT_EQ(f.GetHeader()->nOverruns, 1);
    EXPECT_EQ(f.GetHeader()->nOverrunBytes, 10);
    std::vector<unsigned char> out(C);
    ASSERT_EQ(f.Get(out.data(), C, false), C);
    std::vector<unsigned char> want(first.begin() + 10, first.end());
    want.insert(want.end(), second.begin(), second.end());
    EXPECT_EQ(out, want);
    // A Put larger than the ring keeps its first capacity bytes.
    CFifo g(50);
    g.Put(second.data(), 10, false);
    EXPECT_EQ(g.Put(first.data(), 80, true), 50);
    out.resize(50);
    g.Get(out.data(), 50, false);
    EXPECT_EQ(out, std::vector<unsigned char>(first.begin(), first.begin() + 50));
}

TEST(Fifo, FillGetReplaysOlderBytesFirst)
{
    CFifo f(200);
    auto data = Ramp(100);
    f.Put(data.data(), 100, false);
    std::vector<unsigned char> skip(40);
    f.Get(skip.data(), 40, false);
    ASSERT_EQ(f.GetUsed(), 60);
    std::vector<unsigned char> out(100);
    EXPECT_EQ(f.Get(out.data(), 100, true), 100);
    EXPECT_EQ(out, data);
    EXPECT_EQ(f.GetHeader()->nOverrunBytes, -40);
    EXPECT_EQ(f.GetHeader()->nOverruns, 1);
    // Without fill a Get returns what is there and counts nothing.
    CFifo g(200);
    g.Put(data.data(), 60, false);
    EXPECT_EQ(g.Get(out.data(), 100, false), 60);
    EXPECT_EQ(g.GetHeader()->nOverruns, 0);
}

TEST(Fifo, FillGetOfFreshRingGivesZerosAndBeyondTheRingIsClamped)
{
    CFifo fresh(64);
    std::vector<unsigned char> zeros(64, 0xFF);
    EXPECT_EQ(fresh.Get(zeros.data(), 64, true), 64);
    EXPECT_EQ(zeros, std::vector<unsigned char>(64, 0));
    EXPECT_EQ(fresh.GetHeader()->nOverruns, 1);
    CFifo f(64);
    auto data = Ramp(30);
    f.Put(data.data(), 30, false);
    std::vector<unsigned char> out(1000, 0xEE);
    EXPECT_EQ(f.Get(out.data(), 1000, true), 64);
    EXPECT_EQ(std::vector<unsigned char>(out.begin() + 34, out.begin() + 64), data);
    EXPECT_EQ(out[64], 0xEE);
    const CFifoHeader* h = f.GetHeader();
    EXPECT_GE(h->nRead, 0);
    EXPECT_LT(h->nRead, h->nEnd);
}

TEST(Fifo, DataCrossingTheRingEndArrivesInOrder)
{
    CFifo f(10);
    std::vector<unsigned char> out(7);
    for (int round = 0; round < 20; ++round) {
        auto data = Ramp(7, round * 7);
        ASSERT_EQ(f.Put(data.data(), 7, false), 7);
        ASSERT_EQ(f.Get(out.data(), 7, false), 7);
        ASSERT_EQ(out, data) << "round " << round;
        ASSERT_LT(f.GetHeader()->nWrite, f.GetHeader()->nEnd);
    }
}

TEST(Fifo, NullSourceWritesZerosAndNullDestinationDrops)
{
    CFifo f(32);
    auto data = Ramp(8, 1);
    f.Put(data.data(), 8, false);
    EXPECT_EQ(f.Put(nullptr, 8, false), 8);
    EXPECT_EQ(f.Get(nullptr, 8, false), 8);
    EXPECT_EQ(f.GetTotalGot(), 8);
    std::vector<unsigned char> out(8, 0xFF);
    f.Get(out.data(), 8, false);
    EXPECT_EQ(out, std::vector<unsigned char>(8, 0));
    EXPECT_EQ(f.GetTotalPut(), 16);
}

TEST(Fifo, SkipDropsOldestAndResetClearsEverything)
{
    CFifo f(32);
    auto data = Ramp(20);
    f.Put(data.data(), 40, false);
    f.Skip(5);
    unsigned char b = 0;
    f.Get(&b, 1, false);
    EXPECT_EQ(b, 5);
    f.Skip(100);
    EXPECT_EQ(f.GetUsed(), 0);
    f.Reset();
    const CFifoHeader* h = f.GetHeader();
    EXPECT_EQ(h->nOverruns, 0);
    EXPECT_EQ(h->nOverrunBytes, 0);
    EXPECT_EQ(h->nSkipPending, 0);
    EXPECT_EQ(h->nRead, 0);
    EXPECT_EQ(h->nWrite, 0);
    EXPECT_EQ(f.GetTotalPut(), 0);
    EXPECT_EQ(f.GetFree(), 32);
}

TEST(Fifo, OverrunTraceFollowsTheName)
{
    TraceCapture trace;
    CFifo f(4);
    auto data = Ramp(6);
    f.Put(data.data(), 6, false);
    EXPECT_EQ(trace.Text(), "");
    f.SetName("ring");
    f.Put(data.data(), 6, false);
    EXPECT_EQ(trace.Text(), "OVERRUN 6 'ring'- ");
    f.SetName("");
    f.Put(data.data(), 6, false);
    EXPECT_EQ(trace.Text(), "OVERRUN 6 'ring'- ");
}

TEST(Fifo, BadSizeOrClosedRingIsInert)
{
    CFifo bad(-5);
    EXPECT_FALSE(bad.IsOpen());
    unsigned char b[4] = {};
    EXPECT_EQ(bad.Put(b, 4, true), 0);
    EXPECT_EQ(bad.Get(b, 4, true), 0);
    EXPECT_EQ(bad.GetUsed(), 0);
    EXPECT_EQ(bad.GetFree(), 0);
    bad.Skip(3);
    bad.Reset();
    CFifo f;
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Open(16, 0, 0, 0), &f);
    EXPECT_EQ(f.Put(b, 4, false), 4);
    f.Close();
    EXPECT_EQ(f.GetUsed(), 0);
    EXPECT_EQ(f.Put(b, 4, false), 0);
}

TEST(Fifo, OneWriterOneReaderDeliverEveryByteInOrder)
{
    const int capacity = 256 * 1024;
    const long long total = 64LL * 1024 * 1024;
    CFifo f(capacity);
    std::thread writer([&] {
        std::vector<unsigned char> block(5000);
        long long sent = 0;
        while (sent < total) {
            int n = (int)std::min<long long>(block.size(), total - sent);
            for (int i = 0; i < n; ++i)
                block[i] = (unsigned char)((sent + i) * 7 + ((sent + i) >> 11));
            int done = 0;
            while (done < n) {
                done += f.Put(block.data() + done, std::min(n - done, f.GetFree()), false);
                if (done < n)
                    std::this_thread::yield();
            }
            sent += n;
        }
    });
    std::vector<unsigned char> block(3333);
    long long got = 0, bad = 0;
    while (got < total) {
        int n = f.Get(block.data(), (int)block.size(), false);
        for (int i = 0; i < n; ++i, ++got)
            bad += block[i] != (unsigned char)(got * 7 + (got >> 11));
        if (n == 0)
            std::this_thread::yield();
    }
    writer.join();
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(f.GetHeader()->nOverruns, 0);
    EXPECT_EQ(f.GetTotalGot(), total);
}

TEST(Fifo, SharedModePairPassesData)
{
    CFifo creator(128, 9, CFifo::ModeCreate, 3);
    ASSERT_TRUE(creator.IsOpen());
    CFifo opener((int)(uintptr_t)&creator, 0, CFifo::ModeOpen, 3);
    ASSERT_TRUE(opener.IsOpen());
    EXPECT_EQ(opener.GetHeader()->nUser, 9);
    auto data = Ramp(100);
    EXPECT_EQ(creator.Put(data.data(), 100, false), 100);
    EXPECT_EQ(opener.GetUsed(), 100);
    std::vector<unsigned char> out(100);
    EXPECT_EQ(opener.Get(out.data(), 100, false), 100);
    EXPECT_EQ(out, data);
    EXPECT_EQ(creator.GetUsed(), 0);
    EXPECT_EQ(opener.Put(data.data(), 50, false), 50);
    EXPECT_EQ(creator.Get(out.data(), 50, false), 50);
    CFifo orphan(0x1234, 0, CFifo::ModeOpen, 0x77);
    EXPECT_FALSE(orphan.IsOpen());
    EXPECT_EQ(orphan.Put("abc", 3, false), 0);
}

// Another process rewriting the shared header: each hostile value makes the ring read empty
// and refuse writes on both sides, once traced; the true values bring back the held bytes.
TEST(Fifo, RewrittenSharedHeaderIsRefusedOnEveryAccess)
{
    CFifo creator(128, 0, CFifo::ModeCreate, 4);
    CFifo opener((int)(uintptr_t)&creator, 0, CFifo::ModeOpen, 4);
    ASSERT_TRUE(opener.IsOpen());
    CFifoHeader* shared = const_cast<CFifoHeader*>(opener.GetHeader());
    auto data = Ramp(40);
    ASSERT_EQ(creator.Put(data.data(), 40, false), 40);
    struct Case {
        int32_t CFifoHeader::*field;
        int32_t value;
    } const cases[] = {
        {&CFifoHeader::nEnd, 1 << 30},  {&CFifoHeader::nEnd, 40},    {&CFifoHeader::nWrite, 1 << 30},
        {&CFifoHeader::nWrite, -5},     {&CFifoHeader::nWrite, 129}, {&CFifoHeader::nRead, 0x7fffffff},
        {&CFifoHeader::nRead, -1},      {&CFifoHeader::nSize, 4096}, {&CFifoHeader::nStart, 16},
        {&CFifoHeader::nReserve, -100},
    };
    for (const Case& c : cases) {
        const int32_t kept = shared->*c.field;
        shared->*c.field = c.value;
        TraceCapture trace;
        std::vector<unsigned char> out(40, 0xEE);
        for (CFifo* f : {&creator, &opener}) {
            EXPECT_EQ(f->GetUsed(), 0) << c.value;
            EXPECT_EQ(f->GetFree(), 0);
            EXPECT_EQ(f->Put(data.data(), 40, true), 0);
            EXPECT_EQ(f->Get(out.data(), 40, true), 0);
            f->Skip(10);
        }
        EXPECT_EQ(out, std::vector<unsigned char>(40, 0xEE));
        EXPECT_NE(trace.Text().find("header no longer fits its ring"), std::string::npos) << c.value;
        shared->*c.field = kept;
        EXPECT_EQ(opener.GetUsed(), 40);
    }
    std::vector<unsigned char> out(40);
    EXPECT_EQ(opener.Get(out.data(), 40, false), 40);
    EXPECT_EQ(out, data);
    // A reset by the owner mends what was rewritten.
    shared->nEnd = 7;
    creator.Reset();
    EXPECT_EQ(opener.Put(data.data(), 40, false), 40);
    EXPECT_EQ(creator.GetUsed(), 40);
}

// Another process rewriting the offsets while the ring works: whatever it
// writes, the ring never reaches outside its bytes (an offset taken after
// its check would put a copy 16 MB before the ring; seen where the two
// threads run at once, on two cores or more). Afterwards a reset brings the
// ring back.
TEST(Fifo, SharedOffsetsRewrittenMeanwhileStayInsideTheRing)
{
    CFifo creator(128, 0, CFifo::ModeCreate, 5);
    CFifo opener((int)(uintptr_t)&creator, 0, CFifo::ModeOpen, 5);
    ASSERT_TRUE(opener.IsOpen());
    CFifoHeader* shared = const_cast<CFifoHeader*>(opener.GetHeader());
    std::atomic<bool> stop{false};
    std::thread hostile([&] {
        const int32_t farBefore = -(1 << 24);
        while (!stop) {
            for (int32_t* field : {&shared->nWrite, &shared->nRead}) {
                InterlockedExchange(reinterpret_cast<LONG*>(field), farBefore);
                InterlockedExchange(reinterpret_cast<LONG*>(field), 0);
            }
        }
    });
    auto data = Ramp(40);
    std::vector<unsigned char> out(40);
    const int rounds = 20000;
    for (int i = 0; i < rounds; ++i) {
        creator.Put(data.data(), 40, true);
        opener.Get(out.data(), 40, i % 2 == 0);
    }
    stop = true;
    hostile.join();
    creator.Reset();
    EXPECT_EQ(opener.Put(data.data(), 40, false), 40);
    EXPECT_EQ(creator.Get(out.data(), 40, false), 40);
    EXPECT_EQ(out, data);
}
