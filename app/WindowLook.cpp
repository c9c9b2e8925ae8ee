#include "app/WindowLook.h"

const WindowLook kMainWindowLook = {170, 420, {200, 220, 240, 200}};

void ApplyLook(TopLevelWindowParams& params, const WindowLook& look)
{
    params.sheenStrength = look.sheenStrength;
    params.captionBrightness = look.captionBrightness;
    params.tint1 = look.tints[0];
    params.tint2 = look.tints[1];
    params.tint3 = look.tints[2];
    params.tint4 = look.tints[3];
}
