#include "common/CFifo.h"
#include "common/DebugTrace.h"
#include "common/ProcessSetup.h"
#include "common/StringFormat.h"
#include <cstdlib>
#include <cstring>

namespace {

// The offsets are published between a writer and a reader thread without a lock.
int LoadAcquire(const int32_t& v)
{
    return __atomic_load_n(&v, __ATOMIC_ACQUIRE);
}

void StoreRelease(int32_t& v, int value)
{
    __atomic_store_n(&v, value, __ATOMIC_RELEASE);
}

int Least(int a, int b, int c)
{
    int m = a < b ? a : b;
    return m < c ? m : c;
}

void CloseIfOpen(HANDLE& h)
{
    if (h)
        CloseHandle(h);
    h = nullptr;
}

const int kMaxCapacity = 0x7FFFFFFF - CFifo::HeaderBytes - CFifo::SpareBytes - 1;

} // namespace

CFifo::CFifo()
    : m_pHeader(nullptr), m_nTotalPut(0), m_nTotalGot(0), m_nMode(ModePrivate), m_nId(0), m_hMutex(nullptr),
      m_hPutEvent(nullptr), m_hGetEvent(nullptr), m_hMapping(nullptr), m_pData(nullptr), m_nRingSize(0),
      m_bHeaderRefused(false), m_szName()
{}

CFifo::CFifo(int size, int user, int mode, uint32_t id) : CFifo()
{
    Open(size, user, mode, id);
}

CFifo::~CFifo()
{
    Close();
}

CFifo* CFifo::Open(int size, int user, int mode, uint32_t id)
{
    Close();
    m_nMode = mode;
    m_nId = id;
    m_nTotalPut = 0;
    m_nTotalGot = 0;
    SetName("");
    if (mode == ModeOpen)
        OpenShared(size, false);
    else if (mode == ModeCreate && size >= 0 && size <= kMaxCapacity)
        OpenShared(size, true);
    else if (mode == ModePrivate && size >= 0 && size <= kMaxCapacity)
        m_pHeader = (CFifoHeader*)std::malloc(size + HeaderBytes + SpareBytes + 1);
    if (!m_pHeader)
        return this;
    m_pHeader->nStart = 0;
    m_pData = (unsigned char*)m_pHeader + HeaderBytes;
    m_nRingSize = mode == ModeOpen ? m_pHeader->nSize : size + 1;
    m_bHeaderRefused = false;
    if (mode != ModeOpen) {
        m_pHeader->nSize = size + 1;
        m_pHeader->nUser = user;
        m_pHeader->nEnd = m_pHeader->nStart + m_pHeader->nSize;
        m_pHeader->nSpare = 0;
        m_pHeader->nSkipPending = 0;
        Reset();
    }
    return this;
}

void CFifo::OpenShared(int size, bool create)
{
    // The creator names its objects after its own address; an opener passes that value as size.
    uint32_t first = create ? (uint32_t)(uintptr_t)this : (uint32_t)size;
    char mapName[64], mutexName[64], getName[64], putName[64];
    SafeSprintf(mapName, sizeof(mapName), "CFifo_Mapping_%X_%X", first, m_nId);
    SafeSprintf(mutexName, sizeof(mutexName), "CFifo_Mutex_%X_%X", first, m_nId);
    SafeSprintf(getName, sizeof(getName), "CFifo_GetEvent_%X_%X", first, m_nId);
    SafeSprintf(putName, sizeof(putName), "CFifo_PutEvent_%X_%X", first, m_nId);
    if (create) {
        CreateMapping(mapName, size);
    } else {
        m_hMapping = OpenFileMappingA(FILE_MAP_WRITE, TRUE, mapName);
        if (!m_hMapping)
            DebugTrace("Could not open file-mapping object.\n");
        else
            m_pHeader = (CFifoHeader*)MapViewOfFile(m_hMapping, FILE_MAP_WRITE, 0, 0, 0);
        if (m_pHeader && !IsSharedHeaderSound())
            DetachView();
    }
    OpenNamedObjects(mutexName, getName, putName);
}

