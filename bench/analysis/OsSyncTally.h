#pragma once
// The time a benchmark spends in the operating system's synchronisation calls, kept apart from
// the work of the code it measures.
//
// Under Wine each wait on or release of a kernel object is a round trip to the wineserver process,
// whose cost depends on where the OS schedules that server (about 16 us on the benchmark's CPU,
// 85-105 us on another), not on our code. InstallOsSyncTally points this program's import slots of
// WaitForSingleObject, ReleaseMutex and SetEvent at wrappers that count every call and time it
// with the performance counter. A figure's compute time is its wall time less the time inside
// those calls; the counter reads around each call stay in the compute time (well under 1 us per
// call, against tens of us for the call). One lock pair is one ReleaseMutex: every release
// follows one successful wait.
//
// Threads: the tally is plain counters, for a benchmark that measures on one thread.
struct OsSyncTally {
    long long waits;
    long long releases;
    long long signals;
    double seconds;
};

// False when the import slots cannot be rewritten; the tally then stays zero.
bool InstallOsSyncTally();
OsSyncTally ReadOsSyncTally();
