#pragma once
#include "common/CRunnable.h"
#include <windows.h>
#include <atomic>

// One worker thread with a wake event and a started event. Start returns once
// the body runs; Stop requests the end, polls in 10 ms steps until the body
// has returned and then waits for the thread itself to end.
class CThread {
public:
    CThread();
    virtual ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    void SetRunnable(CRunnable* body) { m_pRunnable = body; }
    // 0 when the thread runs, 1 when it could not be created.
    int Start();
    // Stored always; applied at once when a thread exists, else by Start (0 never).
    void SetPriority(int priority);
    void RequestStop();
    // Called from the body itself, only requests the end: a thread cannot wait
    // for itself. A body may delete its own CThread and then return.
    void Stop();
    void Wake();
    // Waits for a wake, a stop request or ms; 0 once a stop was requested.
    int Wait(DWORD ms);
    int IsRunning() const { return m_bRunning.load() ? 1 : 0; }
    // True on the body's own thread while the body runs.
    bool IsCurrentThread() const;
    HANDLE GetWakeEvent() const { return m_hWakeEvent; }
    // Bodies running: 0 or 1.
    LONG GetActiveCount() const { return m_nActive.load(); }

private:
    static DWORD WINAPI ThreadProc(LPVOID parameter);
    DWORD Run();

    HANDLE m_hThread;
    HANDLE m_hWakeEvent;
    HANDLE m_hStartedEvent;
    std::atomic<int> m_bRunning;
    CRunnable* m_pRunnable;
    std::atomic<LONG> m_nActive;
    DWORD m_dwThreadId;
    int m_nPriority;
    bool* m_pDeletedByBody; // on the running body's stack: set when the body deletes this object
};
