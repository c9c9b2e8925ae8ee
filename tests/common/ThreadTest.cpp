#include "common/CThread.h"
#include "common/CTrackedValue.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

// Records what the body saw; waits without a time-out so only a wake or stop ends a wait.
class WaitingBody : public CRunnable {
public:
    void Run(CThread* thread) override
    {
        priority = GetThreadPriority(GetCurrentThread());
        // Probing takes the event: only done where no wake or stop can come first.
        if (probeWake)
            wakeWasSet = WaitForSingleObject(thread->GetWakeEvent(), 0) == WAIT_OBJECT_0;
        started = 1;
        while (thread->Wait(INFINITE))
            ++wakes;
        sawStop = 1;
    }
    std::atomic<int> started{0}, sawStop{0}, wakes{0}, priority{-99};
    std::atomic<bool> wakeWasSet{false};
    bool probeWake = false;
};

class ReturningBody : public CRunnable {
public:
    void Run(CThread*) override
    {
        threadId = GetCurrentThreadId();
        ++runs;
    }
    std::atomic<int> runs{0};
    std::atomic<DWORD> threadId{0};
};

// Gone, or at least ended: an ended thread's object lives on while a handle holds it.
bool ThreadHasEnded(DWORD id)
{
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (!thread)
        return true;
    const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

void WaitUntilEnded(const CThread& t)
{
    while (t.GetActiveCount() != 0)
        Sleep(1);
}

} // namespace

TEST(Thread, StartReturnsWithBodyRunningAndStopEndsItAtItsFirstWait)
{
    WaitingBody body;
    CThread t;
    t.SetRunnable(&body);
    ASSERT_EQ(t.Start(), 0);
    EXPECT_EQ(t.GetActiveCount(), 1);
    EXPECT_EQ(t.IsRunning(), 1);
    t.Stop();
    // The body waits without limit: only the stop's wake can have ended it.
    EXPECT_EQ(body.sawStop, 1);
    EXPECT_EQ(body.wakes, 0);
    EXPECT_EQ(t.GetActiveCount(), 0);
    EXPECT_EQ(t.IsRunning(), 0);
    t.Stop();
}

TEST(Thread, WakesReachTheBodyAndStaleWakesBeforeStartAreDropped)
{
    WaitingBody body;
    body.probeWake = true;
    CThread t;
    t.SetRunnable(&body);
    t.Wake();
    SetEvent(t.GetWakeEvent());
    ASSERT_EQ(t.Start(), 0);
    while (!body.started)
        Sleep(1);
    EXPECT_FALSE(body.wakeWasSet);
    t.Wake();
    while (body.wakes == 0)
        Sleep(1);
    t.Stop();
    EXPECT_EQ(body.sawStop, 1);
}

TEST(Thread, PriorityIsStoredBeforeStartAndAppliedByIt)
{
    WaitingBody high, normal;
    CThread a, b;
    a.SetRunnable(&high);
    a.SetPriority(THREAD_PRIORITY_TIME_CRITICAL);
    b.SetRunnable(&normal);
    b.SetPriority(0);
    ASSERT_EQ(a.Start(), 0);
    ASSERT_EQ(b.Start(), 0);
    while (!high.started || !normal.started)
        Sleep(1);
    EXPECT_EQ(high.priority, THREAD_PRIORITY_TIME_CRITICAL);
    EXPECT_EQ(normal.priority, THREAD_PRIORITY_NORMAL);
}

TEST(Thread, BodyThatReturnsAloneLeavesRunningSetUntilStop)
{
    ReturningBody body;
    CThread t;
    t.SetRunnable(&body);
    ASSERT_EQ(t.Start(), 0);
    WaitUntilEnded(t);
    EXPECT_EQ(t.IsRunning(), 1);
    t.Wake();
    EXPECT_EQ(WaitForSingleObject(t.GetWakeEvent(), 0), (DWORD)WAIT_TIMEOUT);
    t.RequestStop();
    EXPECT_EQ(WaitForSingleObject(t.GetWakeEvent(), 0), (DWORD)WAIT_TIMEOUT);
    EXPECT_EQ(t.IsRunning(), 0);
    t.Stop();
}

