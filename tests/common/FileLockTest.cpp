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

// A holder that keeps the lock through a whole wait is not waited for again
// until the lock is had: a close that saves twice waits once. The holder here
// lets go by itself long before the second wait would end.
TEST(FileLock, AWaitThatRanOutIsNotWaitedForAgain)
{
    const DWORD kHolderLetsGoMs = 3000, kLongWaitMs = 60000;
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    const std::string path = std::string(folder) + "quill_lock_stuck.ini";
    HANDLE taken = CreateEventA(nullptr, FALSE, FALSE, nullptr), letGo = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const auto hold = [&](DWORD ms) {
        return std::thread([&, ms] {
            CFileLock held(path.c_str(), 0);
            SetEvent(taken);
            WaitForSingleObject(letGo, ms);
        });
    };
    std::thread holder = hold(kHolderLetsGoMs);
    WaitForSingleObject(taken, INFINITE);
    EXPECT_FALSE(CFileLock(path.c_str(), 1).IsHeld());
    EXPECT_FALSE(CFileLock(path.c_str(), kLongWaitMs).IsHeld());
    SetEvent(letGo);
    holder.join();
    EXPECT_TRUE(CFileLock(path.c_str(), kLongWaitMs).IsHeld());

    holder = hold(kHolderLetsGoMs / 10); // once had, the lock is waited for again
    WaitForSingleObject(taken, INFINITE);
    EXPECT_TRUE(CFileLock(path.c_str(), kLongWaitMs).IsHeld());
    holder.join();
    CloseHandle(taken);
    CloseHandle(letGo);
}
