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
// large file. A process saving them over and over is killed at random moments:
// every section of the file is then whole, as one save or the other left it.
namespace {

const char kChildVariable[] = "QUILL_SAVE_CHILD"; // the parent's id: run as the saving child
const char* const kSections[] = {"Settings", "Input", "Master", "Padding"};
const int kPaddingLines = 2000; // about 100 kB: a rewrite of the file takes long enough to be hit
const int kRounds = 8;
const int kMaxKillDelayMs = 300; // about one round of the three saves on this file
const DWORD kChildStartMs = 60000;

std::string IniPathFor(DWORD parentId)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "quill_save_interrupt_" + std::to_string(parentId) + ".ini";
}

std::string ReadyEventFor(DWORD parentId)
{
    return "quill_save_ready_" + std::to_string(parentId);
}

// Both versions of everything a save writes.
void SaveAll(const char* path, bool second)
{
    AnalyserSettings settings;
    LoadDefaults(&settings);
    settings.rta_averages = second ? 100 : 5;
    settings.iInputGain = second ? 12 : -3;
    settings.iRtaTargetLevel = second ? -30 : -50;
    ExchangeSettings(&settings, SettingsExchange::Save, path);

    AudioDeviceConfig device;
    device.deviceName = second ? "Second Mic" : "First Mic";
    device.bufferSize = second ? 480 : 960;
    CIniSave save(path);
    device.SaveInterface(save, "Input");
    device.SaveInterfaceSettings(save, "Input");
    save.Commit();

    CPhysicalWindow window;
    window.SetTopmostLevel(second ? 1 : 0);
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

void RunSavingChild(DWORD parentId)
{
    const std::string path = IniPathFor(parentId);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, ReadyEventFor(parentId).c_str());
    SetEvent(ready);
    for (bool second = true;; second = !second)
        SaveAll(path.c_str(), second);
}

bool StartChild(PROCESS_INFORMATION& child)
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=SaveInterrupt.*";
    SetEnvironmentVariableA(kChildVariable, std::to_string(GetCurrentProcessId()).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const bool started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child) != 0;
    SetEnvironmentVariableA(kChildVariable, nullptr);
    return started;
}

} // namespace

TEST(SaveInterrupt, KilledSavesLeaveEverySectionWhole)
{
    char parent[32] = "";
    if (GetEnvironmentVariableA(kChildVariable, parent, sizeof(parent)))
        RunSavingChild(DWORD(std::strtoul(parent, nullptr, 10)));

    const std::string path = IniPathFor(GetCurrentProcessId());
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << "[Padding]\r\n";
        for (int i = 0; i < kPaddingLines; ++i)
            file << "line" << i << "=a value that only fills the file\r\n";
    }
    SaveAll(path.c_str(), true);
    const std::string scratch = path + ".expected";
    CopyFileA(path.c_str(), scratch.c_str(), FALSE);
    SaveAll(path.c_str(), false);
    const FileSections first = ReadSections(path), second = ReadSections(scratch);
    DeleteFileA(scratch.c_str());
    ASSERT_EQ(first.at("Padding").size(), size_t(kPaddingLines));

    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, ReadyEventFor(GetCurrentProcessId()).c_str());
    std::srand(GetTickCount());
    for (int round = 0; round < kRounds; ++round) {
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(StartChild(child));
        ASSERT_EQ(WaitForSingleObject(ready, kChildStartMs), WAIT_OBJECT_0);
        Sleep(DWORD(std::rand() % kMaxKillDelayMs));
        TerminateProcess(child.hProcess, 1);
        WaitForSingleObject(child.hProcess, INFINITE);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
        const FileSections now = ReadSections(path);
        for (const char* section : kSections)
            EXPECT_TRUE(now.at(section) == first.at(section) || now.at(section) == second.at(section))
                << section << " in round " << round << ": " << now.at(section).size() << " lines";
    }
    CloseHandle(ready);
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".new").c_str());
}
