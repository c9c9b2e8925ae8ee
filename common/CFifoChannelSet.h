#pragma once
#include "common/CFifo.h"
#include <windows.h>
#include <atomic>

// Equally sized private rings filled and drained together under one mutex;
// the mutex, not the rings, makes the set safe between a writer and a reader.
class CFifoChannelSet {
public:
    CFifoChannelSet();
    virtual ~CFifoChannelSet();
    CFifoChannelSet(const CFifoChannelSet&) = delete;
    CFifoChannelSet& operator=(const CFifoChannelSet&) = delete;

    // Replaces all rings by count rings of bytes each; a named set traces overruns per ring.
    void Create(int count, int bytes, const char* name = nullptr);
    // The same with unnamed rings carrying userWord in their headers.
    void Create(int count, int bytes, int userWord);
    void NameRings(const char* name);
    void CloseAll();

    void Lock();
    bool TryLock();
    void Unlock();

    // Puts n bytes of bufs[i] into ring i; returns the last ring's count (0 without rings).
    // tryOnly gives up, with 0, while a Create is replacing the rings.
    int Put(const void* const bufs[], int n, bool overwrite, bool tryOnly);
    int Get(void* const bufs[], int n, bool fill, bool tryOnly);

    bool IsRebuilding() const { return m_bRebuilding.load() != 0; }
    int GetCount() const { return m_nFifos; }
    CFifo* GetFifo(int i) const { return i >= 0 && i < m_nFifos ? m_fifos[i] : nullptr; }

protected:
    void CloseAllUnlocked();

private:
    void Rebuild(int count, int bytes, int userWord);
    bool TakeLock(bool tryOnly);

    CFifo** m_fifos;
    int m_nFifos;
    HANDLE m_hMutex;
    std::atomic<int> m_bRebuilding;
};

// Four integers the scope signal path keeps beside its rings; no meaning of their own here.
class CFifoParams {
public:
    CFifoParams() : m_nParams{0, 0, 2, 2} {}
    virtual ~CFifoParams() = default;

    void Set(int a, int b)
    {
        m_nParams[2] = a;
        m_nParams[3] = b;
    }
    int Get(int i) const { return i >= 0 && i < 4 ? m_nParams[i] : 0; }

private:
    int m_nParams[4];
};
