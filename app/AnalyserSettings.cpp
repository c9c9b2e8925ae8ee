#include "app/AnalyserSettings.h"
#include "common/CIniSave.h"
#include "common/IniFile.h"
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const char kSection[] = "Settings";

enum SettingIndex {
#define ANALYSER_SETTING_INDEX(field, type, value, position) Index_##field,
    ANALYSER_SETTING_LIST(ANALYSER_SETTING_INDEX)
#undef ANALYSER_SETTING_INDEX
};

#define ANALYSER_SETTING_CHECK(field, type, value, position)                                                           \
    static_assert(offsetof(AnalyserSettings, field) == Index_##field * sizeof(int32_t), "cells in list order");        \
    static_assert(sizeof(type) == sizeof(int32_t), "32-bit cells");
ANALYSER_SETTING_LIST(ANALYSER_SETTING_CHECK)
#undef ANALYSER_SETTING_CHECK

struct ListedSetting {
    const char* key;
    int index;
    int position;
};

#define ANALYSER_SETTING_ROW(field, type, value, position) {"cp." #field, Index_##field, position},
constexpr ListedSetting kListed[kAnalyserSettingCount] = {ANALYSER_SETTING_LIST(ANALYSER_SETTING_ROW)};
#undef ANALYSER_SETTING_ROW

constexpr bool EveryFilePositionOnce()
{
    bool seen[kAnalyserSettingCount] = {};
    for (const ListedSetting& s : kListed) {
        if (s.position < 0 || s.position >= kAnalyserSettingCount || seen[s.position])
            return false;
        seen[s.position] = true;
    }
    return true;
}
static_assert(EveryFilePositionOnce(), "each file position names one setting");

constexpr AnalyserSettingFileOrder SortedByFilePosition()
{
    AnalyserSettingFileOrder order = {};
    for (const ListedSetting& s : kListed)
        order.keys[s.position] = {s.key, s.index};
    return order;
}

} // namespace

constexpr AnalyserSettingFileOrder kAnalyserSettingFileOrder = SortedByFilePosition();

void LoadDefaults(AnalyserSettings* settings)
{
    if (!settings)
        return;
#define ANALYSER_SETTING_DEFAULT(field, type, value, position) settings->field = value;
    ANALYSER_SETTING_LIST(ANALYSER_SETTING_DEFAULT)
#undef ANALYSER_SETTING_DEFAULT
}

namespace {

// A cell as a signed int, whatever its type: a float goes as its bit pattern.
int32_t CellAt(const AnalyserSettings& settings, int index)
{
    int32_t cell;
    std::memcpy(&cell, reinterpret_cast<const unsigned char*>(&settings) + index * sizeof(cell), sizeof(cell));
    return cell;
}

void SaveSettings(const AnalyserSettings& settings, const char* iniPath)
{
    CIniSave save(iniPath);
    for (const AnalyserSettingKey& setting : kAnalyserSettingFileOrder.keys)
        save.WriteInt(kSection, setting.key, CellAt(settings, setting.index));
    save.Commit();
}

void LoadSettings(AnalyserSettings& settings, const char* iniPath)
{
    for (const AnalyserSettingKey& setting : kAnalyserSettingFileOrder.keys) {
        int32_t cell = CellAt(settings, setting.index);
        if (LoadProfileInt(kSection, setting.key, &cell, iniPath))
            std::memcpy(reinterpret_cast<unsigned char*>(&settings) + setting.index * sizeof(cell), &cell,
                        sizeof(cell));
    }
}

} // namespace

void ExchangeSettings(AnalyserSettings* settings, SettingsExchange direction, const char* iniPath)
{
    if (!settings || !iniPath)
        return;
    if (direction == SettingsExchange::Save)
        SaveSettings(*settings, iniPath);
    else
        LoadSettings(*settings, iniPath);
}

double ItuRefLevelOf(const AnalyserSettings& settings)
{
    return settings.iItuRefLevel;
}
