#pragma once
// The analyser settings, once each, in the record's memory order.
//
// X(field, type, default, filePosition)
// Every setting is one 32-bit cell; its .ini key is "cp." followed by the
// field's name, and filePosition is where the key stands in section
// "Settings" (the file keeps main_preference beside the other view choices).
// The record, its defaults, its keys and the file order are all generated
// from this list; see AnalyserSettings.h.

#define ANALYSER_SETTING_LIST(X)                                                                                       \
    X(rta_resolution, int, 0, 0)       /* 0 = 1/3 octave, other = 1/6 octave */                                        \
    X(rta_averages, int, 25, 1)        /* RTA results averaged */                                                      \
    X(rta_channel, int, 0, 2)          /* 1 = right channel into the RTA, other = left */                              \
    X(itu_position, int, 0, 3)         /* 0 = loudness meter horizontal, 1 = vertical */                               \
    X(itu_only, int, 0, 4)             /* non-zero: the loudness meter alone */                                        \
    X(iDCBlock, int, 0, 6)             /* non-zero: DC block on both inputs */                                         \
    X(iInputGain, int, 0, 7)           /* dB */                                                                        \
    X(iItuRefLevel, int, -24, 8)       /* loudness reference, dB */                                                    \
    X(iItuTimeConstant, int, 0, 9)     /* 0, 1, 2: 3, 10, 30 seconds */                                                \
    X(iItuChannelMode, int, 1, 10)     /* 0 = power sum, 1 = dual mono */                                              \
    X(iRtaTargetLevel, int, -42, 11)   /* dB */                                                                        \
    X(fScopeLines_dB, float, 0.0f, 12) /* dB; stored as its bit pattern */                                             \
    X(main_preference, int, 0, 5)      /* 0, 1, 2: RTA, one scope, two scopes */
