#pragma once
#include <windows.h>

// One COM initialisation, undone only on the thread that made it. COM counts
// per thread; a thread that has ended took its count with it, and its id may
// since belong to another thread, whose count must stay. The maker's id is
// kept with a handle to it: an id passes to another thread only once every
// handle to its thread is closed.
// Threads: one caller at a time.
class ThreadComInit {
public:
    ThreadComInit() : m_maker(nullptr), m_makerId(0) {}
    ~ThreadComInit() { Undo(); }
    ThreadComInit(const ThreadComInit&) = delete;
    ThreadComInit& operator=(const ThreadComInit&) = delete;

    // CoInitialize on the calling thread, after undoing the one held; its result.
    HRESULT Make();
    // CoUninitialize when the held initialisation is the calling thread's.
    void Undo();

private:
    HANDLE m_maker;
    DWORD m_makerId;
};
