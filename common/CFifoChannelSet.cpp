#include "common/CFifoChannelSet.h"
#include "common/DebugTrace.h"
#include "common/StringFormat.h"
#include <cstdlib>
#include <new>

CFifoChannelSet::CFifoChannelSet()
    : m_fifos(nullptr), m_nFifos(0), m_hMutex(CreateMutexA(nullptr, FALSE, nullptr)), m_bRebuilding(0)
{}

CFifoChannelSet::~CFifoChannelSet()
{
    CloseAll();
    if (m_hMutex)
        CloseHandle(m_hMutex);
}

void CFifoChannelSet::Create(int count, int bytes, const char* name)
{
    Rebuild(count, bytes, 0);
    NameRings(name);
}

void CFifoChannelSet::Create(int count, int bytes, int userWord)
{
    Rebuild(count, bytes, userWord);
    NameRings(nullptr);
}

void CFifoChannelSet::Rebuild(int count, int bytes, int userWord)
{
    m_bRebuilding = 1;
    Lock();
    CloseAllUnlocked();
    if (count > 0) {
        m_fifos = (CFifo**)std::calloc(count, sizeof(CFifo*));
        for (int i = 0; m_fifos && i < count; ++i) {
            CFifo* ring = new (std::nothrow) CFifo(bytes, userWord, CFifo::ModePrivate, 0);
            if (!ring) {
                // A set never holds an absent ring: it stays empty instead.
                CloseAllUnlocked();
                break;
            }
            m_fifos[m_nFifos++] = ring;
        }
        if (m_nFifos == 0)
            DebugTrace("CFifoChannelSet: no memory for %i rings\n", count);
    }
    Unlock();
    m_bRebuilding = 0;
}

void CFifoChannelSet::NameRings(const char* name)
{
    for (int i = 0; i < m_nFifos; ++i) {
        char text[256] = "";
        if (name && name[0])
            SafeSprintf(text, sizeof(text), "%s %i/%i", name, i + 1, m_nFifos);
        m_fifos[i]->SetName(text);
    }
}

void CFifoChannelSet::CloseAll()
{
    Lock();
    CloseAllUnlocked();
    Unlock();
}

void CFifoChannelSet::CloseAllUnlocked()
{
    for (int i = 0; i < m_nFifos; ++i)
        delete m_fifos[i];
    std::free(m_fifos);
    m_fifos = nullptr;
    m_nFifos = 0;
}

void CFifoChannelSet::Lock()
{
    WaitForSingleObject(m_hMutex, INFINITE);
}

bool CFifoChannelSet::TryLock()
{
    // An abandoned mutex now belongs to the caller, so it counts as taken.
    DWORD r = WaitForSingleObject(m_hMutex, 0);
    return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

void CFifoChannelSet::Unlock()
{
    ReleaseMutex(m_hMutex);
}

bool CFifoChannelSet::TakeLock(bool tryOnly)
{
    if (tryOnly && m_bRebuilding.load() == 1) {
        if (!TryLock()) {
            DebugTrace("FAILED MUTEX\n");
            return false;
        }
        return true;
    }
    Lock();
    return true;
}

int CFifoChannelSet::Put(const void* const bufs[], int n, bool overwrite, bool tryOnly)
{
    if (!TakeLock(tryOnly))
        return 0;
    int result = 0;
    for (int i = 0; bufs && i < m_nFifos; ++i)
        result = m_fifos[i]->Put(bufs[i], n, overwrite);
    Unlock();
    return result;
}

int CFifoChannelSet::Get(void* const bufs[], int n, bool fill, bool tryOnly)
{
    if (!TakeLock(tryOnly))
        return 0;
    int result = 0;
    for (int i = 0; bufs && i < m_nFifos; ++i)
        result = m_fifos[i]->Get(bufs[i], n, fill);
    Unlock();
    return result;
}
