#pragma once
#include <windows.h>

// Owner of one library loaded at run time, for functions the program does not import.
class CDllLoader {
public:
    CDllLoader();
    virtual ~CDllLoader();
    CDllLoader(const CDllLoader&) = delete;
    CDllLoader& operator=(const CDllLoader&) = delete;

    // Releases any library held, then loads file; true when one was loaded.
    bool Load(const char* file);
    // Null (traced when a library is held) when the function is missing.
    FARPROC GetFunction(const char* name);
    // Calls a function without arguments; 0 when it is missing.
    int CallFunction(const char* name);
    void Free();
    HMODULE GetModule() const { return m_hModule; }

private:
    HMODULE m_hModule;
};
