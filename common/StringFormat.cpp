#include "common/StringFormat.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* SkipRun(const char* p, const char* set)
{
    while (*p && std::strchr(set, *p))
        ++p;
    return p;
}

// Reads a width or precision ('*' takes an argument) and returns where the scan goes on.
const char* ReadNumber(const char* p, va_list& args, long long& total)
{
    if (*p == '*') {
        int v = va_arg(args, int);
        total += v < 0 ? -(long long)v : v;
        return p + 1;
    }
    long long v = 0;
    while (*p >= '0' && *p <= '9' && v < 0x7FFFFFFF)
        v = v * 10 + (*p++ - '0');
    while (*p >= '0' && *p <= '9')
        ++p;
    total += v;
    return p;
}

// Passes over a length modifier; true when it makes an integer conversion take 64 bits.
const char* ReadLength(const char* p, bool& is64)
{
    is64 = false;
    for (;;) {
        if (p[0] == 'l' && p[1] == 'l') {
            is64 = true;
            p += 2;
        } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            is64 = true;
            p += 3;
        } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            p += 3;
        } else if (*p && std::strchr("hlLIqjzt", *p)) {
            is64 = is64 || *p == 'q' || *p == 'j';
            ++p;
        } else {
            return p;
        }
    }
}

void AddConversion(char c, bool is64, va_list& args, long long& total)
{
    total += 30;
    if (std::strchr("EGefgaA", c)) {
        total += 307;
        (void)va_arg(args, double);
    } else if (std::strchr("XCcdinopux", c)) {
        if (is64)
            (void)va_arg(args, long long);
        else
            (void)va_arg(args, int);
    } else if (c == 's') {
        const char* s = va_arg(args, const char*);
        total += s ? std::strlen(s) : 6;
    } else if (c == 'S') {
        (void)va_arg(args, const wchar_t*);
    }
}

} // namespace

int EstimateFormatSize(const char* format, va_list args)
{
    if (!format)
        return 1;
    va_list ap;
    va_copy(ap, args);
    long long total = (long long)std::strlen(format) + 1;
    const char* p = format;
    while (*p) {
        if (*p++ != '%')
            continue;
        p = SkipRun(p, "-+ #0");
        p = ReadNumber(p, ap, total);
        if (*p == '.')
            p = ReadNumber(p + 1, ap, total);
        bool is64 = false;
        p = ReadLength(p, is64);
        if (!*p)
            break;
        AddConversion(*p++, is64, ap, total);
    }
    va_end(ap);
    return total > 0x7FFFFFFF ? 0x7FFFFFFF : (int)total;
}

int FormatV(char** result, const char* format, va_list& args)
{
    if (!result)
        return 0;
    *result = nullptr;
    if (!format)
        return 0;
    int size = EstimateFormatSize(format, args);
    // The scan cannot foresee every conversion; the runtime's own count can.
    va_list ap;
    va_copy(ap, args);
    int exact = _vscprintf(format, ap);
    va_end(ap);
    if (exact >= size)
        size = exact + 1;
    char* buf = (char*)std::malloc(size);
    if (!buf)
        return 0;
    int n = SafeVsprintf(buf, size, format, args);
    *result = buf;
    return n < 0 ? (int)std::strlen(buf) : n;
}

void FormatString(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* text = nullptr;
    FormatV(&text, format, args);
    va_end(args);
    out.assign(text ? text : "");
    std::free(text);
}

char* SafeStrCopy(char* dst, const char* src, unsigned size)
{
    if (!dst || size == 0)
        return nullptr;
    std::strncpy(dst, src ? src : "", size);
    dst[size - 1] = '\0';
    return dst;
}

char* SafeStrCat(char* dst, const char* src, unsigned size)
{
    if (!dst || size == 0)
        return nullptr;
    size_t len = strnlen(dst, size);
    if (len >= size - 1 || !src) {
        dst[size - 1] = '\0';
        return dst;
    }
    size_t room = size - 1 - len;
    size_t add = strnlen(src, room);
    std::memcpy(dst + len, src, add);
    dst[len + add] = '\0';
    return dst;
}

int SafeVsprintf(char* dst, unsigned size, const char* format, va_list args)
{
    if (!dst || size == 0)
        return -1;
    if (!format) {
        dst[0] = '\0';
        return -1;
    }
    // msvcrt's bounded formatter: -1 when the text is longer than size.
    int n = _vsnprintf(dst, size, format, args);
    dst[size - 1] = '\0';
    return n;
}

int SafeSprintf(char* dst, unsigned size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = SafeVsprintf(dst, size, format, args);
    va_end(args);
    return n;
}

void WideToAnsiCopy(const wchar_t* src, char* dst, int dstSize)
{
    if (!dst || dstSize < 1)
        return;
    int n = 0;
    while (src && n < dstSize - 1 && src[n]) {
        dst[n] = (char)(src[n] & 0xFF);
        ++n;
    }
    dst[n] = '\0';
}

std::wstring Widened(std::string_view text, unsigned codePage)
{
    std::wstring wide(MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0], int(wide.size()));
    return wide;
}

std::string Narrowed(std::wstring_view wide)
{
    std::string text(WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr), 0);
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &text[0], int(text.size()), nullptr, nullptr);
    return text;
}
