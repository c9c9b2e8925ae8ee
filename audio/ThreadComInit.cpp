#include "audio/ThreadComInit.h"
#include <objbase.h>

HRESULT ThreadComInit::Make()
{
    const HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr))
        return hr;
    Undo(); // after: the thread's count never drops to nothing in between
    const HANDLE process = GetCurrentProcess();
    // Held only so that the id stays the maker's: no access right is asked.
    if (!DuplicateHandle(process, GetCurrentThread(), process, &m_maker, SYNCHRONIZE, FALSE, 0)) {
        const HRESULT failed = HRESULT_FROM_WIN32(GetLastError()); // before COM's calls overwrite it
        m_maker = nullptr;
        CoUninitialize(); // kept by nobody: undone at once
        return failed;
    }
    m_makerId = GetCurrentThreadId();
    return hr;
}

void ThreadComInit::Undo()
{
    if (!m_maker)
        return;
    if (m_makerId == GetCurrentThreadId())
        CoUninitialize();
    CloseHandle(m_maker);
    m_maker = nullptr;
    m_makerId = 0;
}
