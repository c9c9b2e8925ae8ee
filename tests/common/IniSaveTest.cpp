#include "common/CIniSave.h"
#include "common/CFileLock.h"
#include "common/IniSaveApi.h"
#include "common/IniSaveCopies.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The heap this program's own code holds (the system's profile functions use
// their own), and how much of it a test lets it hold: past that it runs out.
std::atomic<size_t> heapHeld{0};
std::atomic<size_t> heapLimit{SIZE_MAX};

} // namespace

void* operator new(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    const size_t taken = block ? _msize(block) : 0;
    if (block && heapHeld.fetch_add(taken) + taken <= heapLimit)
        return block;
    heapHeld -= taken;
    std::free(block);
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    if (block)
        heapHeld -= _msize(block);
    std::free(block);
}

void operator delete(void* block, size_t) noexcept
{
    if (block)
        heapHeld -= _msize(block);
    std::free(block);
}

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

std::string Folder(const std::string& name)
{
    CreateDirectoryA((TempFolder() + name).c_str(), nullptr);
    return TempFolder() + name + "\\";
}

// Files in ini's folder besides ini itself.
int FilesBeside(const std::string& ini)
{
    const size_t name = ini.rfind('\\') + 1;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ini.substr(0, name) + "*").c_str(), &found);
    int count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ini.substr(name) != found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return count;
}

void Remove(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Wine makes no symbolic link of its own, but shows one made on the Unix side
// as one. It cannot wait for a Unix program: the link is waited for.
void Link(const std::string& folder, const std::string& name, const std::string& target)
{
    std::string command = "/bin/ln -s " + target + " " + name;
    std::replace(command.begin(), command.end(), '\\', '/');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int tries = 0; tries < 500 && GetFileAttributesA((folder + name).c_str()) == INVALID_FILE_ATTRIBUTES; ++tries)
        Sleep(10);
}

// A path past 259 characters by its folder's short name, which reaches it.
std::string ShortFolder(const std::string& path)
{
    char folder[MAX_PATH];
    const size_t name = path.rfind('\\');
    const DWORD n = path.size() < MAX_PATH ? 0 : GetShortPathNameA(path.substr(0, name).c_str(), folder, MAX_PATH);
    return n > 0 && n < MAX_PATH ? folder + path.substr(name) : path;
}

const std::string kOther = "[Other]\r\nkept=1\r\n";
const char kRewritten[] = "(as the system rewrites it)";

// Little-endian, with its mark, as a text editor saves it.
std::string Utf16(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

// Random bytes, the same each run: NULs, lone CRs, headers without a name,
// blanks before a NUL, lines of any length.
std::string Garbage(size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 1;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u; // a common LCG's constants
        byte = char(state >> 24);
    }
    return bytes;
}

// Lines of two bytes and their end, in one section.
std::string ShortLines(size_t count)
{
    std::string text = "[Short]\r\n";
    for (size_t line = 0; line < count; ++line)
        text += "ab\r\n";
    return text;
}

// The stand-in's choice: the system call at step failAt (counted over every
// call of a save) refuses; or from there on every call reports success while
// the file on disk falls short by half, as on a full disk; or it reports
// success and does nothing; or another process that did not wait for the
// lock changes the file, or puts its own in the file's place, meanwhile; or
// from there on no memory is left; or another program tries to open the file
// for writing, and may not while the save takes its last look.
enum class Failure { Refuses, FallsShort, Skips, FileChanged, Replaced, NoMemory, WriterTries };
const char* const kFailureNames[] = {"refuses",  "falls short", "skips",       "file changed",
                                     "replaced", "no memory",   "writer tries"};
const char kLateSection[] = "[Late]\r\nx=1\r\n";
const std::string kAside = TempFolder() + "quill_ini_aside.ini"; // a replaced file, perhaps still open, goes here
const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
struct {
    int failAt;
    Failure how;
    int step;
    std::string file;
    bool writerDenied;
} stand;

