#include "common/CMutex.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

TEST(Mutex, TryLockFailsFromAnotherThreadAndSucceedsOnOwner)
{
    CMutex m;
    m.Lock();
    EXPECT_TRUE(m.TryLock());
    m.Unlock();
    std::atomic<int> got{-1};
    std::thread t([&] { got = m.TryLock() ? 1 : 0; });
    t.join();
    EXPECT_EQ(got, 0);
    m.Unlock();
}
