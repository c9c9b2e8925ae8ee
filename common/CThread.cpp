#include "common/CThread.h"

namespace {
// The body has returned, so only the thread's own exit remains; bounded because
// a caller holding the loader lock would keep that exit from ever finishing.
const DWORD ThreadExitWaitMs = 1000;
} // namespace

CThread::CThread()
    : m_hThread(nullptr), m_hWakeEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_hStartedEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_bRunning(0), m_pRunnable(nullptr), m_nActive(0),
      m_dwThreadId(0), m_nPriority(0), m_pDeletedByBody(nullptr)
{}

CThread::~CThread()
{
    if (IsCurrentThread()) {
        // Deleted by its own body: it cannot wait for itself, and once the body
        // returns its thread must not touch this object again.
        *m_pDeletedByBody = true;
        CloseHandle(m_hThread);
    } else {
        Stop();
    }
    if (m_hWakeEvent)
        CloseHandle(m_hWakeEvent);
    if (m_hStartedEvent)
        CloseHandle(m_hStartedEvent);
}

int CThread::Start()
{
    if (m_hThread || !m_pRunnable || !m_hStartedEvent)
        return 1;
    m_bRunning = 1;
    m_hThread = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &m_dwThreadId);
    if (!m_hThread) {
        m_bRunning = 0;
        return 1;
    }
    if (m_nPriority != 0)
        SetPriority(m_nPriority);
    // A wake left over from before the start must not end the body's first wait.
    ResetEvent(m_hWakeEvent);
    ResumeThread(m_hThread);
    WaitForSingleObject(m_hStartedEvent, INFINITE);
    return 0;
}

void CThread::SetPriority(int priority)
{
    if (m_hThread)
        SetThreadPriority(m_hThread, priority);
    m_nPriority = priority;
}

void CThread::RequestStop()
{
    m_bRunning = 0;
    if (m_nActive.load() != 0)
        SetEvent(m_hWakeEvent);
}

void CThread::Stop()
{
    RequestStop();
    if (IsCurrentThread())
        return;
    while (m_nActive.load() != 0) {
        m_bRunning = 0;
        Sleep(10);
    }
    if (m_hThread) {
        // A returned body is not an ended thread: whoever ends the process or
        // frees what the thread ran on next must not race its exit.
        WaitForSingleObject(m_hThread, ThreadExitWaitMs);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
}

bool CThread::IsCurrentThread() const
{
    return m_nActive.load() != 0 && GetCurrentThreadId() == m_dwThreadId;
}

void CThread::Wake()
{
    if (m_nActive.load() != 0)
        SetEvent(m_hWakeEvent);
}

int CThread::Wait(DWORD ms)
{
    WaitForSingleObject(m_hWakeEvent, ms);
    return IsRunning();
}

DWORD WINAPI CThread::ThreadProc(LPVOID parameter)
{
    return static_cast<CThread*>(parameter)->Run();
}

DWORD CThread::Run()
{
    bool deleted = false;
    m_pDeletedByBody = &deleted;
    ++m_nActive;
    SetEvent(m_hStartedEvent);
    m_pRunnable->Run(this);
    if (deleted)
        return 0;
    m_pDeletedByBody = nullptr;
    --m_nActive;
    return 0;
}
