#pragma once
#include "gui/ToolkitConventions.h"
#include "gui/window/WindowCreateParams.h"
#include <windows.h>
#include <cstdint>
#include <string>

class CBitmapDC;

// The native record a top-level window starts from: the native defaults but
// for a resizable 500 x 300 window at 100, 100 that does not track the mouse.
inline WindowCreateParams TopLevelNativeDefaults()
{
    WindowCreateParams native;
    native.x = 100;
    native.y = 100;
    native.width = 500; // also the container's first size
    native.height = 300;
    native.resizable = 1; // when clear a saved placement moves but never sizes
    native.trackMouse = 0;
    return native;
}

// What a caller hands CTopLevelWindow::Create; the window keeps a copy.
// The native window is created from the native record as given, but for its
// closable byte (from closable), its window menu option (the container) and
// savePlacement (never for a child, which never restores a placement).
struct TopLevelWindowParams {
    WindowCreateParams native = TopLevelNativeDefaults();
    uint8_t closable = 1;                 // the title bar shows its Close button
    uint8_t titleBar = 1;                 // the window has a title bar at all
    uint8_t cornerGrip = 0;               // the skin's grip picture at the lower right corner
    std::string caption = "Hello World!"; // the window text and the title bar's first choice
    std::string caption2;                 // drawn when the caption does not fit
    std::string caption3;                 // drawn when caption2 does not fit either
    int32_t sheenStrength = 245;          // ApplySheen's strength (low 16 bits)
    int32_t captionBrightness = 330;      // 1/256: the active caption band's colours
    int32_t tint1 = kUnity, tint2 = kUnity, tint3 = kUnity, tint4 = kUnity; // the skin's strengths
    uint8_t altFrame = 0;                                                   // the frame is skin element 6 instead of 5
    uint8_t squareCorners = 0;                                              // the frame always has square corners
    const CBitmapDC* captionIcon = nullptr;                                 // left of the caption; the caller's
};
