#include "common/CFileLock.h"
#include "common/StringFormat.h"
#include <cstdint>
#include <cstring>

namespace {

const char kNamePrefix[] = "quill_file_lock_";
// FNV-1a, 64 bits: a full path may be longer than a mutex name may be.
const uint64_t kHashBasis = 14695981039346656037ull;
const uint64_t kHashPrime = 1099511628211ull;

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
    const DWORD waited = WaitForSingleObject(m_mutex, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CFileLock::~CFileLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
    if (m_mutex)
        CloseHandle(m_mutex);
}
