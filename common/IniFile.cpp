#include "common/IniFile.h"
#include "common/StringFormat.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The longest path the wide calls take, in characters.
const size_t kLongestWidePath = 32767;

// False where a character has no place in the ANSI code page (no near one
// stands in for it: that would name another file) or the path passes
// MAX_PATH - 1 characters.
bool ToAnsi(const std::wstring& wide, char* out)
{
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out, MAX_PATH, nullptr, &lossy);
    return n > 0 && !lossy;
}

// A path of any length, in the form wide calls take it; a network one has
// its own.
const std::wstring kLongPrefix = L"\\\\?\\", kLongNetworkPrefix = L"\\\\?\\UNC\\", kNetworkStart = L"\\\\";

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

// A short spelling is never longer than the path it spells.
std::wstring ShortPath(const std::wstring& path)
{
    std::wstring brief(path.size() + kLongPrefix.size() + 1, L'\0');
    const DWORD n = GetShortPathNameW(LongPathForm(path).c_str(), &brief[0], DWORD(brief.size()));
    if (n == 0 || n >= brief.size())
        return path;
    brief.resize(n);
    return WithoutLongPrefix(brief);
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

// The whole path of the file a handle holds, links followed; empty where the
// system cannot tell.
std::wstring FinalPath(HANDLE file)
{
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, &final[0], DWORD(final.size()), VOLUME_NAME_DOS);
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
// shows such a link; Wine shows nothing, but makes no file in its place.
bool NameIsFree(const std::wstring& path)
{
    const std::wstring whole = LongPathForm(path);
    if (GetFileAttributesW(whole.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const HANDLE probe =
        CreateFileW(whole.c_str(), DELETE, kShareAll, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return GetLastError() != ERROR_FILE_EXISTS; // a missing folder fails the save later
    CloseHandle(probe);
    return true;
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
