#include "common/IniFile.h"
#include <gtest/gtest.h>
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
    EXPECT_EQ(Replaced("C:\\Tools 2.0\\Analyser"), "C:\\Tools 2.ini");
    EXPECT_EQ(Replaced("C:\\Tools\\Analyser"), "C:\\Tools\\Analyser.ini");
    char out[MAX_PATH];
    ReplacePathExtension(out, "C:\\a\\b.exe", "_x", ".cfg");
    EXPECT_STREQ(out, "C:\\a\\b_x.cfg");
    // An overlong path stays inside the buffer.
    std::string longPath(400, 'a');
    char bounded[MAX_PATH + 8];
    memset(bounded, 'Z', sizeof(bounded));
    ReplacePathExtension(bounded, longPath.c_str(), "", ".ini");
    EXPECT_EQ(strlen(bounded), (size_t)MAX_PATH - 1);
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
