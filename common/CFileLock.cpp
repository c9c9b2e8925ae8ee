#include "common/CFileLock.h"
#include "common/CMutex.h"
#include "common/IniFile.h"
#include "common/StringFormat.h"
#include "common/TextHash.h"

namespace {

const char kNamePrefix[] = "quill_file_lock_";
const uint64_t kNoLock = 0;

// The lock whose last wait in this process ran out: one is kept in mind, the
// settings file's; another's next wait only waits in full again.
uint64_t stuckLock = kNoLock;

// A full path may be longer than a mutex name may be: the name holds a hash.
uint64_t PathHash(const char* path)
{
    const std::wstring full = FullPathOf(path);
    return CaseBlindHash(full.empty() ? Widened(path, CP_ACP) : full);
}

// A holder that kept the lock through a whole wait is taken as stuck: until
// the lock is had again, later waits in this process only try, so a close
// that saves twice keeps its window frozen once, not twice.
DWORD WaitUnlessStuck(HANDLE mutex, uint64_t hash, DWORD waitMs)
{
    static CMutex guard; // saves may run on several threads
    guard.Lock();
    const bool stuck = stuckLock == hash;
    guard.Unlock();
    const DWORD waited = WaitForSingleObject(mutex, stuck ? 0 : waitMs);
    guard.Lock();
    if (waited == WAIT_TIMEOUT && waitMs > 0)
        stuckLock = hash;
    else if (waited != WAIT_TIMEOUT && stuckLock == hash)
        stuckLock = kNoLock;
    guard.Unlock();
    return waited;
}

} // namespace

CFileLock::CFileLock(const char* path, DWORD waitMs) : CFileLock(path && path[0] ? PathHash(path) : kNoLock, waitMs)
{}

CFileLock::CFileLock(uint64_t key, DWORD waitMs) : m_mutex(nullptr), m_held(false)
{
    if (key == kNoLock)
        return;
    char name[64];
    SafeSprintf(name, sizeof(name), "%s%08lx%08lx", kNamePrefix, static_cast<unsigned long>(key >> 32),
                static_cast<unsigned long>(key));
    m_mutex = CreateMutexA(nullptr, FALSE, name);
    if (!m_mutex)
        return;
    const DWORD waited = WaitUnlessStuck(m_mutex, key, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CFileLock::~CFileLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
    if (m_mutex)
        CloseHandle(m_mutex);
}
