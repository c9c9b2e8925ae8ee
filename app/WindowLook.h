#pragma once
#include "gui/window/TopLevelWindowParams.h"

// A frame's look: the sheen's strength, the active caption's brightness
// (1/256) and the skin's four strengths (256 neutral).
struct WindowLook {
    int sheenStrength;
    int captionBrightness;
    int tints[4];
};

// The main window's, which the I/O settings window wears too.
extern const WindowLook kMainWindowLook;

void ApplyLook(TopLevelWindowParams& params, const WindowLook& look);
