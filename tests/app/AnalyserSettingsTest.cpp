#include "app/AnalyserSettings.h"
#include "tests/app/SettingsFileSupport.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

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

} // namespace

// The defaults and their file in key order; other values survive a save and
// a load bit-exact, the scope lines' float stored as its bits.
TEST(AnalyserSettings, DefaultsAndRoundTripInKeyOrder)
{
    const AnalyserSettings defaults = Defaults();
    EXPECT_EQ(Cells(defaults), (std::vector<int32_t>{0, 25, 0, 0, 0, 0, 0, -24, 0, 1, -42, 0, 0}));
    EXPECT_EQ(ItuRefLevelOf(defaults), -24.0);
    const std::string path = FreshIniPath();
    AnalyserSettings saved = defaults;
    ExchangeSettings(&saved, SettingsExchange::Save, path.c_str());
    EXPECT_EQ(SectionLines(path), kDefaultSettingsLines);

    AnalyserSettings s = {1, 500, 1, 1, 1, 1, -20, -18, 2, 0, -30, -6.0f, 2};
    ExchangeSettings(&s, SettingsExchange::Save, path.c_str());
    AnalyserSettings back = defaults;
    ExchangeSettings(&back, SettingsExchange::Load, path.c_str());
    EXPECT_EQ(Cells(back), Cells(s));
    EXPECT_EQ(back.fScopeLines_dB, -6.0f);
    const std::vector<std::string> lines = SectionLines(path);
    ASSERT_EQ(lines.size(), size_t(kAnalyserSettingCount));
    EXPECT_EQ(lines[5], "cp.main_preference=2");
    EXPECT_EQ(lines[12], "cp.fScopeLines_dB=-1061158912"); // -6.0f read as an int
    DeleteFileA(path.c_str());
}

TEST(AnalyserSettings, MissingOrCorruptValuesKeepTheDefaultsAndNumbersAreTakenUnbounded)
{
    const AnalyserSettings defaults = Defaults();
    AnalyserSettings s = defaults;
    const std::string path = FreshIniPath();
    ExchangeSettings(&s, SettingsExchange::Load, path.c_str());
    EXPECT_EQ(Cells(s), Cells(defaults));

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