void CutInHalf(HANDLE file)
{
    SetFilePointer(file, LONG(GetFileSize(file, nullptr) / 2), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
}

void CutInHalf(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CutInHalf(file);
    CloseHandle(file);
}

void OtherProgramActs()
{
    if (stand.how == Failure::FileChanged)
        std::ofstream(stand.file, std::ios::binary | std::ios::app) << kLateSection;
    if (stand.how == Failure::Replaced && MoveFileExA(stand.file.c_str(), kAside.c_str(), MOVEFILE_REPLACE_EXISTING))
        Put(stand.file, kLateSection);
    if (stand.how == Failure::WriterTries) {
        const HANDLE writer =
            CreateFileA(stand.file.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        stand.writerDenied = writer == INVALID_HANDLE_VALUE;
        if (!stand.writerDenied)
            CloseHandle(writer);
    }
}

// The step's number; from failAt on with NoMemory, no memory is left.
int NextStep()
{
    if (stand.step == stand.failAt && stand.how == Failure::NoMemory)
        heapLimit = size_t(heapHeld);
    return stand.step++;
}

template <typename Target, typename Call>
BOOL Step(Target target, Call call)
{
    const int step = NextStep();
    if (step == stand.failAt && stand.how == Failure::Refuses) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    if (step == stand.failAt && stand.how == Failure::Skips)
        return TRUE;
    const BOOL done = call();
    if (step >= stand.failAt && stand.how == Failure::FallsShort)
        CutInHalf(target);
    if (step == stand.failAt)
        OtherProgramActs();
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

// A move is one step that happens whole or not at all: here it refuses.
BOOL WINAPI StandMove(LPCSTR from, LPCSTR to, DWORD flags)
{
    if (NextStep() != stand.failAt || stand.how == Failure::NoMemory || stand.how == Failure::WriterTries)
        return MoveFileExA(from, to, flags);
    OtherProgramActs();
    return FALSE;
}

// The last look at the file before the move: here another process changes
// the file, or replaces it, while it is read (a program that share modes do
// not stop), or the file cannot be opened; reading it has
// nothing to fall short or leave out.
HANDLE WINAPI StandOpen(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation,
                        DWORD flags, HANDLE model)
{
    const bool failing = NextStep() == stand.failAt;
    if (failing && stand.how == Failure::Refuses) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    const bool sharing = failing && stand.how != Failure::WriterTries;
    const HANDLE file = CreateFileA(path, access, sharing ? kShareAll : share, security, creation, flags, model);
    if (failing)
        OtherProgramActs();
    return file;
}

const IniSaveApi kStandIn = {StandCopy, StandString, StandStruct, StandFlush, StandMove, StandOpen};
const int kSaveSteps = 7; // copy, three writes, flush, last look, move
const int kFlushStep = 4; // a flush left out changes nothing a test can see
const int kLookStep = 5;
const int kMoveStep = 6;
// A save holds at most a few copies of the file's text, however many lines
// it has, and some room of its own.
const size_t kCopiesHeld = 3;
const size_t kOwnHeap = 128 * 1024;

} // namespace

// What a save leaves: its keys over the file's other content, or on failure
// or without a commit the file as it was; never a copy beside it, and none
// of the copies stopped saves left (read-only ones too), which never block it.
// No file is too big or has too many lines to save, and the save's memory
// follows the file's bytes, not its lines.
TEST(IniSave, LeavesTheFileWholeAndNoCopy)
{
    const std::string big = kOther + "[Big]\r\nv=" + std::string(64 * 1024 * 1024, 'x') + "\r\n";
    const std::string name = "quill_ini_save.ini", folder = Folder("quill_ini_save"), ini = folder + name;
    const std::string newKey = "[S]\r\nk=v\r\n", linked = "linked.ini"; // beside ini
    const std::string shortLines = ShortLines(5000);
    // Paths of 259 and 256 characters, and a name that begins as ini's does.
    const std::string deep = Folder(std::string(240 - TempFolder().size(), 'd')),
                      deep256 = std::string(237 - TempFolder().size(), 'e');
    const std::string deepCopy = NewCopyPath(deep + name), otherCopy = NewCopyPath(deep + "quill_ini_save - Copy.ini");
    Folder(deep256);
    const std::string to262 = // from ini's folder, 262 characters in all
        Folder("quill_ini_save\\" + std::string(261 - ini.size(), 'f')).substr(folder.size()) + name;
    const std::string tight = Folder(std::string(253 - TempFolder().size(), 'g')); // "a.ini" in it: 259, no copy fits
    DWORD desktop = 0; // its process runs all test long: its copies may be saves under way
    GetWindowThreadProcessId(GetDesktopWindow(), &desktop);
    const struct {
        const char* name;
        std::string path, before;
        DWORD attributes;
        const char* value;
        std::string leftover; // a copy beside the file, read-only
        bool commit, committed;
        std::string after;
        int beside;                // files left beside it
        std::string linkTo = "";   // ini is a symbolic link to this, beside ini
        bool targetLocked = false; // another save holds the lock by the path linked to, then changes the file
        bool untouched = false;    // no name in the folder made or removed, not even to test for a link
    } cases[] = {
        {"into the file", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + newKey, 0},
        {"over the key", ini, "[S]\r\nk=old\r\n", FILE_ATTRIBUTE_NORMAL, "v", "", true, true, newKey, 0},
        {"blanks, quotes", ini, kOther, FILE_ATTRIBUTE_NORMAL, " 'q' ", "", true, true, kOther + "[S]\r\nk='q' \r\n",
         0},
        {"new file", ini, kMissing, FILE_ATTRIBUTE_NORMAL, "v", ini + ".new", true, true, newKey, 0},
        {"old copy name", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".new", true, true, kOther + newKey, 0},
        {"a copy", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".NEW-4242-7", true, true, kOther + newKey, 0},
        {"a running writer's", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".new-" + std::to_string(desktop) + "-7",
         true, true, kOther + newKey, 1},
        {"stopped copy", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", NewCopyPath(ini), true, true, kOther + newKey, 0},
        {"cut, folder renamed", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", folder + deepCopy.substr(deep.size()), true,
         true, kOther + newKey, 0},
        {"look-alike", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".newer", true, true, kOther + newKey, 1},
        {"user's backup", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".new-backup", true, true, kOther + newKey, 1},
        {"not a count", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", ini + ".new-1-x", true, true, kOther + newKey, 1},
        {"UTF-16", ini, Utf16(kOther), FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kRewritten, 0},
        {"UTF-8", ini, "\xEF\xBB\xBF" + kOther, FILE_ATTRIBUTE_NORMAL, "\xDC", "", true, true, kRewritten, 0},
        {"garbage", ini, Garbage(1 << 20), FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kRewritten, 0},
        {"short lines", ini, shortLines, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, shortLines + newKey, 0},
        {"over 64 MiB", ini, big, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, big + newKey, 0},
        {"not committed", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", false, false, kOther, 0},
        {"path of 259", deep + name, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + newKey, 0},
        {"another's copy at 259", deep + name, kOther, FILE_ATTRIBUTE_NORMAL, "v", deep + "quill_ini.new-12-3", true,
         true, kOther + newKey, 1},
        {"another's, cut alike", deep + name, kOther, FILE_ATTRIBUTE_NORMAL, "v", otherCopy, true, true,
         kOther + newKey, 1},
        {"symbolic link", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + newKey, 1, linked},
        {"link, target locked", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + kLateSection + newKey,
         1, linked, true},
        {"link to nothing", ini, kMissing, FILE_ATTRIBUTE_NORMAL, "v", "", true, false, kMissing, 0, linked},
        {"link to 256", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + newKey, 0,
         "..\\" + deep256 + "\\" + name},
        {"link to 262", ini, kOther, FILE_ATTRIBUTE_NORMAL, "v", "", true, true, kOther + newKey, 0, to262},
        {"no copy fits", tight + "a.ini", kMissing, 0, "v", "", true, false, kMissing, 0, "", false, true},
        {"read-only file", ini, kOther, FILE_ATTRIBUTE_READONLY, "v", "", true, false, kOther, 0},
        {"folder missing", TempFolder() + "quill_no_folder\\x.ini", kMissing, 0, "v", "", true, false, kMissing, 0},
    };
    for (const auto& c : cases) {
        const std::string saved = c.linkTo.empty() ? c.path : ShortFolder(folder + c.linkTo);
        Put(c.path + "x", ""); // moved in, it ends a link, which Wine would not delete but follow
        MoveFileExA((c.path + "x").c_str(), c.path.c_str(), MOVEFILE_REPLACE_EXISTING);
        Remove(c.path);
        Put(saved, c.before == kMissing ? "" : c.before); // a link is waited for by its target
        if (!c.linkTo.empty())
            Link(folder, name, c.linkTo);
        else
            SetFileAttributesA(c.path.c_str(), c.attributes);
        if (c.before == kMissing)
            Remove(saved);
        if (!c.leftover.empty()) {
            Put(c.leftover, "[Stale]\r\nx=1\r\n");
            SetFileAttributesA(c.leftover.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        std::atomic<bool> locked{false};
        std::thread other([&] {
            if (!c.targetLocked)
                return;
            CFileLock lock(saved.c_str(), 0);
            locked = true;
            Sleep(300); // far longer than a save takes
            std::ofstream(saved, std::ios::binary | std::ios::app) << kLateSection;
        });
        while (c.targetLocked && !locked)
            Sleep(1);
        bool committed = false;
        const HANDLE change = FindFirstChangeNotificationA(c.path.substr(0, c.path.rfind('\\')).c_str(), FALSE,
                                                           FILE_NOTIFY_CHANGE_FILE_NAME);
        heapLimit = heapHeld + kCopiesHeld * c.before.size() + kOwnHeap;
        {
            CIniSave save(c.path.c_str());
            save.WriteString("S", "k", c.value);
            if (c.commit)
                committed = save.Commit();
        }
        heapLimit = SIZE_MAX;
        other.join();
        EXPECT_EQ(committed, c.committed) << c.name;
        EXPECT_TRUE(!c.untouched || WaitForSingleObject(change, 300) == WAIT_TIMEOUT) << c.name; // ample for a change
        FindCloseChangeNotification(change);
        if (c.after == kRewritten) {
            char read[8] = {};
            GetPrivateProfileStringA("S", "k", "", read, sizeof(read), c.path.c_str());
            EXPECT_STREQ(read, c.value) << c.name;
        } else {
            EXPECT_TRUE(Contents(saved) == c.after) << c.name; // not printed: one is 64 MiB
        }
        EXPECT_EQ(FilesBeside(c.path), c.beside) << c.name;
        Remove(c.leftover);
        Remove(saved);
    }
    Remove(ini);
}

// Whichever step fails, falls short or leaves its work out, the file stays
// byte for byte as it was (or as the other process changed it), no copy
// stays, and the save says it failed; in a file of garbage too.
TEST(IniSave, EveryFailingStepLeavesTheFileAsItWas)
{
    const std::string ini = Folder("quill_ini_fail") + "quill_ini_fail.ini";
    std::string ordinary = "[S]\r\nk=old\r\n";
    for (int line = 0; line < 40; ++line) // enough lines that half a file is short of whole ones
        ordinary += "[Other" + std::to_string(line) + "]\r\nkept=" + std::to_string(line) + "\r\n";
    // Smaller than the megabyte above: the heap checks the tests run with
    // slow the system's profile functions on every line.
    const std::string files[] = {ordinary, ordinary + Garbage(64 * 1024)};
    const RECT rect = {1, 2, 3, 4};
    SetIniSaveApi(&kStandIn);
    for (int failAt = 0; failAt <= kSaveSteps; ++failAt) // the last one: no step fails
        for (Failure how : {Failure::Refuses, Failure::FallsShort, Failure::Skips, Failure::FileChanged,
                            Failure::Replaced, Failure::NoMemory, Failure::WriterTries})
            for (const std::string& before : files) {
                Put(ini, before);
                stand = {failAt, how, 0, ini, false};
                bool committed = false;
                {
                    CIniSave save(ini.c_str());
                    save.WriteString("S", "k", "new");
                    save.WriteInt("S", "n", -5);
                    save.WriteStruct("P", "r", &rect, sizeof(rect));
                    committed = save.Commit();
                }
                heapLimit = SIZE_MAX;
                const bool whole = failAt == kSaveSteps || how == Failure::WriterTries ||
                                   (how == Failure::Skips && failAt == kFlushStep) ||
                                   ((how == Failure::Skips || how == Failure::FallsShort) && failAt == kLookStep) ||
                                   (how == Failure::NoMemory && failAt == kMoveStep);
                const std::string name = "step " + std::to_string(failAt) + " " + kFailureNames[int(how)] + " in " +
                                         std::to_string(before.size()) + " bytes";
                EXPECT_EQ(committed, whole) << name;
                EXPECT_EQ(stand.writerDenied, how == Failure::WriterTries && failAt == kLookStep) << name;
                EXPECT_EQ(FilesBeside(ini), 0) << name;
                if (!whole) { // a megabyte the test would print whole
                    const bool acted = how == Failure::FileChanged || how == Failure::Replaced;
                    EXPECT_TRUE(Contents(ini) == (how == Failure::Replaced ? "" : before) + (acted ? kLateSection : ""))
                        << name;
                    continue;
                }
                RECT read = {};
                EXPECT_TRUE(GetPrivateProfileStructA("P", "r", &read, sizeof(read), ini.c_str())) << name;
                EXPECT_EQ(read.bottom, rect.bottom) << name;
                EXPECT_EQ(GetPrivateProfileIntA("S", "n", 0, ini.c_str()), -5) << name;
                EXPECT_EQ(GetPrivateProfileIntA("Other39", "kept", 0, ini.c_str()), 39) << name;
            }
    SetIniSaveApi(nullptr);
    Remove(ini);
}
