#include "common/CIniSave.h"
#include "common/StringFormat.h"

namespace {
const char kCopySuffix[] = ".new";
const DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND;
}
} // namespace

CIniSave::CIniSave(const char* iniPath) : m_ok(false), m_pending(false)
{
    if (!iniPath || !iniPath[0])
        return;
    m_path = iniPath;
    m_copyPath = m_path + kCopySuffix;
    m_pending = true;
    // No file yet: the save starts from nothing, not from a copy an earlier
    // save left behind when it was stopped.
    m_ok = CopyFileA(m_path.c_str(), m_copyPath.c_str(), FALSE) ||
           (IsMissing(GetLastError()) && (DeleteFileA(m_copyPath.c_str()) || IsMissing(GetLastError())));
}

CIniSave::~CIniSave()
{
    Discard();
}

void CIniSave::WriteString(const char* section, const char* key, const char* value)
{
    if (m_ok)
        m_ok = WritePrivateProfileStringA(section, key, value, m_copyPath.c_str()) != 0;
}

void CIniSave::WriteInt(const char* section, const char* key, int value)
{
    char text[256];
    SafeSprintf(text, sizeof(text), "%i", value);
    WriteString(section, key, text);
}

void CIniSave::WriteStruct(const char* section, const char* key, const void* data, UINT size)
{
    if (m_ok)
        m_ok = WritePrivateProfileStructA(section, key, const_cast<void*>(data), size, m_copyPath.c_str()) != 0;
}

bool CIniSave::Commit()
{
    if (!m_pending)
        return false;
    if (m_ok) {
        // Out of the system's profile cache before it moves; the result says nothing.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_copyPath.c_str());
        m_ok = MoveFileExA(m_copyPath.c_str(), m_path.c_str(), kReplaceFlags) != 0;
    }
    if (m_ok)
        m_pending = false;
    Discard();
    return m_ok;
}

void CIniSave::Discard()
{
    if (m_pending)
        DeleteFileA(m_copyPath.c_str());
    m_pending = false;
}
