#pragma once
// The thirteen analyser settings and their exchange with the .ini file.
//
// - AnalyserSettingList.h names each setting once: field, type, default and
//   the key's place in the file. The record below, LoadDefaults, the key
//   table and the file order are expanded from it, so a setting is added or
//   moved in that list alone.
// - The record is thirteen plain 32-bit cells in list order; callers that
//   change settings write the fields in place (the record is handed out as a
//   pointer to its first cell) and then have them applied.
// - In the file every cell is a signed decimal ("%i"); the one float setting
//   is stored as its bit pattern read as an int, so every value, -6.0 dB
//   scope lines included, reads back bit-exact.
// - Loading keeps the value in memory wherever the file has no usable number
//   (missing file, section or key, or text that is no whole 32-bit number).
//   Values that are numbers are taken as they are: their readers bound them.
// - Threads: the record lives on the GUI thread. The capture thread reads
//   rta_channel and iDCBlock at every block without a lock; each is one
//   aligned cell written whole, so a block sees the old or the new value.
#include "app/AnalyserSettingList.h"

struct AnalyserSettings {
#define ANALYSER_SETTING_FIELD(field, type, value, position) type field;
    ANALYSER_SETTING_LIST(ANALYSER_SETTING_FIELD)
#undef ANALYSER_SETTING_FIELD
};

#define ANALYSER_SETTING_ONE(field, type, value, position) +1
const int kAnalyserSettingCount = 0 ANALYSER_SETTING_LIST(ANALYSER_SETTING_ONE);
#undef ANALYSER_SETTING_ONE
static_assert(sizeof(AnalyserSettings) == kAnalyserSettingCount * sizeof(int), "one 32-bit cell per setting");

enum class SettingsExchange { Load, Save };

// One setting as the file names it: its key and its cell's place in the record.
struct AnalyserSettingKey {
    const char* key;
    int index;
};

// The keys in the order section "Settings" holds them.
struct AnalyserSettingFileOrder {
    AnalyserSettingKey keys[kAnalyserSettingCount];
};
extern const AnalyserSettingFileOrder kAnalyserSettingFileOrder;

void LoadDefaults(AnalyserSettings* settings);
// Writes or reads every key of section "Settings" of iniPath, in file order.
void ExchangeSettings(AnalyserSettings* settings, SettingsExchange direction, const char* iniPath);
// The loudness reference level in dB.
double ItuRefLevelOf(const AnalyserSettings& settings);
