#pragma once
#include <windows.h>
#include <cstdint>

// The record in front of the ring bytes; in the shared modes two processes
// use it in place, so its layout is fixed. Offsets count from ring byte 0.
struct CFifoHeader {
    int32_t nOverruns;     // overrun events plus fill-read underrun events
    int32_t nOverrunBytes; // bytes that did not fit, minus bytes replayed by fill reads
    int32_t nStart;        // always 0
    int32_t nEnd;          // nStart + nSize
    int32_t nWrite;
    int32_t nRead;
    int32_t nUser;    // the creator's user word, never interpreted
    int32_t nReserve; // always 0
    int32_t nSize;    // capacity + 1
    int32_t nSpare;
    int32_t nSkipPending;
    int32_t reserved[33];
};
static_assert(sizeof(CFifoHeader) == 176, "CFifoHeader is a shared format");

// Byte ring buffer with overrun/underrun accounting. Private mode (0) keeps it
// in heap memory with no lock: one thread writes and one reads, or an outside
// lock serialises them. Create (1) and open (2) modes share it through a named
// mapping with a named mutex and put/get events.
class CFifo {
public:
    enum { ModePrivate = 0, ModeCreate = 1, ModeOpen = 2 };
    enum { HeaderBytes = 176, SpareBytes = 8 };

    CFifo();
    explicit CFifo(int size, int user = 0, int mode = ModePrivate, uint32_t id = 0);
    ~CFifo();
    CFifo(const CFifo&) = delete;
    CFifo& operator=(const CFifo&) = delete;

    // Closes what is open, then opens a ring of size bytes; returns this.
    // Without a block the object stays inert: every operation returns 0.
    CFifo* Open(int size, int user = 0, int mode = ModePrivate, uint32_t id = 0);
    void Close();

    int Put(const void* src, int n, bool overwrite);
    int Get(void* dst, int n, bool fill);
    void Skip(int n);
    int GetUsed() const;
    int GetFree() const;
    void Reset();
    void SetName(const char* name);
    void Lock();
    void Unlock();

    bool IsOpen() const { return m_pHeader != nullptr; }
    int GetCapacity() const { return m_pHeader ? m_nRingSize - 1 : 0; }
    const CFifoHeader* GetHeader() const { return m_pHeader; }
    int64_t GetTotalPut() const { return m_nTotalPut; }
    int64_t GetTotalGot() const { return m_nTotalGot; }
    const char* GetName() const { return m_szName; }

private:
    void OpenShared(int size, bool create);
    void CreateMapping(const char* name, int size);
    bool IsSharedHeaderSound() const;
    // One copy of the offsets a check passed: another process may rewrite a
    // shared header at any time, so nothing is read from it twice.
    struct Offsets {
        int write, read, reserve;
    };
    // Whether the header still describes the ring this object opened, and its
    // offsets when it does. A header that does not makes the ring read empty and
    // refuse writes (traced once per failure).
    bool HeaderFits(Offsets& out) const;
    // The other side's offset as it is now; -1 when it lies outside the ring.
    int FreshOffset(const int32_t& field) const;
    void DetachView();
    void OpenNamedObjects(const char* mutexName, const char* getName, const char* putName);
    int UsedOf(int write, int read) const;
    int FreeOf(const Offsets& at) const;
    int Wrapped(int offset) const { return offset >= m_nRingSize ? 0 : offset; }

    CFifoHeader* m_pHeader;
    int64_t m_nTotalPut;
    int64_t m_nTotalGot;
    int m_nMode;
    uint32_t m_nId;
    HANDLE m_hMutex;
    HANDLE m_hPutEvent;
    HANDLE m_hGetEvent;
    HANDLE m_hMapping;
    unsigned char* m_pData;
    int m_nRingSize; // nSize as opened: the ring bytes the block really holds, plus one
    mutable bool m_bHeaderRefused;
    char m_szName[256];
};
