#include "common/CFileLock.h"
#include "common/CMutex.h"
#include "common/StringFormat.h"
#include <cstdint>
#include <cstring>

namespace {

const char kNamePrefix[] = "quill_file_lock_";
// FNV-1a, 64 bits: a full path may be longer than a mutex name may be.
const uint64_t kHashBasis = 14695981039346656037ull;
const uint64_t kHashPrime = 1099511628211ull;
const uint64_t kNoLock = 0;

// The lock whose last wait in this process ran out: one is kept in mind, the
// settings file's; another's next wait only waits in full again.
uint64_t stuckLock = kNoLock;

uint64_t PathHash(const char* path)
{
    char full[MAX_PATH * 4]; // long paths too; a cut one still names one lock
    DWORD length = GetFullPathNameA(path, sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full))
        length = DWORD(std::strlen(SafeStrCopy(full, path, sizeof(full))));
    // Windows paths are case-blind, and '/' reads as '\'.
    CharLowerBuffA(full, length);
    uint64_t hash = kHashBasis;
    for (DWORD i = 0; i < length; ++i)
        hash = (hash ^ BYTE(full[i] == '/' ? '\\' : full[i])) * kHashPrime;
    return hash;
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

CFileLock::CFileLock(const char* path, DWORD waitMs) : m_mutex(nullptr), m_held(false)
{
    if (!path || !path[0])
        return;
    const uint64_t hash = PathHash(path);
    char name[64];
    SafeSprintf(name, sizeof(name), "%s%08lx%08lx", kNamePrefix, static_cast<unsigned long>(hash >> 32),
                static_cast<unsigned long>(hash));
    m_mutex = CreateMutexA(nullptr, FALSE, name);
    if (!m_mutex)
        return;
    const DWORD waited = WaitUnlessStuck(m_mutex, hash, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CFileLock::~CFileLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
    if (m_mutex)
        CloseHandle(m_mutex);
}
