#pragma once
#include <windows.h>

// A recursive lock around one unnamed operating-system mutex.
class CMutex {
public:
    CMutex();
    virtual ~CMutex();
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    void Lock();
    bool TryLock();
    void Unlock();

private:
    HANDLE m_hMutex;
};
