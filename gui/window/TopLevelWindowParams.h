#pragma once
#include "gui/ToolkitConventions.h"
#include <windows.h>
#include <cstdint>
#include <string>

class CBitmapDC;

// What a caller hands CTopLevelWindow::Create; the window keeps a copy.
// Fields marked native go unchanged into the native window's record of the
// same name (WindowCreateParams).
struct TopLevelWindowParams {
    uint8_t layered = 0; // native
    int32_t x = 100;     // screen position
    int32_t y = 100;
    int32_t width = 500; // also the container's first size
    int32_t height = 300;
    uint8_t showOnCreate = 1;             // native
    uint8_t child = 0;                    // native; a child never restores a saved placement
    uint8_t toolPopup = 0;                // native
    uint8_t closable = 1;                 // the title bar shows its Close button
    uint8_t resizable = 1;                // native; when clear a saved placement moves but never sizes
    uint8_t movable = 1;                  // native
    uint8_t titleBar = 1;                 // the window has a title bar at all
    uint8_t cornerGrip = 0;               // the skin's grip picture at the lower right corner
    uint8_t verbose = 0;                  // native
    std::string caption = "Hello World!"; // the window text and the title bar's first choice
    std::string caption2;                 // drawn when the caption does not fit
    std::string caption3;                 // drawn when caption2 does not fit either
    int32_t sheenStrength = 245;          // ApplySheen's strength (low 16 bits)
    int32_t captionBrightness = 330;      // 1/256: the active caption band's colours
    int32_t tint1 = kUnity, tint2 = kUnity, tint3 = kUnity, tint4 = kUnity; // the skin's strengths, 256 neutral
    uint8_t centreOnCursorMonitor = 0;                          // native
    uint8_t noActivate = 0;                                     // native
    uint8_t dragAnywhere = 0;                                   // native
    int32_t topmostLevel = 0;                                   // native
    uint8_t altFrame = 0;                                       // the frame is skin element 6 instead of 5
    uint8_t maximizable = 1;                                    // native
    uint8_t minimizable = 1;                                    // native
    uint8_t taskbarButtonAllowed = 1;                           // native
    uint8_t perPixelAlpha = 0;                                  // native
    uint8_t dockable = 0;                                       // native
    uint8_t topmostWhenDocked = 1;                              // native
    uint8_t squareCorners = 0;                                  // the frame always has square corners
    uint8_t snapEdges = 1;                                      // native
    HICON icon = nullptr;                                       // native (the small icon)
    HICON bigIcon = nullptr;                                    // native
    const CBitmapDC* captionIcon = nullptr;                     // left of the caption; the caller's
    int32_t clampFlags = 0;                                     // native
    uint8_t closeOnOutsideClick = 0;                            // native
    int32_t lifetimeMs = 0;                                     // native
    HWND parentHandle = nullptr;                                // native
    uint8_t activateOnShow = 0;                                 // native
    uint8_t trackMouse = 0;                                     // native
    uint8_t savePlacement = 0;         // native: restore the placement at Create, save it later
    std::string iniPath, section, key; // where the placement is kept
    int32_t cursorHideMs = 0;          // native
};
