#include "common/IniSaveCopies.h"
#include "common/IniFile.h"
#include "common/StringFormat.h"
#include <windows.h>
#include <cstring>
#include <cwchar>

namespace {

// "<file>.new" is the one name every copy had before, so stopped saves may
// have left it too.
const wchar_t kCopyMark[] = L".new";
const wchar_t kCopyNameSeparator = L'-';
// The profile functions spell a path out in MAX_PATH characters, terminator
// included; past that they write to a name of garbage.
const size_t kLongestPath = MAX_PATH - 1;
LONG copyCount = 0;

// The whole path, as the limit counts it; empty where the system cannot tell it.
std::wstring FullPath(const std::string& path)
{
    const std::wstring wide = Widened(path, CP_ACP);
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), DWORD(full.size()), &full[0], nullptr);
    full.resize(length < full.size() ? length : 0);
    return full;
}

size_t NameStart(const std::wstring& full)
{
    return full.find_last_of(L'\\') + 1;
}

void DeleteWide(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileW(path);
}

// Steps past a separator and the digits after it; false without a digit.
bool SkipNumber(const wchar_t*& text)
{
    if (*text != kCopyNameSeparator)
        return false;
    const wchar_t* digits = ++text;
    while (*text >= L'0' && *text <= L'9')
        ++text;
    return text > digits;
}

// Only the names NewCopyPath gives, in any case as the system matches names:
// a user's "<file>.new-backup" is no copy, and a name cut short is one only
// where its path is as long as the limit (else it is another file's copy).
bool IsCopyOf(const std::wstring& name, const std::wstring& fileName, size_t folderLength)
{
    std::wstring lower = name;
    CharLowerBuffW(&lower[0], DWORD(lower.size()));
    const size_t mark = lower.rfind(kCopyMark);
    if (mark == std::wstring::npos || mark == 0 || mark > fileName.size() ||
        _wcsnicmp(name.c_str(), fileName.c_str(), mark) != 0)
        return false;
    const bool whole = mark == fileName.size();
    if (!whole && folderLength + name.size() != kLongestPath)
        return false;
    const wchar_t* tail = name.c_str() + mark + std::wcslen(kCopyMark);
    return (whole && *tail == L'\0') || (SkipNumber(tail) && SkipNumber(tail) && *tail == L'\0');
}

} // namespace

std::string NewCopyPath(const std::string& iniPath)
{
    char tail[64];
    SafeSprintf(tail, sizeof(tail), "%ls%lc%lu%lc%ld", kCopyMark, kCopyNameSeparator, GetCurrentProcessId(),
                kCopyNameSeparator, InterlockedIncrement(&copyCount));
    std::wstring copy = FullPath(iniPath);
    const size_t length = copy.size() + std::strlen(tail);
    const size_t over = length > kLongestPath ? length - kLongestPath : 0;
    if (copy.empty() || over >= copy.size() - NameStart(copy))
        return "";
    copy.resize(copy.size() - over);
    return Narrowed(copy) + tail;
}

void RemoveLeftoverCopies(const std::string& iniPath)
{
    const std::wstring full = FullPath(iniPath);
    if (full.empty())
        return;
    const std::wstring folder = full.substr(0, NameStart(full)), fileName = full.substr(folder.size());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(LongPathForm(folder + L"*" + kCopyMark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsCopyOf(found.cFileName, fileName, folder.size()))
            DeleteWide(LongPathForm(folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Takes no memory: a save whose memory ran out still removes its copy.
void DeleteEvenReadOnly(const std::string& copyPath)
{
    wchar_t wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, copyPath.c_str(), -1, wide, MAX_PATH) > 0)
        DeleteWide(wide);
}
