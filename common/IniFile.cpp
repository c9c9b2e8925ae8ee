#include "common/IniFile.h"
#include "common/StringFormat.h"
#include <winternl.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// winternl.h leaves it out.
extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE, HANDLE, PIO_APC_ROUTINE, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                               FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The longest path the wide calls take, in characters.
const size_t kLongestWidePath = 32767;
const NTSTATUS kNoSuchFile = NTSTATUS(0xC000000FL); // STATUS_NO_SUCH_FILE; ntstatus.h clashes with windows.h
// A call asked its buffer's size once, and again should the path have grown.
const int kSizeTries = 3;

// False where a character has no place in the ANSI code page (no near one
// stands in for it: that would name another file) or the path passes
// MAX_PATH - 1 bytes. Under UTF-8 every character has one but a lone surrogate.
bool ToAnsi(const std::wstring& wide, char* out)
{
    BOOL lossy = FALSE;
    const UINT codePage = GetACP();
    const bool utf8 = codePage == CP_UTF8; // where the call takes no other flag, and no default character
    const int n = WideCharToMultiByte(codePage, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide.c_str(), -1,
                                      out, MAX_PATH, nullptr, utf8 ? nullptr : &lossy);
    return n > 0 && !lossy;
}

// A path of any length, in the form wide calls take it; a network one has
// its own.
const std::wstring kLongPrefix = L"\\\\?\\", kLongNetworkPrefix = L"\\\\?\\UNC\\", kNetworkStart = L"\\\\";

// How a handle's object names a path of a drive or a network.
const std::wstring kObjectPrefix = L"\\??\\";

bool StartsWith(const std::wstring& path, const std::wstring& start)
{
    return path.compare(0, start.size(), start) == 0;
}

// A path as the system gives it from a handle, in the usual spelling.
std::wstring WithoutLongPrefix(const std::wstring& path)
{
    if (StartsWith(path, kLongNetworkPrefix))
        return kNetworkStart + path.substr(kLongNetworkPrefix.size());
    if (StartsWith(path, kLongPrefix))
        return path.substr(kLongPrefix.size());
    return path;
}

// The path itself where it has no short spelling. A short spelling can be
// the longer one (a name of two CJK characters has one of eight), so the
// call is asked the size it needs; a few tries bound a path renamed longer
// meanwhile.
std::wstring ShortPath(const std::wstring& path)
{
    const std::wstring whole = LongPathForm(path);
    std::wstring brief(MAX_PATH, L'\0');
    for (int tries = 0; tries < kSizeTries; ++tries) {
        const DWORD n = GetShortPathNameW(whole.c_str(), &brief[0], DWORD(brief.size()));
        if (n == 0)
            return path;
        if (n < brief.size()) {
            brief.resize(n);
            return WithoutLongPrefix(brief);
        }
        brief.resize(n); // the size needed, its terminator included
    }
    return path;
}

// Only the file name's extension goes: a '.' in a folder's name stays.
std::wstring WithExtension(std::wstring path, const char* suffix, const char* extension)
{
    const size_t name = path.find_last_of(L"\\/") + 1; // 0 without a folder
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos && dot >= name)
        path.resize(dot);
    return path + Widened(suffix ? suffix : "", CP_ACP) + Widened(extension ? extension : "", CP_ACP);
}

// The whole path, however long; empty where the system cannot give it.
std::wstring ModuleFileName(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, &path[0], DWORD(path.size()));
        if (n > 0 && n < path.size())
            return path.substr(0, n);
        if (n == 0 || path.size() > kLongestWidePath)
            return L"";
        path.resize(path.size() * 2); // the name was cut to the buffer
    }
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// The name the handle's object bears, where it is a path of a drive or a
// network ("\??\C:\..."); empty otherwise.
std::wstring ObjectPath(HANDLE file)
{
    std::vector<char> name(sizeof(OBJECT_NAME_INFORMATION) + kLongestWidePath * sizeof(wchar_t));
    ULONG length = 0;
    if (NtQueryObject(file, ObjectNameInformation, name.data(), ULONG(name.size()), &length) != 0)
        return L"";
    const UNICODE_STRING& text = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(name.data())->Name;
    const std::wstring path(text.Buffer ? text.Buffer : L"", text.Buffer ? text.Length / sizeof(wchar_t) : 0);
    return StartsWith(path, kObjectPrefix) ? WithoutLongPrefix(kLongPrefix + path.substr(kObjectPrefix.size())) : L"";
}

