#include "app/AppCommands.h"

namespace {
const SettingCommand kSettingCommands[] = {
#define APP_SETTING_COMMAND_ROW(id, name, text, field, value, effect)                                                  \
    {id, text, &AnalyserSettings::field, value, CommandEffect::effect},
    APP_SETTING_COMMAND_LIST(APP_SETTING_COMMAND_ROW)
#undef APP_SETTING_COMMAND_ROW
};

struct WindowCommandText {
    int id;
    const char* text;
};
const WindowCommandText kWindowCommands[] = {
#define APP_WINDOW_COMMAND_ROW(id, name, text) {id, text},
    APP_WINDOW_COMMAND_LIST(APP_WINDOW_COMMAND_ROW)
#undef APP_WINDOW_COMMAND_ROW
};
} // namespace

const SettingCommand* FindSettingCommand(int id)
{
    for (const SettingCommand& command : kSettingCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

CommandEffect ApplySettingCommand(AnalyserSettings& settings, int id)
{
    const SettingCommand* command = FindSettingCommand(id);
    if (!command)
        return CommandEffect::Ignored;
    int& cell = settings.*command->field;
    if (command->effect == CommandEffect::Toggle)
        cell = cell == 0 ? command->value : 0;
    else
        cell = command->value;
    return command->effect;
}

bool IsCommandTicked(const SettingCommand& command, const AnalyserSettings& settings)
{
    const int cell = settings.*command.field;
    return command.effect == CommandEffect::Toggle ? cell != 0 : cell == command.value;
}

const char* CommandText(int id)
{
    if (const SettingCommand* command = FindSettingCommand(id))
        return command->text;
    for (const WindowCommandText& command : kWindowCommands)
        if (command.id == id)
            return command.text;
    return "";
}
