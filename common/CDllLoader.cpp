#include "common/CDllLoader.h"
#include "common/DebugTrace.h"

CDllLoader::CDllLoader() : m_hModule(nullptr)
{}

CDllLoader::~CDllLoader()
{
    Free();
}

bool CDllLoader::Load(const char* file)
{
    Free();
    if (file)
        m_hModule = LoadLibraryA(file);
    return m_hModule != nullptr;
}

FARPROC CDllLoader::GetFunction(const char* name)
{
    if (!m_hModule || !name)
        return nullptr;
    FARPROC f = GetProcAddress(m_hModule, name);
    if (!f)
        DebugTrace("!!!DLL FUNCTION NOT FOUND!!! '%s'\n", name);
    return f;
}

int CDllLoader::CallFunction(const char* name)
{
    typedef int(WINAPI * NoArgFunction)();
    FARPROC f = GetFunction(name);
    if (!f)
        return 0;
    return reinterpret_cast<NoArgFunction>(reinterpret_cast<void*>(f))();
}

void CDllLoader::Free()
{
    if (!m_hModule)
        return;
    FreeLibrary(m_hModule);
    m_hModule = nullptr;
}