// The whole path of the file a handle holds, links followed; empty where the
// system cannot tell. Wine's call holds the name in MAX_PATH characters and
// fails past them (ERROR_MORE_DATA, whatever the buffer): there the handle's
// object is asked, as that call itself does.
std::wstring FinalPath(HANDLE file)
{
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, &final[0], DWORD(final.size()), VOLUME_NAME_DOS);
    if (length == 0 && GetLastError() == ERROR_MORE_DATA)
        return ObjectPath(file);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file, &final[0], DWORD(final.size()), VOLUME_NAME_DOS);
    }
    return WithoutLongPrefix(final.substr(0, length < final.size() ? length : 0));
}

// False where nothing could be opened at path; final is then empty.
bool FinalPath(const std::wstring& path, DWORD flags, std::wstring& final)
{
    final.clear();
    const HANDLE file = CreateFileW(LongPathForm(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    final = FinalPath(file);
    CloseHandle(file);
    return true;
}

// Whether the file at path is itself a symbolic link to final, the path its
// handle gives. Other names of its folder (a SUBST drive, a junction above
// it, a short name) are kept: a user may have made them to keep a deep
// folder short. Wine shows a link as the file it leads to, so the file's
// name is compared with what its folder's path gives.
bool IsLinkItself(const std::wstring& path, const std::wstring& final)
{
    if (SameText(path, final))
        return false;
    const size_t name = path.find_last_of(L'\\');
    if (name == std::wstring::npos)
        return true;
    std::wstring folder;
    FinalPath(path.substr(0, name), FILE_FLAG_BACKUP_SEMANTICS, folder);
    return folder.empty() || !SameText(folder + path.substr(name), final);
}

// Whether nothing holds the name: a link that leads nowhere does. Windows
// shows such a link; Wine shows it neither by its name nor in its folder's
// listing, but a search of the folder for the name finds an entry and leaves
// it out ("no more files", where a free name gives "no such file"). Nothing
// is made to find out: another instance may be moving its file in.
bool NameIsFree(const std::wstring& path)
{
    const std::wstring whole = LongPathForm(path);
    if (GetFileAttributesW(whole.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const size_t name = whole.find_last_of(L'\\') + 1;
    const HANDLE folder = CreateFileW(whole.substr(0, name).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return true; // a missing folder fails the save later
    std::wstring sought = whole.substr(name);
    const USHORT bytes = USHORT(sought.size() * sizeof(wchar_t)); // a name has at most 255 characters
    UNICODE_STRING mask = {bytes, bytes, &sought[0]};
    IO_STATUS_BLOCK status;
    // Room for one entry of the longest name, in units that keep the entry's fields aligned.
    ULONGLONG entry[(sizeof(FILE_NAMES_INFORMATION) + MAX_PATH * sizeof(wchar_t)) / sizeof(ULONGLONG)];
    const NTSTATUS found = NtQueryDirectoryFile(folder, nullptr, nullptr, nullptr, &status, entry, sizeof(entry),
                                                FileNamesInformation, TRUE, &mask, TRUE);
    CloseHandle(folder);
    return found == kNoSuchFile;
}

} // namespace

void ReplacePathExtension(char* out, const char* path, const char* suffix, const char* extension)
{
    if (out && !ToAnsi(WithExtension(Widened(path ? path : "", CP_ACP), suffix, extension), out))
        out[0] = '\0';
}

bool AnsiPath(const wchar_t* path, char* out)
{
    const std::wstring whole = path ? path : L"";
    const size_t slash = whole.find_last_of(L'\\');
    return ToAnsi(whole, out) ||
           (slash != std::wstring::npos && ToAnsi(ShortPath(whole.substr(0, slash)) + whole.substr(slash), out)) ||
           ToAnsi(ShortPath(whole), out);
}

std::wstring LongPathForm(const std::wstring& fullPath)
{
    if (StartsWith(fullPath, kLongPrefix))
        return fullPath;
    if (StartsWith(fullPath, kNetworkStart))
        return kLongNetworkPrefix + fullPath.substr(kNetworkStart.size());
    return kLongPrefix + fullPath;
}

std::wstring FullPathOf(const char* path)
{
    const std::wstring wide = Widened(path ? path : "", CP_ACP);
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), DWORD(full.size()), &full[0], nullptr);
    full.resize(length < full.size() ? length : 0);
    return full;
}

bool FindSaveTarget(const char* path, SaveTarget& target)
{
    SafeStrCopy(target.path, path ? path : "", MAX_PATH);
    const std::wstring whole = FullPathOf(path);
    target.identity = whole; // a missing file: its path
    if (whole.empty())
        return false;
    std::wstring final;
    if (!FinalPath(whole, FILE_ATTRIBUTE_NORMAL, final))
        return NameIsFree(whole);
    target.identity = final.empty() ? whole : final; // a system that cannot tell keeps the path it was given
    return final.empty() || !IsLinkItself(whole, final) || AnsiPath(final.c_str(), target.path);
}

void BuildModulePath(char* out, const char* suffix, HMODULE module, const char* extension)
{
    if (!out)
        return;
    out[0] = '\0';
    const std::wstring whole = ModuleFileName(module);
    char spelled[MAX_PATH];
    if (whole.empty() || AnsiPath(WithExtension(whole, suffix, extension).c_str(), out))
        return;
    if (AnsiPath(whole.c_str(), spelled)) // a program named outside the code page: its short name's
        ReplacePathExtension(out, spelled, suffix, extension);
    else
        out[0] = '\0';
}

void GetIniPath(char* out)
{
    BuildModulePath(out, "", nullptr, ".ini");
}

void GetIniPath(char* out, HMODULE module)
{
    BuildModulePath(out, "", module, ".ini");
}

void GetIniPath(char* out, const char* suffix, HMODULE module)
{
    BuildModulePath(out, suffix, module, ".ini");
}

int WriteProfileInt(const char* section, const char* key, int value, const char* iniPath)
{
    char text[256];
    SafeSprintf(text, sizeof(text), "%i", value);
    return WritePrivateProfileStringA(section, key, text, iniPath);
}

int ExchangeProfileInt(int save, const char* section, const char* key, int* value, const char* iniPath)
{
    if (!value)
        return 0;
    if (save)
        return WriteProfileInt(section, key, *value, iniPath);
    *value = (int)GetPrivateProfileIntA(section, key, *value, iniPath);
    return *value;
}

bool LoadProfileInt(const char* section, const char* key, int* value, const char* iniPath)
{
    if (!value)
        return false;
    char text[32]; // any longer text is no 32-bit number
    const DWORD length = GetPrivateProfileStringA(section, key, "", text, sizeof(text), iniPath);
    if (length == 0 || length >= sizeof(text) - 1)
        return false;
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    const bool digitsFirst = (text[0] >= '0' && text[0] <= '9') || text[0] == '-' || text[0] == '+';
    if (!digitsFirst || *end || errno || number < INT_MIN || number > INT_MAX)
        return false;
    *value = int(number);
    return true;
}

void MakeSafeKeyName(const char* src, char* dst)
{
    if (!dst)
        return;
    if (!src) {
        dst[0] = '\0';
        return;
    }
    for (;; ++src, ++dst) {
        char c = *src;
        if (c == '\\' || c == ':' || c == '*' || c == '?')
            c = '-';
        else if (c == ' ')
            c = '_';
        *dst = c;
        if (!c)
            break;
    }
}
