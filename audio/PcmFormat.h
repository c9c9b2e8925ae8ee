#pragma once
#include "audio/AudioDriverSettings.h"
#include <windows.h>
#include <mmsystem.h>

// The plain PCM format of the settings' rate, channels and sample bits.
WAVEFORMATEX PcmFormat(const AudioDriverSettings& settings);
