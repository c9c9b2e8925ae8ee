#include "common/CIniSave.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>

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

} // namespace

// What a save leaves: its keys over the file's other content, or on failure
// or without a commit the file as it was; never a copy beside it, and never
// the remains of a copy an earlier, stopped save left.
TEST(IniSave, LeavesTheFileWholeAndNoCopy)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    const std::string ini = std::string(folder) + "quill_ini_save.ini", copy = ini + ".new";
    const std::string other = "[Other]\r\nkept=1\r\n";
    const struct {
        const char* name;
        std::string path, before, staleCopy;
        bool commit, committed;
        std::string after;
    } cases[] = {
        {"into the file", ini, other, kMissing, true, true, other + "[S]\r\nk=v\r\n"},
        {"new file", ini, kMissing, "[Stale]\r\nx=1\r\n", true, true, "[S]\r\nk=v\r\n"},
        {"over a stale copy", ini, other, "[Stale]\r\nx=1\r\n", true, true, other + "[S]\r\nk=v\r\n"},
        {"not committed", ini, other, kMissing, false, false, other},
        {"folder missing", std::string(folder) + "quill_no_folder\\x.ini", kMissing, kMissing, true, false, kMissing},
    };
    for (const auto& c : cases) {
        DeleteFileA(ini.c_str());
        DeleteFileA(copy.c_str());
        Put(c.path, c.before);
        Put(copy, c.staleCopy);
        bool committed = false;
        {
            CIniSave save(c.path.c_str());
            save.WriteString("S", "k", "v");
            if (c.commit)
                committed = save.Commit();
        }
        EXPECT_EQ(committed, c.committed) << c.name;
        EXPECT_EQ(Contents(c.path), c.after) << c.name;
        EXPECT_EQ(Contents(c.path + ".new"), kMissing) << c.name;
    }
    DeleteFileA(ini.c_str());
}
