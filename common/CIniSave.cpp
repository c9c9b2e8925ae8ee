#include "common/CIniSave.h"
#include "common/IniSaveApi.h"
#include "common/StringFormat.h"
#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// A copy is "<file>.new-<process>-<count>"; "<file>.new" is the one name
// every copy had before, so stopped saves may have left it too.
const char kCopyMark[] = ".new";
const char kCopyNameSeparator = '-';
const DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
// Far longer than a save of a file of several megabytes takes; past it a
// save goes on without the lock rather than hang the program's close.
const DWORD kLockWaitMs = 10000;
const DWORD kListSlack = 2; // a list that filled the buffer may be cut

LONG copyCount = 0;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND;
}

std::string CopyPathFor(const std::string& path)
{
    char tail[64];
    SafeSprintf(tail, sizeof(tail), "%s%c%lu%c%ld", kCopyMark, kCopyNameSeparator, GetCurrentProcessId(),
                kCopyNameSeparator, InterlockedIncrement(&copyCount));
    return path + tail;
}

bool IsReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void DeleteEvenReadOnly(const std::string& path)
{
    if (IsReadOnly(path))
        SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileA(path.c_str());
}

// Writes out and drops the system's cached copy of the file, so that what is
// read next comes from the disk and no cached write can land later.
void ForgetCached(const std::string& path)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

bool IsCopyOf(const char* name, const char* fileName)
{
    const size_t length = std::strlen(fileName), markLength = sizeof(kCopyMark) - 1;
    if (_strnicmp(name, fileName, length) != 0 || _strnicmp(name + length, kCopyMark, markLength) != 0)
        return false;
    const char next = name[length + markLength];
    return next == '\0' || next == kCopyNameSeparator;
}

// Only while holding the file's lock: no other save is under way then.
void RemoveLeftovers(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string fileName = path.substr(folder.size());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + kCopyMark + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsCopyOf(found.cFileName, fileName.c_str()))
            DeleteEvenReadOnly(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The system reads the whole file at every call: the buffer starts large
// enough for any list the file can hold, so each list takes one call.
DWORD ListSizeFor(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    const DWORD size = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
    return size + kListSlack + 1;
}

// A list the system returns as NUL-separated entries ending in two NULs.
template <typename Read>
std::vector<std::string> ProfileList(const std::string& path, Read read)
{
    for (DWORD size = ListSizeFor(path);; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = read(buffer.data(), size);
        if (length + kListSlack >= size)
            continue;
        std::vector<std::string> entries;
        for (const char* entry = buffer.data(); entry < buffer.data() + length && *entry;
             entry += std::strlen(entry) + 1)
            entries.push_back(entry);
        return entries;
    }
}

std::vector<std::string> SectionNames(const std::string& path)
{
    return ProfileList(path,
                       [&](char* out, DWORD size) { return GetPrivateProfileSectionNamesA(out, size, path.c_str()); });
}

std::vector<std::string> SectionLines(const std::string& path, const std::string& section)
{
    return ProfileList(path, [&](char* out, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), out, size, path.c_str());
    });
}

