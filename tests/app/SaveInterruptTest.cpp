#include "app/AnalyserSettings.h"
#include "audio/AudioDeviceConfig.h"
#include "common/CIniSave.h"
#include "gui/window/CPhysicalWindow.h"
#include "tests/app/SettingsFileSupport.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <fstream>
#include <map>

// The program's three savers (settings, device choice, placement) share one
// large file. Several processes save them over and over, each its own values,
// and are killed at random moments: every section of the file is then whole,
// as one save or another left it, and no copy stays once a save has run.
namespace {

const char kChildVariable[] = "QUILL_SAVE_CHILD"; // "parent id:child index": run as a saving child
const char kDebugVariable[] = "WINEDEBUG";
const char kNoDebug[] = "-all";
const char* const kSections[] = {"Settings", "Input", "Master", "Padding"};
const int kPaddingLines = 2000; // about 100 kB: a rewrite of the file takes long enough to be hit
const int kChildren = 3;
const int kVariants = 2 * kChildren; // each child alternates two sets of values of its own
const int kRounds = 8;
const int kMaxKillDelayMs = 300; // about one round of the three saves on this file
const DWORD kChildStartMs = 60000;

std::string IniPathFor(DWORD parentId)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "quill_save_interrupt_" + std::to_string(parentId) + ".ini";
}

std::string ReadyName(DWORD parentId)
{
    return "quill_save_ready_" + std::to_string(parentId);
}

// Everything a save writes, in one of kVariants versions.
void SaveAll(const char* path, int variant)
{
    AnalyserSettings settings;
    LoadDefaults(&settings);
    settings.rta_averages = 5 + variant;
    settings.iInputGain = -3 - variant;
    settings.iRtaTargetLevel = -50 + variant;
    ExchangeSettings(&settings, SettingsExchange::Save, path);

    AudioDeviceConfig device;
    device.deviceName = "Mic " + std::to_string(variant);
    device.bufferSize = 480 + variant;
    CIniSave save(path);
    device.SaveInterface(save, "Input");
    device.SaveInterfaceSettings(save, "Input");
    save.Commit();

    CPhysicalWindow window;
    window.SetTopmostLevel(variant % 2);
    window.SavePlacement(path, "Master", "MainWindowState");
}

using FileSections = std::map<std::string, std::vector<std::string>>;

FileSections ReadSections(const std::string& path)
{
    FileSections sections;
    for (const char* section : kSections)
        sections[section] = SectionLines(path, section);
    return sections;
}

void RunSavingChild(const char* parentAndIndex)
{
    char* index = nullptr;
    const DWORD parentId = std::strtoul(parentAndIndex, &index, 10);
    const int child = std::atoi(index + 1);
    const std::string path = IniPathFor(parentId);
    HANDLE ready = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, ReadyName(parentId).c_str());
    ReleaseSemaphore(ready, 1, nullptr);
    for (int round = 0;; ++round)
        SaveAll(path.c_str(), 2 * child + round % 2);
}

bool StartChild(int index, PROCESS_INFORMATION& child)
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=SaveInterrupt.*";
    const std::string parentAndIndex = std::to_string(GetCurrentProcessId()) + ":" + std::to_string(index);
    SetEnvironmentVariableA(kChildVariable, parentAndIndex.c_str());
    // At the program's own pace: the heap checks tests run with slow a save of
    // this file twenty-fold, and the kills would then all hit its first steps.
    char debug[64] = "";
    GetEnvironmentVariableA(kDebugVariable, debug, sizeof(debug));
    SetEnvironmentVariableA(kDebugVariable, kNoDebug);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const bool started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child) != 0;
    SetEnvironmentVariableA(kChildVariable, nullptr);
    SetEnvironmentVariableA(kDebugVariable, debug[0] ? debug : nullptr);
    return started;
}

void Kill(PROCESS_INFORMATION& child)
{
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
}

// Each variant's sections, as a save of it leaves them, saved into a small
// scratch file (the heap checks tests run with make saves of a large one slow).
// The file then starts as that scratch file after kPaddingLines of padding.
std::vector<FileSections> SavedVariants(const std::string& path)
{
    const std::string scratch = path + ".variants";
    std::vector<FileSections> variants;
    for (int variant = 0; variant < kVariants; ++variant) {
        SaveAll(scratch.c_str(), variant);
        variants.push_back(ReadSections(scratch));
    }
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << "[Padding]\r\n";
        for (int i = 0; i < kPaddingLines; ++i)
            file << "line" << i << "=a value that only fills the file\r\n";
        file << std::ifstream(scratch, std::ios::binary).rdbuf();
    }
    DeleteFileA(scratch.c_str());
    for (FileSections& variant : variants)
        variant["Padding"] = SectionLines(path, "Padding");
    return variants;
}

bool IsOneSave(const std::vector<FileSections>& variants, const char* section, const std::vector<std::string>& lines)
{
    for (const FileSections& variant : variants)
        if (variant.at(section) == lines)
            return true;
    return false;
}

} // namespace

TEST(SaveInterrupt, KilledConcurrentSavesLeaveEverySectionWhole)
{
    char parentAndIndex[64] = "";
    if (GetEnvironmentVariableA(kChildVariable, parentAndIndex, sizeof(parentAndIndex)))
        RunSavingChild(parentAndIndex);

    const std::string path = IniPathFor(GetCurrentProcessId());
    const std::vector<FileSections> variants = SavedVariants(path);
    ASSERT_EQ(variants.back().at("Padding").size(), size_t(kPaddingLines));

    HANDLE ready = CreateSemaphoreA(nullptr, 0, kChildren, ReadyName(GetCurrentProcessId()).c_str());
    std::srand(GetTickCount());
    for (int round = 0; round < kRounds; ++round) {
        PROCESS_INFORMATION children[kChildren] = {};
        for (int child = 0; child < kChildren; ++child)
            ASSERT_TRUE(StartChild(child, children[child]));
        for (int child = 0; child < kChildren; ++child)
            ASSERT_EQ(WaitForSingleObject(ready, kChildStartMs), WAIT_OBJECT_0);
        for (PROCESS_INFORMATION& child : children) {
            Sleep(DWORD(std::rand() % kMaxKillDelayMs));
            Kill(child);
        }
        const FileSections now = ReadSections(path);
        for (const char* section : kSections)
            EXPECT_TRUE(IsOneSave(variants, section, now.at(section)))
                << section << " in round " << round << ": " << now.at(section).size() << " lines";
    }
    CloseHandle(ready);
    {
        CIniSave save(path.c_str());
        save.WriteInt("Settings", "cp.rta_averages", 1);
        EXPECT_TRUE(save.Commit());
    }
    WIN32_FIND_DATAA found;
    HANDLE copies = FindFirstFileA((path + "?*").c_str(), &found);
    EXPECT_EQ(copies, INVALID_HANDLE_VALUE) << found.cFileName << " stays beside the file";
    if (copies != INVALID_HANDLE_VALUE)
        FindClose(copies);
    DeleteFileA(path.c_str());
}