TEST(Thread, StartStopStartReusesTheEventsAndStopOutlastsTheThread)
{
    ReturningBody body;
    CThread t;
    t.SetRunnable(&body);
    HANDLE wake = t.GetWakeEvent();
    ASSERT_EQ(t.Start(), 0);
    t.Stop();
    // Stop returns only once the thread itself has ended, not just its body.
    EXPECT_TRUE(ThreadHasEnded(body.threadId));
    ASSERT_EQ(t.Start(), 0);
    t.Stop();
    EXPECT_TRUE(ThreadHasEnded(body.threadId));
    EXPECT_EQ(body.runs, 2);
    EXPECT_EQ(t.GetWakeEvent(), wake);
    CThread bodiless;
    EXPECT_EQ(bodiless.Start(), 1);
    EXPECT_EQ(bodiless.IsRunning(), 0);
}

TEST(Thread, LoopOnIsRunningEndsOnRequestFromAnotherThread)
{
    struct Spinner : CRunnable {
        void Run(CThread* thread) override
        {
            while (thread->IsRunning())
                ++spins;
        }
        std::atomic<long> spins{0};
    } body;
    CThread t;
    t.SetRunnable(&body);
    ASSERT_EQ(t.Start(), 0);
    while (body.spins == 0)
        Sleep(1);
    t.Stop();
    EXPECT_EQ(t.GetActiveCount(), 0);
}

TEST(TrackedValue, ReportsChangesOnly)
{
    CTrackedValue v;
    EXPECT_EQ(v.Get(), 0);
    EXPECT_EQ(v.Update(0), 0);
    EXPECT_EQ(v.Update(5), 1);
    EXPECT_EQ(v.Update(5), 0);
    EXPECT_EQ(v.Update(6), 1);
    EXPECT_EQ(v.GetPrevious(), 5);
    EXPECT_EQ(v.Get(), 6);
    v.Set(-1);
    EXPECT_EQ(v.GetPrevious(), 5);
    EXPECT_EQ(v.Update(6), 1);
    EXPECT_EQ(v.GetPrevious(), -1);
}

TEST(Thread, StopFromTheBodyOnlyRequestsTheEnd)
{
    class StoppingBody : public CRunnable {
    public:
        void Run(CThread* thread) override
        {
            current = thread->IsCurrentThread();
            thread->Stop();
            returned = 1;
        }
        std::atomic<int> current{0}, returned{0};
    } body;
    // Leaked if the body never returns: its destructor would wait for ever.
    CThread* t = new CThread;
    t->SetRunnable(&body);
    ASSERT_EQ(t->Start(), 0);
    for (int i = 0; i < 500 && !body.returned; ++i)
        Sleep(2);
    ASSERT_EQ(body.returned, 1);
    EXPECT_EQ(body.current, 1);
    EXPECT_FALSE(t->IsCurrentThread());
    WaitUntilEnded(*t);
    EXPECT_EQ(t->IsRunning(), 0);
    delete t;
}

namespace {
// A thread whose memory, once deleted, holds a pattern any later write would break.
class PatternedThread : public CThread {
public:
    static void* operator new(size_t) { return storage; }
    static void operator delete(void* p) { std::memset(p, kFreed, sizeof(PatternedThread)); }
    static bool Untouched()
    {
        return std::all_of(storage, storage + sizeof(PatternedThread), [](unsigned char b) { return b == kFreed; });
    }
    static const unsigned char kFreed = 0xAB;
    alignas(8) static unsigned char storage[];
};
alignas(8) unsigned char PatternedThread::storage[sizeof(PatternedThread)];
} // namespace

// A body that deletes its own thread object and returns: nothing of the
// object is touched afterwards, whether the body waited on it before or not.
TEST(Thread, DeletedByItsOwnBodyIsNotTouchedAgain)
{
    class DeletingBody : public CRunnable {
    public:
        void Run(CThread* thread) override
        {
            threadId = GetCurrentThreadId();
            if (waitFirst)
                thread->Wait(1);
            delete thread;
            returned = 1;
        }
        std::atomic<DWORD> threadId{0};
        std::atomic<int> returned{0};
        bool waitFirst = false;
    };
    for (bool waitFirst : {false, true}) {
        DeletingBody body;
        body.waitFirst = waitFirst;
        CThread* t = new PatternedThread;
        t->SetRunnable(&body);
        ASSERT_EQ(t->Start(), 0);
        for (int i = 0; i < 500 && !(body.returned && ThreadHasEnded(body.threadId)); ++i)
            Sleep(2);
        ASSERT_TRUE(body.returned && ThreadHasEnded(body.threadId)) << waitFirst;
        EXPECT_TRUE(PatternedThread::Untouched()) << waitFirst;
    }
}
