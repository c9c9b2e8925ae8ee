#pragma once
// Binding of every registered function by name from the optional external
// modules "dsp" + letter + "20.dll", and their release at exit. The modules are
// loaded by full path from the program's folder (or the process's DLL directory).
#include "signal/DspTypes.h"

struct DllModuleEntry;

extern "C" {
void* dspsLoadLibDll(const char* letter);
LibStatus dspsBindFromDlls();
void dspsFreeDllModuleEntry(DllModuleEntry* entry, int flags);
void dspsUnloadDlls();
// Static initialiser: empties the module cache and registers the exit handler.
void dspsUnloadDllsAtExit();
// The exit handler: unloads unless the external entries are selected.
void dspsUnloadDllsOnExit();
}
