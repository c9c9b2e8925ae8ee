#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

// printf-style text helpers. Formatting goes through the C runtime's own
// formatter (msvcrt), so texts look the same wherever they are made.

// Replaces out's content with the formatted text.
void FormatString(std::string& out, const char* format, ...) __attribute__((format(ms_printf, 2, 3)));

// Formats into a new C-heap buffer (*result, freed by the caller); returns the
// character count, or 0 with *result null when no buffer could be had.
int FormatV(char** result, const char* format, va_list& args);

// Worst-case length (with terminator) that a scan of format and its arguments gives.
int EstimateFormatSize(const char* format, va_list args);

// Copy, append and format into dst of size bytes; dst always ends in a NUL
// inside size. A size of 0 writes nothing (null, null and -1).
char* SafeStrCopy(char* dst, const char* src, unsigned size);
char* SafeStrCat(char* dst, const char* src, unsigned size);
// Returns the whole text's length when it has at most size characters, else -1.
int SafeSprintf(char* dst, unsigned size, const char* format, ...) __attribute__((format(ms_printf, 3, 4)));
int SafeVsprintf(char* dst, unsigned size, const char* format, va_list args);

// Keeps the low byte of each UTF-16 unit; dst holds at most dstSize - 1 of them.
void WideToAnsiCopy(const wchar_t* src, char* dst, int dstSize);
// Text in the given code page (CP_ACP, CP_UTF8) as UTF-16, and UTF-16 in the
// ANSI code page; what has no place there comes out as the system substitutes it.
std::wstring Widened(std::string_view text, unsigned codePage);
std::string Narrowed(std::wstring_view wide);