std::string Trimmed(const std::string& text)
{
    size_t first = 0, end = text.size();
    while (first < end && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (end > first && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(first, end - first);
}

bool SameName(const std::string& a, const std::string& b)
{
    return _stricmp(Trimmed(a).c_str(), Trimmed(b).c_str()) == 0;
}

std::string KeyOf(const std::string& line)
{
    return line.substr(0, line.find('='));
}

// Whether key's first line holds value, as the system's "key=value" lines
// give it: blanks around the value gone.
bool HoldsValue(const std::vector<std::string>& lines, const std::string& key, const std::string& value)
{
    for (const std::string& line : lines) {
        const size_t equals = line.find('=');
        if (SameName(line.substr(0, equals), key))
            return equals != std::string::npos && Trimmed(line.substr(equals + 1)) == Trimmed(value);
    }
    return false;
}

} // namespace

CIniSave::CIniSave(const char* iniPath) : m_lock(iniPath, kLockWaitMs), m_ok(false), m_pending(false)
{
    if (!iniPath || !iniPath[0])
        return;
    m_path = iniPath;
    m_copyPath = CopyPathFor(m_path);
    if (m_lock.IsHeld())
        RemoveLeftovers(m_path);
    m_pending = true;
    m_ok = StartCopy();
}

CIniSave::~CIniSave()
{
    Discard();
}

void CIniSave::WriteString(const char* section, const char* key, const char* value)
{
    if (!m_ok)
        return;
    m_ok = section && key && value && CurrentIniSaveApi().writeString(section, key, value, m_copyPath.c_str());
    if (m_ok)
        Record({WriteKind::Text, section, key, value});
}

void CIniSave::WriteInt(const char* section, const char* key, int value)
{
    char text[256];
    SafeSprintf(text, sizeof(text), "%i", value);
    WriteString(section, key, text);
}

void CIniSave::WriteStruct(const char* section, const char* key, const void* data, UINT size)
{
    if (!m_ok)
        return;
    m_ok = section && key && data &&
           CurrentIniSaveApi().writeStruct(section, key, const_cast<void*>(data), size, m_copyPath.c_str());
    if (m_ok)
        Record({WriteKind::Struct, section, key, std::string(static_cast<const char*>(data), size)});
}

bool CIniSave::Commit()
{
    if (!m_pending)
        return false;
    ForgetCached(m_copyPath);
    m_ok = m_ok && FlushCopy() && CopyHoldsTheSave();
    ForgetCached(m_copyPath);
    m_ok = m_ok && CurrentIniSaveApi().moveFile(m_copyPath.c_str(), m_path.c_str(), kReplaceFlags);
    if (m_ok)
        m_pending = false;
    Discard();
    return m_ok;
}

// A missing file gives a save that starts from nothing. A read-only file is
// kept, as the system keeps it from being replaced.
bool CIniSave::StartCopy()
{
    if (IsReadOnly(m_path))
        return false;
    return CurrentIniSaveApi().copyFile(m_path.c_str(), m_copyPath.c_str(), TRUE) || IsMissing(GetLastError());
}

bool CIniSave::FlushCopy() const
{
    HANDLE file =
        CreateFileA(m_copyPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = CurrentIniSaveApi().flushFile(file) != 0;
    CloseHandle(file);
    return flushed;
}

// The last write of a key is the one the file keeps.
void CIniSave::Record(const Written& written)
{
    m_written.erase(
        std::remove_if(m_written.begin(), m_written.end(),
                       [&](const Written& earlier) { return IsWritten(written, earlier.section, earlier.key); }),
        m_written.end());
    m_written.push_back(written);
}

// Read from the disk: every line of the file this save did not write, and
// every key it wrote. A copy cut short, or a file another process changed
// meanwhile, fails here.
bool CIniSave::CopyHoldsTheSave() const
{
    std::vector<std::string> sections = SectionNames(m_path);
    for (const Written& written : m_written)
        if (std::none_of(sections.begin(), sections.end(),
                         [&](const std::string& section) { return SameName(section, written.section); }))
            sections.push_back(written.section);
    return std::all_of(sections.begin(), sections.end(),
                       [&](const std::string& section) { return SectionHoldsTheSave(section); });
}

bool CIniSave::SectionHoldsTheSave(const std::string& section) const
{
    std::vector<std::string> before = SectionLines(m_path, section), after = SectionLines(m_copyPath, section);
    auto written = [&](const std::string& line) {
        return std::any_of(m_written.begin(), m_written.end(),
                           [&](const Written& write) { return IsWritten(write, section, KeyOf(line)); });
    };
    for (const Written& write : m_written)
        if (SameName(write.section, section) && !ReadsBack(write, after))
            return false;
    before.erase(std::remove_if(before.begin(), before.end(), written), before.end());
    after.erase(std::remove_if(after.begin(), after.end(), written), after.end());
    return before == after;
}

bool CIniSave::IsWritten(const Written& written, const std::string& section, const std::string& key)
{
    return SameName(written.section, section) && SameName(written.key, key);
}

bool CIniSave::ReadsBack(const Written& written, const std::vector<std::string>& lines) const
{
    if (written.kind == WriteKind::Text)
        return HoldsValue(lines, written.key, written.value);
    std::vector<char> read(written.value.size() + 1); // never empty
    return GetPrivateProfileStructA(written.section.c_str(), written.key.c_str(), read.data(),
                                    UINT(written.value.size()), m_copyPath.c_str()) &&
           std::memcmp(read.data(), written.value.data(), written.value.size()) == 0;
}

void CIniSave::Discard()
{
    if (m_pending) {
        ForgetCached(m_copyPath);
        DeleteEvenReadOnly(m_copyPath);
    }
    m_pending = false;
}
