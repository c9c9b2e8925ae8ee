#include "common/CMutex.h"

CMutex::CMutex() : m_hMutex(CreateMutexA(nullptr, FALSE, nullptr))
{}

CMutex::~CMutex()
{
    if (!m_hMutex)
        return;
    // Waits until no other thread holds the lock before closing it.
    Lock();
    Unlock();
    CloseHandle(m_hMutex);
}

void CMutex::Lock()
{
    if (m_hMutex)
        WaitForSingleObject(m_hMutex, INFINITE);
}

bool CMutex::TryLock()
{
    if (!m_hMutex)
        return false;
    // An abandoned mutex is owned by the caller now, so it counts as taken.
    DWORD r = WaitForSingleObject(m_hMutex, 0);
    return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

void CMutex::Unlock()
{
    if (m_hMutex)
        ReleaseMutex(m_hMutex);
}
