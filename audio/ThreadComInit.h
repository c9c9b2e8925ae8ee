#pragma once
#include <windows.h>

// One COM initialisation, undone only on the thread that made it. COM counts
// per thread; a thread that has ended took its count with it, and its id may
// since belong to another thread, whose count must stay. The maker is held by
// a handle, so its id cannot pass to another thread meanwhile.
// Threads: one caller at a time.
class ThreadComInit {
public:
    ThreadComInit() : m_maker(nullptr) {}
    ~ThreadComInit() { Undo(); }
    ThreadComInit(const ThreadComInit&) = delete;
    ThreadComInit& operator=(const ThreadComInit&) = delete;

    // CoInitialize on the calling thread, after undoing the one held; its result.
    HRESULT Make();
    // CoUninitialize when the held initialisation is the calling thread's.
    void Undo();

private:
    HANDLE m_maker;
};
