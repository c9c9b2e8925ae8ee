#include "OsSyncTally.h"
#include <windows.h>

// The program's import slots of the three calls, as the import library names them.
extern "C" {
extern void* ImportWaitForSingleObject asm("__imp__WaitForSingleObject@8");
extern void* ImportReleaseMutex asm("__imp__ReleaseMutex@4");
extern void* ImportSetEvent asm("__imp__SetEvent@4");
}

namespace {
typedef DWORD(WINAPI* WaitCall)(HANDLE, DWORD);
typedef BOOL(WINAPI* HandleCall)(HANDLE);

WaitCall g_wait;
HandleCall g_release;
HandleCall g_signal;
OsSyncTally g_tally;
long long g_ticks;

long long Ticks()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

DWORD WINAPI TimedWait(HANDLE h, DWORD ms)
{
    const long long start = Ticks();
    const DWORD r = g_wait(h, ms);
    g_ticks += Ticks() - start;
    ++g_tally.waits;
    return r;
}

BOOL WINAPI TimedRelease(HANDLE h)
{
    const long long start = Ticks();
    const BOOL r = g_release(h);
    g_ticks += Ticks() - start;
    ++g_tally.releases;
    return r;
}

BOOL WINAPI TimedSignal(HANDLE h)
{
    const long long start = Ticks();
    const BOOL r = g_signal(h);
    g_ticks += Ticks() - start;
    ++g_tally.signals;
    return r;
}

template <class Call>
bool Redirect(void*& slot, Call wrapper, Call* original)
{
    DWORD old = 0;
    if (!VirtualProtect(&slot, sizeof(slot), PAGE_READWRITE, &old))
        return false;
    *original = reinterpret_cast<Call>(slot);
    slot = reinterpret_cast<void*>(wrapper);
    VirtualProtect(&slot, sizeof(slot), old, &old);
    return true;
}
} // namespace

bool InstallOsSyncTally()
{
    if (g_wait)
        return true;
    return Redirect(ImportWaitForSingleObject, &TimedWait, &g_wait) &&
           Redirect(ImportReleaseMutex, &TimedRelease, &g_release) && Redirect(ImportSetEvent, &TimedSignal, &g_signal);
}

OsSyncTally ReadOsSyncTally()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    OsSyncTally t = g_tally;
    t.seconds = double(g_ticks) / double(f.QuadPart);
    return t;
}
