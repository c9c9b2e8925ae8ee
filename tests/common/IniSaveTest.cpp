#include "common/CIniSave.h"
#include "common/IniSaveApi.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kMissing[] = "(missing)"; // no such file

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return kMissing;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& text)
{
    if (text != kMissing)
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string TempFolder()
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    return folder;
}

// Every file beside ini whose name begins with ini's.
std::vector<std::string> FilesBeside(const std::string& ini)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ini + "?*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

void Remove(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

const std::string kOther = "[Other]\r\nkept=1\r\n";

bool SaveOneKey(const std::string& path)
{
    CIniSave save(path.c_str());
    save.WriteString("S", "k", "v");
    return save.Commit();
}

// The stand-in's choice: the system call at step failAt (counted over every
// call of a save) refuses, or from there on every call reports success while
// the file on disk falls short by half, as on a full disk.
enum class Failure { Refuses, FallsShort };
struct {
    int failAt;
    Failure how;
    int step;
} stand;

void CutInHalf(HANDLE file)
{
    SetFilePointer(file, LONG(GetFileSize(file, nullptr) / 2), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
}

void CutInHalf(const char* path)
{
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    CutInHalf(file);
    CloseHandle(file);
}

template <typename Target, typename Call>
BOOL Step(Target target, Call call)
{
    const int step = stand.step++;
    if (step == stand.failAt && stand.how == Failure::Refuses) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    const BOOL done = call();
    if (step >= stand.failAt && stand.how == Failure::FallsShort)
        CutInHalf(target);
    return done;
}

BOOL WINAPI StandCopy(LPCSTR from, LPCSTR to, BOOL failIfExists)
{
    return Step(to, [&] { return CopyFileA(from, to, failIfExists); });
}

BOOL WINAPI StandString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path)
{
    return Step(path, [&] { return WritePrivateProfileStringA(section, key, value, path); });
}

BOOL WINAPI StandStruct(LPCSTR section, LPCSTR key, LPVOID data, UINT size, LPCSTR path)
{
    return Step(path, [&] { return WritePrivateProfileStructA(section, key, data, size, path); });
}

BOOL WINAPI StandFlush(HANDLE file)
{
    return Step(file, [&] { return FlushFileBuffers(file); });
}

BOOL WINAPI StandMove(LPCSTR from, LPCSTR to, DWORD flags)
{
    const int step = stand.step++;
    return step == stand.failAt ? FALSE : MoveFileExA(from, to, flags);
}

const IniSaveApi kStandIn = {StandCopy, StandString, StandStruct, StandFlush, StandMove};
const int kSaveSteps = 6; // copy, three writes, flush, move

} // namespace

