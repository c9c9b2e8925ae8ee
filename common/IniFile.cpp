#include "common/IniFile.h"
#include "common/StringFormat.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

void ReplacePathExtension(char* out, const char* path, const char* suffix, const char* extension)
{
    if (!out)
        return;
    char work[MAX_PATH];
    SafeStrCopy(work, path ? path : "", sizeof(work));
    char* dot = std::strrchr(work, '.');
    if (dot)
        *dot = '\0';
    SafeStrCat(work, suffix ? suffix : "", sizeof(work));
    SafeStrCat(work, extension ? extension : "", sizeof(work));
    SafeStrCopy(out, work, MAX_PATH);
}

namespace {

// False where a character has no place in the ANSI code page (no near one
// stands in for it: that would name another file).
bool ToAnsi(const std::wstring& wide, char* out)
{
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out, MAX_PATH, nullptr, &lossy);
    return n > 0 && !lossy;
}

std::wstring ShortPath(const std::wstring& path)
{
    wchar_t brief[MAX_PATH];
    const DWORD n = GetShortPathNameW(path.c_str(), brief, MAX_PATH);
    return n > 0 && n < MAX_PATH ? brief : path;
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

} // namespace

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
    if (StartsWith(fullPath, kNetworkStart))
        return kLongNetworkPrefix + fullPath.substr(kNetworkStart.size());
    return kLongPrefix + fullPath;
}

bool LinkTargetPath(const char* path, char* out)
{
    SafeStrCopy(out, path ? path : "", MAX_PATH);
    const HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    std::wstring target(GetFinalPathNameByHandleW(file, nullptr, 0, VOLUME_NAME_DOS), L'\0');
    const DWORD length = GetFinalPathNameByHandleW(file, &target[0], DWORD(target.size()), VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= target.size()) // a system that cannot tell keeps the path it was given
        return true;
    target.resize(length);
    return AnsiPath(WithoutLongPrefix(target).c_str(), out);
}

void BuildModulePath(char* out, const char* suffix, HMODULE module, const char* extension)
{
    char path[MAX_PATH];
    wchar_t wide[MAX_PATH];
    const DWORD wideLength = GetModuleFileNameW(module, wide, MAX_PATH);
    if (wideLength == 0 || wideLength >= MAX_PATH || !AnsiPath(wide, path)) {
        const DWORD n = GetModuleFileNameA(module, path, sizeof(path));
        // A name cut at the buffer's end may lack its terminator.
        path[n < sizeof(path) ? n : sizeof(path) - 1] = '\0';
    }
    ReplacePathExtension(out, path, suffix, extension);
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