void CFifo::CreateMapping(const char* name, int size)
{
    DebugTrace("%s\n", name);
    PSECURITY_DESCRIPTOR sd = (PSECURITY_DESCRIPTOR)LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
    if (!sd) {
        DebugTrace("Error: pSD==NULL\n");
    } else {
        if (!InitializeSecurityDescriptor(sd, SECURITY_DESCRIPTOR_REVISION))
            DebugTrace("Error: !InitializeSecurityDescriptor\n");
        // A null DACL lets every process in.
        if (!SetSecurityDescriptorDacl(sd, TRUE, nullptr, FALSE))
            DebugTrace("Error: !SetSecurityDescriptorDacl\n");
    }
    SECURITY_ATTRIBUTES sa = {sizeof(sa), sd, TRUE};
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0,
                                    (DWORD)size + HeaderBytes + SpareBytes + 1, name);
    if (!m_hMapping)
        DebugTrace("Could not create file-mapping object.\n");
    DebugTrace("hMapFile=%i\n", (int)(intptr_t)m_hMapping);
    if (m_hMapping)
        m_pHeader = (CFifoHeader*)MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!m_pHeader) {
        int err = (int)GetLastError();
        char text[256];
        GetLastErrorText(err, text, sizeof(text));
        DebugTrace("File Mapping Error %i   %s   (size: %i)\n", err, text, size);
    } else {
        DebugTrace("file mapping! %x\n", (unsigned)(uintptr_t)m_pHeader);
    }
    if (sd)
        LocalFree(sd);
}

// An opener takes the creator's header as it is; one that does not fit its view is refused.
bool CFifo::IsSharedHeaderSound() const
{
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(m_pHeader, &info, sizeof(info)) == 0)
        return false;
    const CFifoHeader* h = m_pHeader;
    return h->nSize > 0 && h->nStart == 0 && h->nEnd == h->nSize &&
           h->nSize <= (int64_t)info.RegionSize - HeaderBytes && h->nRead >= 0 && h->nRead < h->nEnd &&
           h->nWrite >= 0 && h->nWrite < h->nEnd;
}

bool CFifo::HeaderFits(Offsets& out) const
{
    const CFifoHeader* h = m_pHeader;
    const int size = m_nRingSize;
    const int start = h->nStart, ringSize = h->nSize, end = h->nEnd;
    const int write = LoadAcquire(h->nWrite), read = LoadAcquire(h->nRead), reserve = h->nReserve;
    const bool fits = start == 0 && ringSize == size && end == size && write >= 0 && write < size && read >= 0 &&
                      read < size && reserve >= 0 && reserve < size;
    if (!fits && !m_bHeaderRefused)
        DebugTrace("CFifo '%s': header no longer fits its ring (size %i, end %i, write %i, read %i); refused\n",
                   m_szName, ringSize, end, write, read);
    m_bHeaderRefused = !fits;
    out = {write, read, reserve};
    return fits;
}

int CFifo::FreshOffset(const int32_t& field) const
{
    const int offset = LoadAcquire(field);
    return offset >= 0 && offset < m_nRingSize ? offset : -1;
}

void CFifo::DetachView()
{
    DebugTrace("Could not open file-mapping object.\n");
    UnmapViewOfFile(m_pHeader);
    m_pHeader = nullptr;
}

void CFifo::OpenNamedObjects(const char* mutexName, const char* getName, const char* putName)
{
    m_hMutex = CreateMutexA(nullptr, FALSE, mutexName);
    if (!m_hMutex)
        DebugTrace("Could not create mutex object.\n");
    m_hGetEvent = CreateEventA(nullptr, FALSE, FALSE, getName);
    if (!m_hGetEvent)
        DebugTrace("Could not create GetEvent object.\n");
    m_hPutEvent = CreateEventA(nullptr, FALSE, FALSE, putName);
    if (!m_hPutEvent)
        DebugTrace("Could not create PutEvent object.\n");
}

void CFifo::Close()
{
    Lock();
    if (m_nMode == ModePrivate) {
        std::free(m_pHeader);
    } else {
        if (m_pHeader)
            UnmapViewOfFile(m_pHeader);
        if (m_hMapping)
            CloseHandle(m_hMapping);
    }
    m_hMapping = nullptr;
    m_pHeader = nullptr;
    m_pData = nullptr;
    m_nRingSize = 0;
    Unlock();
    CloseIfOpen(m_hMutex);
    CloseIfOpen(m_hPutEvent);
    CloseIfOpen(m_hGetEvent);
}

void CFifo::Lock()
{
    if (m_hMutex)
        WaitForSingleObject(m_hMutex, INFINITE);
}

void CFifo::Unlock()
{
    if (m_hMutex)
        ReleaseMutex(m_hMutex);
}

int CFifo::UsedOf(int write, int read) const
{
    const int used = write - read;
    return used < 0 ? used + m_nRingSize : used;
}

int CFifo::FreeOf(const Offsets& at) const
{
    return m_nRingSize - at.reserve - UsedOf(at.write, at.read) - 1;
}

int CFifo::GetUsed() const
{
    Offsets at;
    if (!m_pHeader || !HeaderFits(at))
        return 0;
    return UsedOf(at.write, at.read);
}

int CFifo::GetFree() const
{
    Offsets at;
    if (!m_pHeader || !HeaderFits(at))
        return 0;
    return FreeOf(at);
}