// What a save leaves: its keys over the file's other content, or on failure
// or without a commit the file as it was; never a copy beside it.
TEST(IniSave, LeavesTheFileWholeAndNoCopy)
{
    const std::string ini = TempFolder() + "quill_ini_save.ini";
    const struct {
        const char* name;
        std::string path, before;
        DWORD attributes;
        const char* value;
        bool commit, committed;
        std::string after;
    } cases[] = {
        {"into the file", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", true, true, kOther + "[S]\r\nk=v\r\n"},
        {"over the key", ini, "[S]\r\nk=old\r\n", FILE_ATTRIBUTE_NORMAL, "v", true, true, "[S]\r\nk=v\r\n"},
        {"blanks and quotes", ini, kOther, FILE_ATTRIBUTE_NORMAL, " 'q' ", true, true, kOther + "[S]\r\nk='q' \r\n"},
        {"new file", ini, kMissing, FILE_ATTRIBUTE_NORMAL, "v", true, true, "[S]\r\nk=v\r\n"},
        {"not committed", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", false, false, kOther},
        {"read-only file", ini, kOther, FILE_ATTRIBUTE_READONLY, "v", true, false, kOther},
        {"folder missing", TempFolder() + "quill_no_folder\\x.ini", kMissing, 0, "v", true, false, kMissing},
    };
    for (const auto& c : cases) {
        Remove(ini);
        Put(c.path, c.before);
        SetFileAttributesA(c.path.c_str(), c.attributes);
        bool committed = false;
        {
            CIniSave save(c.path.c_str());
            save.WriteString("S", "k", c.value);
            if (c.commit)
                committed = save.Commit();
        }
        EXPECT_EQ(committed, c.committed) << c.name;
        EXPECT_EQ(Contents(c.path), c.after) << c.name;
        EXPECT_EQ(FilesBeside(ini).size(), 0u) << c.name;
    }
    Remove(ini);
}

// Whichever step fails or falls short, the file stays byte for byte as it
// was, no copy stays, and the save says it failed.
TEST(IniSave, EveryFailingStepLeavesTheFileAsItWas)
{
    const std::string ini = TempFolder() + "quill_ini_fail.ini";
    std::string before = "[S]\r\nk=old\r\n";
    for (int line = 0; line < 40; ++line) // enough lines that half a file is short of whole ones
        before += "[Other" + std::to_string(line) + "]\r\nkept=" + std::to_string(line) + "\r\n";
    const RECT rect = {1, 2, 3, 4};
    SetIniSaveApi(&kStandIn);
    for (int failAt = 0; failAt <= kSaveSteps; ++failAt) { // the last one: no step fails
        for (Failure how : {Failure::Refuses, Failure::FallsShort}) {
            Put(ini, before);
            stand = {failAt, how, 0};
            bool committed = false;
            {
                CIniSave save(ini.c_str());
                save.WriteString("S", "k", "new");
                save.WriteInt("S", "n", -5);
                save.WriteStruct("P", "r", &rect, sizeof(rect));
                committed = save.Commit();
            }
            const bool whole = failAt == kSaveSteps;
            const std::string name =
                "step " + std::to_string(failAt) + (how == Failure::Refuses ? " refuses" : " short");
            EXPECT_EQ(committed, whole) << name;
            EXPECT_EQ(FilesBeside(ini).size(), 0u) << name;
            if (!whole) {
                EXPECT_EQ(Contents(ini), before) << name;
                continue;
            }
            RECT read = {};
            EXPECT_TRUE(GetPrivateProfileStructA("P", "r", &read, sizeof(read), ini.c_str()));
            EXPECT_EQ(read.bottom, rect.bottom);
            EXPECT_EQ(GetPrivateProfileIntA("S", "n", 0, ini.c_str()), -5);
            EXPECT_EQ(GetPrivateProfileIntA("Other39", "kept", 0, ini.c_str()), 39);
        }
    }
    SetIniSaveApi(nullptr);
    Remove(ini);
}

// Copies that stopped saves left, read-only or not, go with the next save,
// which succeeds; files that only look alike stay.
TEST(IniSave, LeftoverCopiesGoWithTheNextSave)
{
    const std::string ini = TempFolder() + "quill_ini_leftover.ini";
    const struct {
        const char* suffix;
        DWORD attributes;
        bool removed;
    } leftovers[] = {
        {".new", FILE_ATTRIBUTE_NORMAL, true},          {".new", FILE_ATTRIBUTE_READONLY, true},
        {".new-4242-7", FILE_ATTRIBUTE_READONLY, true}, {".NEW-1-1", FILE_ATTRIBUTE_NORMAL, true},
        {".newer", FILE_ATTRIBUTE_NORMAL, false},       {".new.bak", FILE_ATTRIBUTE_NORMAL, false},
    };
    for (const auto& leftover : leftovers) {
        Put(ini, kOther);
        const std::string copy = ini + leftover.suffix;
        Put(copy, "[Stale]\r\nx=1\r\n");
        SetFileAttributesA(copy.c_str(), leftover.attributes);
        EXPECT_TRUE(SaveOneKey(ini)) << leftover.suffix;
        EXPECT_EQ(Contents(ini), kOther + "[S]\r\nk=v\r\n") << leftover.suffix;
        EXPECT_EQ(FilesBeside(ini).size(), leftover.removed ? 0u : 1u) << leftover.suffix;
        Remove(copy);
    }
    Remove(ini);
}
