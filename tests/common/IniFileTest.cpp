#include "common/IniFile.h"
#include <gtest/gtest.h>
#include <climits>
#include <string>

namespace {

std::string TempIni(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    std::string path = std::string(dir) + name;
    DeleteFileA(path.c_str());
    return path;
}

std::string Replaced(const char* path)
{
    char out[MAX_PATH];
    ReplacePathExtension(out, path, "", ".ini");
    return out;
}

} // namespace

TEST(IniFile, PathIsCutAtTheLastDot)
{
    EXPECT_EQ(Replaced("C:\\Tools\\Analyser.exe"), "C:\\Tools\\Analyser.ini");
    EXPECT_EQ(Replaced("C:\\Tools 2.0\\Analyser"), "C:\\Tools 2.0\\Analyser.ini");
    EXPECT_EQ(Replaced("C:\\Tools\\Analyser"), "C:\\Tools\\Analyser.ini");
    char out[MAX_PATH];
    ReplacePathExtension(out, "C:\\a\\b.exe", "_x", ".cfg");
    EXPECT_STREQ(out, "C:\\a\\b_x.cfg");
    // An overlong path is not cut: that would name another file.
    std::string longPath(400, 'a');
    char bounded[MAX_PATH + 8];
    memset(bounded, 'Z', sizeof(bounded));
    ReplacePathExtension(bounded, longPath.c_str(), "", ".ini");
    EXPECT_STREQ(bounded, "");
    EXPECT_EQ(bounded[MAX_PATH], 'Z');
}

TEST(IniFile, IniPathIsTheProgramPathWithIniExtension)
{
    char exe[MAX_PATH], ini[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    GetIniPath(ini);
    std::string want(exe);
    want = want.substr(0, want.rfind('.')) + ".ini";
    EXPECT_EQ(std::string(ini), want);
    char ini2[MAX_PATH];
    GetIniPath(ini2, (HMODULE) nullptr);
    EXPECT_STREQ(ini2, ini);
}

// A program in a folder, or of a name, outside the ANSI code page keeps its
// settings, and so does one whose whole path passes 259 characters: the path
// the profile functions take reaches the program's own folder.
TEST(IniFile, AnsiPathReachesFoldersOfAnyName)
{
    wchar_t temp[MAX_PATH], self[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring cyrillic = L"\u041f\u0430\u043f\u043a\u0430", deep = L"quill deep\\" + std::wstring(230, L'd');
    const struct {
        std::wstring folder, program, ini = L"QuillmereRTA.ini"; // empty: the program's short name's
    } cases[] = {
        {L"quill plain", L"QuillmereRTA.exe"},
        {L"quill caf\u00e9", L"QuillmereRTA.exe"}, // Latin-1
        {L"quill " + cyrillic, L"QuillmereRTA.exe"},
        {L"quill " + cyrillic, cyrillic + L".exe", L""},
        {L"quill plain", L"\u041f\u0451\u0442\u0440.exe", L""}, // a short name longer than the name
        {L"\u7530\u4e2d\\\u97f3\u697d", L"QuillmereRTA.exe"},   // short names longer than the names
        {L"\u7530\u4e2d\\QuillmereRTA", L"QuillmereRTA.exe"},   // the program's short name fits too
        {deep, L"QuillmereRTA.exe"},
        {deep + L" v1.2", L"QuillmereRTA.exe"}, // the path cut at 259 would end inside "v1.2"
    };
    for (const auto& c : cases) {
        const std::wstring folder = LongPathForm(temp + c.folder), program = folder + L"\\" + c.program;
        CreateDirectoryW(folder.substr(0, folder.rfind(L'\\')).c_str(), nullptr);
        CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(self, program.c_str(), FALSE);
        const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
        char ini[MAX_PATH];
        GetIniPath(ini, module);
        FreeLibrary(module);
        EXPECT_TRUE(WritePrivateProfileStringA("S", "k", "v", ini));
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*.ini").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << ini;
        FindClose(search);
        EXPECT_TRUE(c.ini.empty() || c.ini == found.cFileName) << ini;
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        DeleteFileW(program.c_str());
        RemoveDirectoryW(folder.c_str());
    }
}

TEST(IniFile, IntegersRoundTripAsDecimalTextAndAMissingFileChangesNothing)
{
    std::string path = TempIni("quill_roundtrip.ini");
    int kept = 42;
    ExchangeProfileInt(0, "Settings", "cp.iInputGain", &kept, path.c_str());
    EXPECT_EQ(kept, 42);
    EXPECT_NE(WriteProfileInt("Settings", "neg", -5, path.c_str()), 0);
    int zero = 0;
    EXPECT_NE(ExchangeProfileInt(1, "Settings", "zero", &zero, path.c_str()), 0);
    char text[32];
    GetPrivateProfileStringA("Settings", "neg", "", text, sizeof(text), path.c_str());
    EXPECT_STREQ(text, "-5");
    GetPrivateProfileStringA("Settings", "zero", "", text, sizeof(text), path.c_str());
    EXPECT_STREQ(text, "0");
    int value = 7;
    EXPECT_EQ(ExchangeProfileInt(0, "Settings", "neg", &value, path.c_str()), -5);
    EXPECT_EQ(value, -5);
    EXPECT_EQ(ExchangeProfileInt(0, "Settings", "x", nullptr, path.c_str()), 0);
    DeleteFileA(path.c_str());
}

TEST(IniFile, SafeKeyNamesReplaceUnsuitableCharacters)
{
    char buf[64] = "buffersize_Line In (USB Audio)";
    MakeSafeKeyName(buf, buf);
    EXPECT_STREQ(buf, "buffersize_Line_In_(USB_Audio)");
    char out[16];
    MakeSafeKeyName("C:\\a*b?", out);
    EXPECT_STREQ(out, "C--a-b-");
    MakeSafeKeyName("", out);
    EXPECT_STREQ(out, "");
}

TEST(IniFile, StrictLoadTakesOnlyWholeDecimal32BitNumbers)
{
    const std::string path = TempIni("quill_strict.ini");
    const struct {
        const char* text;
        bool taken;
        int value;
    } cases[] = {{"-1061158912", true, -1061158912},
                 {"2147483647", true, 2147483647},
                 {"-2147483648", true, INT_MIN},
                 {"+7", true, 7},
                 {"  12  ", true, 12},
                 {"abc", false, 0},
                 {"12x", false, 0},
                 {"2147483648", false, 0},
                 {"-", false, 0},
                 {"0x10", false, 0},
                 {"", false, 0},
                 {"123456789012345678901234567890123", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WritePrivateProfileStringA("Settings", "key", c.text, path.c_str());
        int value = 99;
        EXPECT_EQ(LoadProfileInt("Settings", "key", &value, path.c_str()), c.taken);
        EXPECT_EQ(value, c.taken ? c.value : 99);
    }
    int value = 99;
    EXPECT_FALSE(LoadProfileInt("Settings", "missing", &value, path.c_str()));
    EXPECT_FALSE(LoadProfileInt("Settings", "key", nullptr, path.c_str()));
    EXPECT_EQ(value, 99);
    DeleteFileA(path.c_str());
}
