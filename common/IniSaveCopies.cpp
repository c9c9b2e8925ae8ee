#include "common/IniSaveCopies.h"
#include "common/IniFile.h"
#include "common/StringFormat.h"
#include "common/TextHash.h"
#include <windows.h>
#include <cwchar>
#include <cwctype>

namespace {

// "<file>.new" is the one name every copy had before, and
// "<file>.new-<process>-<count>" the next, so stopped saves may have left
// those too.
const wchar_t kOldCopyMark[] = L".new";
const wchar_t kCopyMark = L'~';
const wchar_t kSeparator = L'-';
// The name's hash, in as few characters as a copy cut short can spare: one
// file in 36^5 (60 million) whose name starts as this one's looks alike.
const int kNameHashDigits = 5;
const unsigned long kNameHashRange = 60466176; // 36^5
const int kDigitBase = 36;
// The profile functions take a path of at most MAX_PATH characters,
// terminator included (Wine writes to a name of garbage past that).
const size_t kLongestPath = MAX_PATH - 1;
LONG copyCount = 0;

size_t NameStart(const std::wstring& full)
{
    return full.find_last_of(L'\\') + 1;
}

std::wstring Digits(unsigned long number, int width)
{
    std::wstring text;
    for (int place = 0; place < width || number > 0; ++place, number /= kDigitBase)
        text.insert(text.begin(), L"0123456789abcdefghijklmnopqrstuvwxyz"[number % kDigitBase]);
    return text;
}

// Tells the file's copies from those of any other file, whose names may
// start alike: a copy's own name may have cut the file's name short.
std::wstring NameHash(const std::wstring& fileName)
{
    return Digits(static_cast<unsigned long>(CaseBlindHash(fileName) % kNameHashRange), kNameHashDigits);
}

void DeleteWide(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileW(path);
}

// Reads a number up to the text's end or a separator (stepped past), in the
// given base; false without a digit.
bool ReadNumber(const wchar_t*& text, int base, DWORD& number)
{
    wchar_t* end = nullptr;
    number = std::wcstoul(text, &end, base);
    const bool read = end > text && std::iswalnum(*text) && (*end == L'\0' || *end == kSeparator);
    text = *end ? end + 1 : end;
    return read;
}

const int kDecimal = 10;

// An older copy: the file's whole name, the old mark, perhaps the process and
// its count.
bool IsOldCopyOf(const std::wstring& name, const std::wstring& fileName, DWORD& writer)
{
    const size_t mark = fileName.size(), markLength = std::wcslen(kOldCopyMark);
    if (_wcsnicmp(name.c_str(), fileName.c_str(), mark) != 0 ||
        _wcsnicmp(name.c_str() + mark, kOldCopyMark, markLength) != 0)
        return false;
    const wchar_t* tail = name.c_str() + mark + markLength;
    DWORD count = 0;
    return *tail == L'\0' || (*tail++ == kSeparator && ReadNumber(tail, kDecimal, writer) &&
                              ReadNumber(tail, kDecimal, count) && *tail == L'\0');
}

// Whether name is this file's copy: the file's name, perhaps cut short, the
// hash of its whole name, the process and its count; or an older copy. A
// user's "<file>.new-backup" is no copy, nor is another file's. Case counts
// as little as for the system. writer: the process that made the copy, 0
// where the name tells none.
bool IsCopyOf(const std::wstring& name, const std::wstring& fileName, const std::wstring& hash, DWORD& writer)
{
    writer = 0;
    if (IsOldCopyOf(name, fileName, writer))
        return true;
    const size_t mark = name.rfind(kCopyMark);
    if (mark == std::wstring::npos || mark == 0 || mark > fileName.size() ||
        _wcsnicmp(name.c_str(), fileName.c_str(), mark) != 0 ||
        _wcsnicmp(name.c_str() + mark + 1, hash.c_str(), hash.size()) != 0)
        return false;
    const wchar_t* tail = name.c_str() + mark + 1 + hash.size();
    DWORD count = 0;
    return ReadNumber(tail, kDigitBase, writer) && ReadNumber(tail, kDigitBase, count) && *tail == L'\0';
}

// A copy whose process still runs may be under way (a save that did not wait
// for the lock); a stopped process's copy is a leftover.
bool IsRunning(DWORD process, OwnCopies own)
{
    if (process == 0)
        return false;
    if (process == GetCurrentProcessId())
        return own == OwnCopies::MayBeUnderWay;
    const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (!handle)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    CloseHandle(handle);
    return running;
}

} // namespace

std::string NewCopyPath(const std::string& iniPath)
{
    std::wstring copy = FullPathOf(iniPath.c_str());
    if (copy.empty())
        return "";
    const std::wstring tail = kCopyMark + NameHash(copy.substr(NameStart(copy))) + Digits(GetCurrentProcessId(), 1) +
                              kSeparator + Digits(static_cast<unsigned long>(InterlockedIncrement(&copyCount)), 1);
    const size_t length = copy.size() + tail.size();
    const size_t over = length > kLongestPath ? length - kLongestPath : 0;
    if (over >= copy.size() - NameStart(copy))
        return "";
    copy.resize(copy.size() - over);
    return Narrowed(copy + tail);
}

void RemoveLeftoverCopies(const std::string& iniPath, OwnCopies own)
{
    const std::wstring full = FullPathOf(iniPath.c_str());
    const std::wstring folder = full.substr(0, NameStart(full)), fileName = full.substr(folder.size());
    if (fileName.empty())
        return;
    const std::wstring hash = NameHash(fileName);
    WIN32_FIND_DATAW found;
    // Every copy starts as the file's name does.
    HANDLE search = FindFirstFileW(LongPathForm(folder + fileName[0] + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    DWORD writer = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsCopyOf(found.cFileName, fileName, hash, writer) &&
            !IsRunning(writer, own))
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
