#include "common/CFileLock.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>

// Two spellings of one path name one lock, another path another; a holder
// that ends without releasing leaves the lock free.
TEST(FileLock, OnePathOneLockAcrossSpellingsAndEndedHolders)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    const std::string path = std::string(folder) + "Quill_Lock.ini";
    std::string upper = path, slashed = std::string(folder) + "sub\\..\\quill_lock.INI";
    for (char& c : upper)
        c = char(toupper(static_cast<unsigned char>(c)));
    const struct {
        std::string other;
        bool sameLock;
    } cases[] = {
        {path, true}, {upper, true}, {slashed, true}, {path + ".2", false}, {"", false},
    };
    CFileLock held(path.c_str(), 0);
    ASSERT_TRUE(held.IsHeld());
    for (const auto& c : cases) {
        bool otherHeld = false;
        std::thread([&] { otherHeld = CFileLock(c.other.c_str(), 0).IsHeld(); }).join();
        EXPECT_EQ(otherHeld, !c.sameLock && !c.other.empty()) << c.other;
    }

    const std::string ended = path + ".ended";
    std::thread([&] { new CFileLock(ended.c_str(), 0); }).join(); // never released: its thread ends holding it
    EXPECT_TRUE(CFileLock(ended.c_str(), 0).IsHeld());
}
