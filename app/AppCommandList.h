#pragma once
// The commands the main window's menus carry, once each, in id order.
//
// APP_WINDOW_COMMAND_LIST: X(id, name, text)
//   Commands on the window itself, run by the main window's notification
//   handler. The dock item's text follows the window's state; "Dock Window"
//   is the one it shows when it cannot dock. No item carries 504 or 505.
//
// APP_SETTING_COMMAND_LIST: X(id, name, text, field, value, effect)
//   Commands that store value into the AnalyserSettings field and then have
//   the CommandEffect done (AppCommands.h). A Toggle command stores 1 over
//   0 and 0 over anything else instead.
//
// The command ids, the command table and the menu texts are generated from
// these lists; the menus' row order lives in ContextMenus.cpp.

#define APP_WINDOW_COMMAND_LIST(X)                                                                                     \
    X(500, Dock, "Dock Window")                                                                                        \
    X(501, DockedTopmost, "Dock always on top")                                                                        \
    X(502, AlwaysOnTop, "Always on top")                                                                               \
    X(503, ShowTitleBar, "Show Titlebar")                                                                              \
    X(506, IoSettings, "I/O Settings")                                                                                 \
    X(507, About, "About Quillmere RTA")

#define APP_SETTING_COMMAND_LIST(X)                                                                                    \
    X(512, ThirdOctave, "1/3 octave", rta_resolution, 0, Resolution)                                                   \
    X(513, SixthOctave, "1/6 octave", rta_resolution, 1, Resolution)                                                   \
    X(514, Averages1, "Averages: 1", rta_averages, 1, Averages)                                                        \
    X(515, Averages5, "Averages: 5", rta_averages, 5, Averages)                                                        \
    X(516, Averages10, "Averages: 10", rta_averages, 10, Averages)                                                     \
    X(517, Averages25, "Averages: 25", rta_averages, 25, Averages)                                                     \
    X(518, Averages50, "Averages: 50", rta_averages, 50, Averages)                                                     \
    X(519, Averages100, "Averages: 100", rta_averages, 100, Averages)                                                  \
    X(520, Averages250, "Averages: 250", rta_averages, 250, Averages)                                                  \
    X(521, Averages500, "Averages: 500", rta_averages, 500, Averages)                                                  \
    X(522, RtaLeft, "Input: Left Channel", rta_channel, 0, Stored)                                                     \
    X(523, RtaRight, "Input: Right Channel", rta_channel, 1, Stored)                                                   \
    X(524, MetersHorizontal, "Prefer Horizontal", itu_position, 0, Relayout)                                           \
    X(525, MetersVertical, "Prefer Vertical", itu_position, 1, Relayout)                                               \
    X(526, MetersOnly, "ITU meter Only", itu_only, 1, Toggle)                                                          \
    X(527, TimeConstant3, "Time constant: 3 seconds", iItuTimeConstant, 0, Stored)                                     \
    X(528, TimeConstant10, "Time constant: 10 seconds", iItuTimeConstant, 1, Stored)                                   \
    X(529, TimeConstant30, "Time constant: 30 seconds", iItuTimeConstant, 2, Stored)                                   \
    X(530, PowerSum, "Power Sum (ITU BS.1770)", iItuChannelMode, 0, Relayout)                                          \
    X(531, DualMono, "Dual Mono (L/R Meters)", iItuChannelMode, 1, Relayout)                                           \
    X(532, PreferRta, "Prefer RTA", main_preference, 0, Relayout)                                                      \
    X(533, PreferScope, "Prefer Oscilloscope", main_preference, 1, Relayout)                                           \
    X(534, PreferTwoScopes, "Prefer Two Oscilloscopes", main_preference, 2, Relayout)