int CFifo::Put(const void* src, int n, bool overwrite)
{
    if (!m_pHeader)
        return 0;
    Lock();
    Offsets at;
    if (!HeaderFits(at)) {
        Unlock();
        return 0;
    }
    CFifoHeader* h = m_pHeader;
    int remaining = n > 0 ? n : 0;
    int free = FreeOf(at);
    int excess = remaining - free;
    if (excess > 0) {
        if (overwrite) {
            Skip(excess);
            at.read = FreshOffset(h->nRead);
            free = at.read < 0 ? 0 : FreeOf(at);
        }
        h->nOverruns += 1;
        h->nOverrunBytes += excess;
        // Only a named ring reports its overruns.
        if (m_szName[0] != '\0')
            DebugTrace("OVERRUN %i '%s'- ", excess, m_szName);
    }
    const unsigned char* s = (const unsigned char*)src;
    int written = 0;
    for (;;) {
        int k = Least(m_nRingSize - at.write, remaining, free);
        if (k <= 0)
            break;
        if (s) {
            std::memcpy(m_pData + at.write, s, k);
            s += k;
        } else {
            std::memset(m_pData + at.write, 0, k);
        }
        at.write = Wrapped(at.write + k);
        // Published only once its bytes are in place.
        StoreRelease(h->nWrite, at.write);
        remaining -= k;
        written += k;
        at.read = FreshOffset(h->nRead);
        free = at.read < 0 ? 0 : FreeOf(at);
    }
    Unlock();
    if (m_hPutEvent)
        SetEvent(m_hPutEvent);
    m_nTotalPut += written;
    return written;
}

void CFifo::Skip(int n)
{
    if (!m_pHeader)
        return;
    Lock();
    Offsets at;
    if (!HeaderFits(at)) {
        Unlock();
        return;
    }
    CFifoHeader* h = m_pHeader;
    int pending = n;
    h->nSkipPending = pending;
    while (pending > 0) {
        const int write = FreshOffset(h->nWrite);
        const int k = write < 0 ? 0 : Least(m_nRingSize - at.read, UsedOf(write, at.read), pending);
        if (k <= 0)
            break;
        pending -= k;
        h->nSkipPending = pending;
        at.read = Wrapped(at.read + k);
        StoreRelease(h->nRead, at.read);
    }
    Unlock();
    if (m_hGetEvent)
        SetEvent(m_hGetEvent);
}

int CFifo::Get(void* dst, int n, bool fill)
{
    if (!m_pHeader)
        return 0;
    Lock();
    Offsets at;
    if (!HeaderFits(at)) {
        Unlock();
        return 0;
    }
    CFifoHeader* h = m_pHeader;
    if (n < 0)
        n = 0;
    // A fill window larger than the ring would move the read offset past a whole turn.
    if (fill && n > m_nRingSize - 1)
        n = m_nRingSize - 1;
    int remaining = n;
    const int used = UsedOf(at.write, at.read);
    if (fill && used < n) {
        const int shortfall = n - used;
        at.read -= shortfall;
        if (at.read < 0)
            at.read += m_nRingSize;
        StoreRelease(h->nRead, at.read);
        h->nOverrunBytes -= shortfall;
        h->nOverruns += 1;
    }
    unsigned char* d = (unsigned char*)dst;
    for (;;) {
        const int write = FreshOffset(h->nWrite);
        const int k = write < 0 ? 0 : Least(m_nRingSize - at.read, remaining, UsedOf(write, at.read));
        if (k <= 0)
            break;
        if (d) {
            std::memcpy(d, m_pData + at.read, k);
            d += k;
        }
        at.read = Wrapped(at.read + k);
        StoreRelease(h->nRead, at.read);
        remaining -= k;
    }
    Unlock();
    if (m_hGetEvent)
        SetEvent(m_hGetEvent);
    int got = n - remaining;
    m_nTotalGot += got;
    return got;
}

void CFifo::Reset()
{
    if (!m_pHeader)
        return;
    Lock();
    CFifoHeader* h = m_pHeader;
    // From the size as opened, so a reset also mends a header someone rewrote.
    std::memset(m_pData, 0, m_nRingSize);
    h->nStart = 0;
    h->nSize = m_nRingSize;
    h->nEnd = m_nRingSize;
    h->nRead = h->nStart;
    h->nWrite = h->nRead;
    h->nReserve = 0;
    h->nOverrunBytes = 0;
    h->nOverruns = 0;
    InterlockedExchange((LONG*)&h->nSpare, 0);
    InterlockedExchange((LONG*)&h->nSkipPending, 0);
    m_nTotalPut = 0;
    m_nTotalGot = 0;
    Unlock();
}

void CFifo::SetName(const char* name)
{
    SafeStrCopy(m_szName, name ? name : "", sizeof(m_szName));
}
