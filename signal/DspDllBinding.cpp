#include "signal/DspDllBinding.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "signal/DspCpu.h"
#include "signal/DspRegistry.h"

struct DllModuleEntry {
    const char* letter;
    HMODULE module;
    DllModuleEntry* next;
};

namespace {

DllModuleEntry* DllModuleCache = nullptr;

typedef const LibVersion* (*VersionFunction)();

int VersionValue(const LibVersion* version)
{
    return version->major * 1024 + version->minor;
}

DllModuleEntry* FindOrLoadModule(const char* letter)
{
    for (DllModuleEntry* e = DllModuleCache; e; e = e->next) {
        if (std::strcmp(e->letter, letter) == 0)
            return e;
    }
    DllModuleEntry* entry = static_cast<DllModuleEntry*>(std::malloc(sizeof(DllModuleEntry)));
    if (!entry)
        return nullptr;
    entry->letter = letter;
    entry->module = static_cast<HMODULE>(dspsLoadLibDll(letter));
    entry->next = DllModuleCache;
    DllModuleCache = entry;
    return entry;
}

bool ModuleIsNewer(HMODULE module, const char* letter)
{
    char name[128];
    std::snprintf(name, sizeof(name), "dsp%sGetLibVersion", letter);
    VersionFunction getVersion =
        reinterpret_cast<VersionFunction>(reinterpret_cast<DspCode>(GetProcAddress(module, name)));
    if (!getVersion)
        return false;
    const LibVersion* version = getVersion();
    return version && VersionValue(version) > VersionValue(dspsCoreVersion());
}

// The folder the process named with SetDllDirectory, else the program's own: never the current
// directory or the search path, where anyone may plant a module of the same name.
bool ModulePath(const char* name, char* path, DWORD size)
{
    DWORD n = GetDllDirectoryA(size, path);
    if (n == 0 || n >= size) {
        n = GetModuleFileNameA(nullptr, path, size);
        if (n == 0 || n >= size)
            return false;
        char* slash = std::strrchr(path, '\\');
        if (!slash)
            return false;
        *slash = '\0';
        n = (DWORD)(slash - path);
    }
    return std::snprintf(path + n, size - n, "\\%s", name) < (int)(size - n);
}

LibStatus GiveUp()
{
    dspsSelectBestCpu();
    return StatusDllNotUsed;
}

} // namespace

extern "C" {

void* dspsLoadLibDll(const char* letter)
{
    char name[128], path[MAX_PATH];
    std::snprintf(name, sizeof(name), "dsp%s20.dll", letter);
    if (!ModulePath(name, path, sizeof(path)))
        return nullptr;
    // Whatever the module needs is looked for beside it first.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

LibStatus dspsBindFromDlls()
{
    DispatchDescriptor* head = dspsDescriptorList();
    if (!head) {
        dspsSelectBestCpu();
        return StatusNoFunctionsRegistered;
    }
    for (DispatchDescriptor* d = head; d; d = d->next) {
        DllModuleEntry* entry = FindOrLoadModule(d->letter);
        if (!entry || !entry->module)
            return GiveUp();
        if (d == head && !ModuleIsNewer(entry->module, d->letter)) {
            dspsUnloadDlls();
            return GiveUp();
        }
        FARPROC address = GetProcAddress(entry->module, d->name);
        if (!address)
            return GiveUp();
        d->table->slot[VariantDll] = reinterpret_cast<DspCode>(address);
    }
    dspsSelectCpuType(CpuDll);
    return StatusOk;
}

void dspsFreeDllModuleEntry(DllModuleEntry* entry, int flags)
{
    if (entry->module)
        FreeLibrary(entry->module);
    if (flags & 1)
        std::free(entry);
}

void dspsUnloadDlls()
{
    while (DllModuleCache) {
        DllModuleEntry* next = DllModuleCache->next;
        dspsFreeDllModuleEntry(DllModuleCache, 1);
        DllModuleCache = next;
    }
}

void dspsUnloadDllsAtExit()
{
    DllModuleCache = nullptr;
    std::atexit(dspsUnloadDllsOnExit);
}

// Another thread may still run a bound entry at exit; its module must stay.
void dspsUnloadDllsOnExit()
{
    if (dspsCurrentVariant() != VariantDll)
        dspsUnloadDlls();
}

} // extern "C"
