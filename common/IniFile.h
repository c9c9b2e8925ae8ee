#pragma once
#include <windows.h>
#include <string>

// The settings file lies beside the program: its whole path with the file
// name's extension replaced by ".ini". Every path buffer holds MAX_PATH (260)
// bytes; where the settings path cannot be spelled in them, it is empty, and
// the program runs on its defaults (the profile functions read nothing from
// an empty path and write nothing to it).

// out = path with its file name cut at the name's last '.', then suffix and
// extension appended; empty where that passes MAX_PATH - 1 characters (a cut
// path names another file).
void ReplacePathExtension(char* out, const char* path, const char* suffix, const char* extension);
// out = path in the ANSI code page, which the profile functions take: a folder
// (or else the whole path) named outside it, or too long for it, goes by its
// short name, which the system gives in plain letters where it keeps short
// names. False when no spelling fits; out then holds nothing of use.
bool AnsiPath(const wchar_t* path, char* out);
// A whole path (C:\... or \\server\...) in the form the wide file calls take
// at any length.
std::wstring LongPathForm(const std::wstring& fullPath);
// The whole path of a path in the ANSI code page; empty where the system
// cannot tell it.
std::wstring FullPathOf(const char* path);
// What a settings save of a path writes to and locks on.
struct SaveTarget {
    char path[MAX_PATH];   // a file that is itself a symbolic link: where it leads (as AnsiPath spells it)
    std::wstring identity; // one text for every name of the file: its whole path, links and other names followed
};
// False where nothing may be written: a link that leads nowhere (a drive not
// mounted, say) stays as it is, and so does a link whose target no spelling fits.
bool FindSaveTarget(const char* path, SaveTarget& target);
// The module's whole path with its extension replaced, as AnsiPath spells it
// (a module named outside the ANSI code page: its short name's); empty where
// no spelling fits.
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
