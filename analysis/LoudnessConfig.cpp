#include "analysis/LoudnessConfig.h"

LoudnessConfig::LoudnessConfig()
    : decayA(16377), decayB(16377), slidingSpanA(4800), slidingSpanB(9600), sampleRate(48000),
      channelCount(5), windowMs{3000, 10000, 30000, 0}, gateLevelDb{-90, -90, -90, -90}, gateHoldMs{1000, 1000, 1000,
                                                                                                    1000},
      historyLength(500), clipRunLength(3)
{}
