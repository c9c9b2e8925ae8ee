#include "common/CFifoChannelSet.h"
#include "TraceCapture.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include <vector>

TEST(ChannelSet, EmptySetOrRingsThatCannotBeHadMoveNothing)
{
    CFifoChannelSet set;
    set.Create(0, 100, nullptr);
    EXPECT_EQ(set.GetCount(), 0);
    unsigned char b[4] = {};
    void* bufs[1] = {b};
    EXPECT_EQ(set.Put(bufs, 4, false, false), 0);
    EXPECT_EQ(set.Get(bufs, 4, false, true), 0);
    // The lock was released again.
    std::atomic<int> got{-1};
    std::thread t([&] {
        got = set.TryLock() ? 1 : 0;
        if (got)
            set.Unlock();
    });
    t.join();
    EXPECT_EQ(got, 1);
    // Rings that cannot be had stay inert.
    set.Create(2, 0x7FFFFFF0, nullptr);
    ASSERT_EQ(set.GetCount(), 2);
    const void* src[2] = {b, b};
    EXPECT_EQ(set.Put(src, 4, true, false), 0);
}

TEST(ChannelSet, PutAndGetMoveEveryRingTogether)
{
    CFifoChannelSet set;
    set.Create(3, 64, 5);
    ASSERT_EQ(set.GetCount(), 3);
    EXPECT_EQ(set.GetFifo(2)->GetHeader()->nUser, 5);
    EXPECT_EQ(set.GetFifo(3), nullptr);
    unsigned char in[3][16], out[3][16] = {};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 16; ++i)
            in[r][i] = (unsigned char)(r * 50 + i);
    const void* src[3] = {in[0], in[1], in[2]};
    void* dst[3] = {out[0], out[1], out[2]};
    EXPECT_EQ(set.Put(src, 16, false, false), 16);
    EXPECT_EQ(set.Get(dst, 16, false, false), 16);
    EXPECT_EQ(memcmp(in, out, sizeof(in)), 0);
    // The result is the last ring's count.
    const unsigned char fill[60] = {};
    set.GetFifo(0)->Put(fill, 60, false);
    EXPECT_EQ(set.Put(src, 16, false, false), 16);
    EXPECT_EQ(set.GetFifo(0)->GetUsed(), 64);
}

TEST(ChannelSet, SecondCreateReplacesRingsAndData)
{
    CFifoChannelSet set;
    set.Create(2, 16, nullptr);
    unsigned char b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const void* src[2] = {b, b};
    set.Put(src, 8, false, false);
    set.Create(4, 100, nullptr);
    ASSERT_EQ(set.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.GetFifo(i)->GetUsed(), 0);
        EXPECT_EQ(set.GetFifo(i)->GetCapacity(), 100);
    }
}

TEST(ChannelSet, RingNamesCarryIndexAndCount)
{
    CFifoChannelSet set;
    set.Create(3, 16, "Scope");
    EXPECT_STREQ(set.GetFifo(0)->GetName(), "Scope 1/3");
    EXPECT_STREQ(set.GetFifo(2)->GetName(), "Scope 3/3");
    set.NameRings("");
    EXPECT_STREQ(set.GetFifo(1)->GetName(), "");
    set.Create(2, 16, nullptr);
    EXPECT_STREQ(set.GetFifo(0)->GetName(), "");
}

TEST(ChannelSet, TryOnlyGivesUpDuringRebuildAndOthersWait)
{
    CFifoChannelSet set;
    set.Create(1, 64, nullptr);
    TraceCapture trace;
    // Create marks the rebuild before it waits for the lock, which this thread holds.
    set.Lock();
    std::thread creator([&] { set.Create(2, 64, nullptr); });
    while (!set.IsRebuilding())
        Sleep(1);
    unsigned char b[8] = {};
    void* dst[2] = {b, b};
    std::atomic<int> tryResult{-1};
    std::thread trier([&] { tryResult = set.Get(dst, 8, true, true); });
    trier.join();
    EXPECT_EQ(tryResult, 0);
    EXPECT_EQ(trace.Text(), "FAILED MUTEX\n");
    set.Unlock();
    creator.join();
    EXPECT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.Get(dst, 8, true, false), 8);
}
