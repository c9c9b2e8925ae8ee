#pragma once
#include <windows.h>
#include <string>

// The settings file lies beside the program: its path with the part from the
// last '.' replaced by ".ini". Every path buffer holds MAX_PATH (260) bytes.

// out = path cut at its last '.', then suffix and extension appended.
void ReplacePathExtension(char* out, const char* path, const char* suffix, const char* extension);
// out = path in the ANSI code page, which the profile functions take: a folder
// (or else the whole path) named outside it goes by its short name, which
// the system gives in plain letters where it keeps short names. False when no
// spelling fits; out then holds nothing of use.
bool AnsiPath(const wchar_t* path, char* out);
// A whole path (C:\... or \\server\...) in the form the wide file calls take
// at any length.
std::wstring LongPathForm(const std::wstring& fullPath);
// out = the path of the file that path leads to through symbolic links, as
// AnsiPath spells it; a file that cannot be opened leads to itself. False
// when no spelling of the file led to fits.
bool LinkTargetPath(const char* path, char* out);
// The module's path as AnsiPath spells it, or as the system's ANSI call
// gives it where no spelling fits.
void BuildModulePath(char* out, const char* suffix, HMODULE module, const char* extension);
void GetIniPath(char* out);
void GetIniPath(char* out, HMODULE module);
void GetIniPath(char* out, const char* suffix, HMODULE module);

// Writes value as decimal text; returns the system write's result.
int WriteProfileInt(const char* section, const char* key, int value, const char* iniPath);
// save != 0 writes *value; otherwise loads it, a missing key leaving it as it was.
int ExchangeProfileInt(int save, const char* section, const char* key, int* value, const char* iniPath);
// Takes the key's value only when its whole text is a signed decimal 32-bit
// number; a missing key or text such as "abc", "12x" or "99999999999" leaves
// *value as it was (the system's reader would turn those into 0, 12 or a cut).
bool LoadProfileInt(const char* section, const char* key, int* value, const char* iniPath);

// Copies src to dst (which may be src) with '\', ':', '*', '?' as '-' and blanks as '_'.
void MakeSafeKeyName(const char* src, char* dst);
