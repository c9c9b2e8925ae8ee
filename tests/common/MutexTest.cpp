#include "common/CMutex.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

// TryLock from another thread fails without waiting; the owner's succeeds
// and counts as one more lock to undo.
TEST(Mutex, IsRecursiveAndBlocksOthersUntilEveryLockIsUndone)
{
    CMutex m;
    m.Lock();
    EXPECT_TRUE(m.TryLock());
    m.Unlock();
    std::atomic<int> got{-1};
    std::thread t1([&] { got = m.TryLock() ? 1 : 0; });
    t1.join();
    EXPECT_EQ(got, 0);
    m.Unlock();
    std::thread t2([&] {
        got = m.TryLock() ? 1 : 0;
        if (got)
            m.Unlock();
    });
    t2.join();
    EXPECT_EQ(got, 1);
}
