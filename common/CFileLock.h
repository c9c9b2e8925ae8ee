#pragma once
#include <windows.h>
#include <cstdint>

// A lock that every process on this desktop shares for one file: a named
// mutex whose name comes from the file's full path, so two spellings of one
// path meet, or from a key the caller made of what names the file. Held from
// construction to destruction, on one thread. A holder that ended without
// releasing it leaves it free, not stuck.
class CFileLock {
public:
    // Waits at most waitMs; the lock may then not be held (see IsHeld). After
    // a wait that ran out, the next ones only try until the lock is had.
    CFileLock(const char* path, DWORD waitMs);
    // key: CaseBlindHash of the file's identity; 0 takes no lock.
    CFileLock(uint64_t key, DWORD waitMs);
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    bool IsHeld() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held;
};
