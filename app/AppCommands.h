#pragma once
// The main window's command ids and what the setting commands do.
//
// - AppCommandList.h names every command once; the ids below, the setting
//   command table and the texts are expanded from it.
// - Every chosen menu item reaches the main window as its value. The setting
//   commands (512-534) go through ApplySettingCommand, which stores the value
//   (even an equal one) and tells the caller what to do next; the window
//   commands (500-507) are the window's own. Other ids change nothing.
// - The settings record is the GUI thread's; the capture thread reads
//   rta_channel at every block, which one whole store keeps consistent.
#include "app/AnalyserSettings.h"
#include "app/AppCommandList.h"

namespace AppCommand {
enum : int {
#define APP_COMMAND_ID(id, name, ...) name = id,
    APP_WINDOW_COMMAND_LIST(APP_COMMAND_ID) APP_SETTING_COMMAND_LIST(APP_COMMAND_ID)
#undef APP_COMMAND_ID
};
const int kFirstSetting = 512, kLastSetting = 534;
} // namespace AppCommand

// What follows a setting command's store.
enum class CommandEffect {
    Ignored,    // no setting command has that id: nothing was stored
    Stored,     // read where it is used; nothing more
    Resolution, // reconfigure the RTA with the new resolution
    Averages,   // give the RTA the new averaging length
    Relayout,   // lay the panes out again
    Toggle      // as Relayout; the command flipped its setting
};

struct SettingCommand {
    int id;
    const char* text;
    int AnalyserSettings::*field;
    int value;
    CommandEffect effect;
};

// Null for an id that no setting command has.
const SettingCommand* FindSettingCommand(int id);
// Stores the command's value into settings; Ignored (and nothing stored) for other ids.
CommandEffect ApplySettingCommand(AnalyserSettings& settings, int id);
// Whether the command's menu item shows its mark for these settings.
bool IsCommandTicked(const SettingCommand& command, const AnalyserSettings& settings);
// The item text of any command; empty for an unknown id.
const char* CommandText(int id);

// Ids of the main window's own timer and messages.
namespace MainWindowId {
const unsigned kTickTimer = 73;       // redraws the panes
const unsigned kTickPeriodMs = 20;    //
const unsigned kTickSleepMs = 5;      // after every tick: leaves the other threads room
const unsigned kTrayMessage = 0x2F06; // the tray icon's mouse messages, lParam the mouse message
const unsigned kTrayIconId = 0;       // the one icon the window adds
} // namespace MainWindowId
