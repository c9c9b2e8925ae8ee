#include "app/AnalyserSettings.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string FreshIni(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    const std::string path = std::string(dir) + name;
    DeleteFileA(path.c_str());
    return path;
}

std::vector<int32_t> Cells(const AnalyserSettings& s)
{
    std::vector<int32_t> cells(kAnalyserSettingCount);
    std::memcpy(cells.data(), &s, sizeof(s));
    return cells;
}

AnalyserSettings Defaults()
{
    AnalyserSettings s;
    std::memset(&s, 0x5A, sizeof(s));
    LoadDefaults(&s);
    return s;
}

// The key=value lines of the file's "Settings" section, in file order.
std::vector<std::pair<std::string, std::string>> SectionLines(const std::string& path)
{
    std::ifstream file(path);
    std::vector<std::pair<std::string, std::string>> lines;
    bool inSection = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inSection = line == "[Settings]";
        else if (inSection && line.find('=') != std::string::npos)
            lines.emplace_back(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
    }
    return lines;
}

const int32_t kMinusSixBits = -1061158912; // -6.0f read as an int

} // namespace

TEST(AnalyserSettings, DefaultsAndTheirFileInKeyOrder)
{
    const AnalyserSettings s = Defaults();
    EXPECT_EQ(Cells(s), (std::vector<int32_t>{0, 25, 0, 0, 0, 0, 0, -24, 0, 1, -42, 0, 0}));
    EXPECT_EQ(s.fScopeLines_dB, 0.0f);
    EXPECT_EQ(ItuRefLevelOf(s), -24.0);

    const std::string path = FreshIni("quill_settings_defaults.ini");
    AnalyserSettings saved = s;
    ExchangeSettings(&saved, SettingsExchange::Save, path.c_str());
    const std::vector<std::pair<std::string, std::string>> want = {
        {"cp.rta_resolution", "0"},   {"cp.rta_averages", "25"},   {"cp.rta_channel", "0"},
        {"cp.itu_position", "0"},     {"cp.itu_only", "0"},        {"cp.main_preference", "0"},
        {"cp.iDCBlock", "0"},         {"cp.iInputGain", "0"},      {"cp.iItuRefLevel", "-24"},
        {"cp.iItuTimeConstant", "0"}, {"cp.iItuChannelMode", "1"}, {"cp.iRtaTargetLevel", "-42"},
        {"cp.fScopeLines_dB", "0"}};
    EXPECT_EQ(SectionLines(path), want);
    DeleteFileA(path.c_str());
}

TEST(AnalyserSettings, ThirteenOtherValuesSurviveSaveAndLoadBitExact)
{
    AnalyserSettings s = {1, 500, 1, 1, 1, 1, -20, -18, 2, 0, -30, -6.0f, 2};
    const std::string path = FreshIni("quill_settings_roundtrip.ini");
    ExchangeSettings(&s, SettingsExchange::Save, path.c_str());
    AnalyserSettings back = Defaults();
    ExchangeSettings(&back, SettingsExchange::Load, path.c_str());
    EXPECT_EQ(Cells(back), Cells(s));
    EXPECT_EQ(back.fScopeLines_dB, -6.0f);
    const auto lines = SectionLines(path);
    ASSERT_EQ(lines.size(), size_t(kAnalyserSettingCount));
    EXPECT_EQ(lines[5], std::make_pair(std::string("cp.main_preference"), std::string("2")));
    EXPECT_EQ(lines[12], std::make_pair(std::string("cp.fScopeLines_dB"), std::to_string(kMinusSixBits)));
    DeleteFileA(path.c_str());
}

TEST(AnalyserSettings, MissingOrCorruptValuesKeepTheDefaultsAndNumbersAreTakenUnbounded)
{
    const AnalyserSettings defaults = Defaults();
    AnalyserSettings s = defaults;
    ExchangeSettings(&s, SettingsExchange::Load, FreshIni("quill_settings_absent.ini").c_str());
    EXPECT_EQ(Cells(s), Cells(defaults));

    const std::string path = FreshIni("quill_settings_corrupt.ini");
    std::ofstream(path) << "[Settings]\ncp.rta_averages=abc\ncp.iItuRefLevel=12x\ncp.iRtaTargetLevel=\n"
                           "cp.iItuChannelMode=99999999999\ncp.fScopeLines_dB=0x40\n"
                           "cp.rta_channel=7\ncp.iInputGain=-99\n[Other]\ncp.itu_only=1\n";
    ExchangeSettings(&s, SettingsExchange::Load, path.c_str());
    AnalyserSettings want = defaults;
    want.rta_channel = 7;
    want.iInputGain = -99;
    EXPECT_EQ(Cells(s), Cells(want));
    DeleteFileA(path.c_str());

    // No record or no path: nothing happens.
    LoadDefaults(nullptr);
    ExchangeSettings(nullptr, SettingsExchange::Load, path.c_str());
    ExchangeSettings(&s, SettingsExchange::Save, nullptr);
    EXPECT_EQ(Cells(s), Cells(want));
}
