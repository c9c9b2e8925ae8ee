#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <string>
#include <vector>

// The 13 settings' defaults as the program writes them, in file order.
const std::vector<std::string> kDefaultSettingsLines = {
    "cp.rta_resolution=0", "cp.rta_averages=25",    "cp.rta_channel=0",     "cp.itu_position=0",
    "cp.itu_only=0",       "cp.main_preference=0",  "cp.iDCBlock=0",        "cp.iInputGain=0",
    "cp.iItuRefLevel=-24", "cp.iItuTimeConstant=0", "cp.iItuChannelMode=1", "cp.iRtaTargetLevel=-42",
    "cp.fScopeLines_dB=0"};

// An .ini file named after the running test, missing at first.
inline std::string FreshIniPath()
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path = std::string(folder) + "quill_" + test.test_suite_name() + "_" + test.name() + ".ini";
    DeleteFileA(path.c_str());
    return path;
}

// The key=value lines of a section, in file order.
inline std::vector<std::string> SectionLines(const std::string& path, const char* section = "Settings")
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    bool inSection = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inSection = line == std::string("[") + section + "]";
        else if (inSection && line.find('=') != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}
