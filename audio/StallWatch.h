#pragma once
#include "audio/AudioDriverSettings.h"
#include <windows.h>

// Tells a capture device that went silent without any error (its sound server
// gone, its source unloaded) from a slow one. The device thread asks once per
// pass of its wait; times are millisecond tick counts and may wrap.
class StallWatch {
public:
    // How often a waiting device thread looks at the clock.
    enum { PollMs = 1000 };

    StallWatch(const AudioDriverSettings& settings, DWORD now);
    // True when a pass that handed on no block comes the limit or more after the last block.
    bool Stalled(bool handedOn, DWORD now);
    int LimitSeconds() const;

private:
    DWORD m_limitMs;
    DWORD m_lastBlock;
};
